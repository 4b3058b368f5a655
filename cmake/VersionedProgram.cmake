# galemend_versioned_program(<target> OUTPUT_NAME <name> PRODUCT_VERSION a.b.c.d
#                            [FILE_VERSION a.b.c.d] [PRODUCT_NAME <text>])
# A do-nothing Windows program whose version resource carries the given numbers: a stand-in
# for a game executable wherever only its version is read. The file version defaults to
# 0.0.0.1, unlike any product version, so that reading the wrong words shows.
function(galemend_versioned_program target)
    cmake_parse_arguments(V "" "OUTPUT_NAME;PRODUCT_VERSION;FILE_VERSION;PRODUCT_NAME" "" ${ARGN})
    if(NOT V_FILE_VERSION)
        set(V_FILE_VERSION 0.0.0.1)
    endif()
    if(NOT V_PRODUCT_NAME)
        set(V_PRODUCT_NAME ${V_OUTPUT_NAME})
    endif()
    set(GALEMEND_VERSIONED_NAME ${V_PRODUCT_NAME})
    string(REPLACE "." "," GALEMEND_VERSIONED_PRODUCT ${V_PRODUCT_VERSION})
    string(REPLACE "." "," GALEMEND_VERSIONED_FILE ${V_FILE_VERSION})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/VersionedProgram.rc.in ${rc} @ONLY)
    add_executable(${target} ${CMAKE_SOURCE_DIR}/cmake/VersionedProgram.cpp ${rc})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME "${V_OUTPUT_NAME}")
    target_link_options(${target} PRIVATE -mwindows)
    galemend_warnings(${target})
endfunction()
