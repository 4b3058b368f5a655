# Test registration shared by the native and the Windows builds.
#
# Natively each GoogleTest case becomes its own ctest entry (label "unit").
# In a Windows build each test program is one ctest entry run under Wine
# through the cross-compiling emulator (label "wine"); the 32-bit build
# compiles its tests but runs none, since this machine has no 32-bit Wine.

if(CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest as source; build it with the cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

if(CMAKE_CROSSCOMPILING AND GALEMEND_RUN_WINE_TESTS)
    add_test(NAME wine_prefix_setup
             COMMAND /bin/sh ${CMAKE_SOURCE_DIR}/scripts/wine-run ${GALEMEND_WINE_ROOT} --init)
    set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine_prefix LABELS wine)
endif()

# galemend_add_test(<name> SOURCES <files...> LIBS <targets...>)
function(galemend_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    galemend_warnings(${name})
    if(NOT CMAKE_CROSSCOMPILING)
        gtest_discover_tests(${name} PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)
    elseif(GALEMEND_RUN_WINE_TESTS)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES LABELS wine FIXTURES_REQUIRED wine_prefix
                                                TIMEOUT 600)
    endif()
endfunction()
