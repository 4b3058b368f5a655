# ZIP archives for players: both executables, the sample data files and the guide.
# The Windows builds make one per architecture with `cpack` in their build folder.
if(NOT (WIN32 AND TARGET galemend3 AND TARGET galemend2))
    return()
endif()

install(TARGETS galemend3 galemend2 RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/demo/data/ DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/galemend-guide.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(GALEMEND_ARCH win64)
else()
    set(GALEMEND_ARCH win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME galemend)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME galemend-${PROJECT_VERSION}-${GALEMEND_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
