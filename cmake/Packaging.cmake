# Player packages, made with `cpack` in a Windows build folder: a ZIP per architecture with
# both executables, the sample data files and the guide; the 64-bit build also makes the
# Linux tar.gz with galemend3.exe, the same files, the Linux galemend (the linux preset's
# build, GALEMEND_NATIVE_PROGRAM) and its README.txt. Each package is one install component.
if(NOT (WIN32 AND TARGET galemend3 AND TARGET galemend2))
    return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(GALEMEND_ARCH win64)
    set(GALEMEND_PACKAGES windows linux)
    set(CPACK_GENERATOR ZIP TGZ)
else()
    set(GALEMEND_ARCH win32)
    set(GALEMEND_PACKAGES windows)
    set(CPACK_GENERATOR ZIP)
endif()

foreach(package ${GALEMEND_PACKAGES})
    install(TARGETS galemend3 RUNTIME DESTINATION . COMPONENT ${package})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/demo/data/ DESTINATION . COMPONENT ${package})
    install(FILES ${CMAKE_SOURCE_DIR}/docs/galemend-guide.txt DESTINATION . COMPONENT ${package})
endforeach()
install(TARGETS galemend2 RUNTIME DESTINATION . COMPONENT windows)
# On Linux galemend is the native program, built against glibc 2.31 with its C++ runtime
# linked in; it opens the window itself by running galemend3.exe, beside it, in the prefix.
install(PROGRAMS ${GALEMEND_NATIVE_PROGRAM} DESTINATION . COMPONENT linux)
install(FILES ${CMAKE_SOURCE_DIR}/docs/linux-readme.txt DESTINATION . RENAME README.txt
        COMPONENT linux)

set(CPACK_PACKAGE_NAME galemend)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
# cpack reads this file once per generator: it picks the component, the file name and the
# top folder of that generator's package.
set(GALEMEND_WINDOWS_PACKAGE galemend-${PROJECT_VERSION}-${GALEMEND_ARCH})
set(GALEMEND_LINUX_PACKAGE galemend-${PROJECT_VERSION}-linux)
set(CPACK_PACKAGE_FILE_NAME ${GALEMEND_WINDOWS_PACKAGE})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/GalemendCPackOptions.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
     "if(CPACK_GENERATOR STREQUAL \"TGZ\")
    set(CPACK_COMPONENTS_ALL linux)
    set(CPACK_PACKAGE_FILE_NAME ${GALEMEND_LINUX_PACKAGE})
    set(CPACK_ARCHIVE_LINUX_FILE_NAME ${GALEMEND_LINUX_PACKAGE})
else()
    set(CPACK_COMPONENTS_ALL windows)
    set(CPACK_ARCHIVE_WINDOWS_FILE_NAME ${GALEMEND_WINDOWS_PACKAGE})
endif()
")
include(CPack)
