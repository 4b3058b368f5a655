# What GCC 12's static C++ runtime expects of glibc beyond 2.31 (cmake/GlibcCompat.cpp): the
# portable build (cmake/toolchain-linux-glibc-2.31.cmake) links it into galemend; native
# builds test its object lookup against glibc's own _dl_find_object.
if(GALEMEND_GLIBC_SYSROOT)
    # An object library: its definitions must be on the link line before libstdc++.a and
    # libgcc_eh.a, which refer to them.
    add_library(galemend_glibc_compat OBJECT ${CMAKE_SOURCE_DIR}/cmake/GlibcCompat.cpp)
    target_compile_definitions(galemend_glibc_compat PRIVATE GALEMEND_GLIBC_COMPAT)
    galemend_warnings(galemend_glibc_compat)
    target_link_libraries(galemend PRIVATE galemend_glibc_compat)
elseif(NOT CMAKE_CROSSCOMPILING)
    galemend_add_test(glibc_compat_test
        SOURCES ${CMAKE_SOURCE_DIR}/tests/package/GlibcCompatTest.cpp
                ${CMAKE_SOURCE_DIR}/cmake/GlibcCompat.cpp)
    target_include_directories(glibc_compat_test PRIVATE ${CMAKE_SOURCE_DIR}/cmake)
endif()
