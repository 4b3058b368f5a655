# Strict warnings for our own targets only; third-party code keeps its own flags.
function(galemend_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    # GCC 12 reports impossible overlaps in inlined std::string assignments (-Wrestrict
    # false positives at -O2), which would fail correct code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()
