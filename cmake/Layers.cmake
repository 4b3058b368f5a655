# The program is built in layers, each a static library that links only the layers below
# it. A layer's headers are reachable only through its own include folder, which holds
# links to them under the layer's path ("conversion/Templates.h"), so an include of a
# layer above fails to compile instead of slipping through.

# galemend_layer(<target> <folder> [NESTED] SOURCES <files...> LAYERS <lower layers...>
#                [LIBS <system libraries...>])
# NESTED also exposes the headers of the folder's subfolders (platform/win32, ...); without
# it a subfolder that is a layer of its own (ui/win32) stays out of reach.
function(galemend_layer target folder)
    cmake_parse_arguments(L "NESTED" "" "SOURCES;LAYERS;LIBS" ${ARGN})
    set(source_dir ${CMAKE_SOURCE_DIR}/src/${folder})
    set(include_root ${CMAKE_BINARY_DIR}/layers/${target})
    if(L_NESTED)
        file(GLOB_RECURSE headers RELATIVE ${source_dir} CONFIGURE_DEPENDS ${source_dir}/*.h)
    else()
        file(GLOB headers RELATIVE ${source_dir} CONFIGURE_DEPENDS ${source_dir}/*.h)
    endif()
    file(REMOVE_RECURSE ${include_root})
    foreach(header ${headers})
        get_filename_component(dir ${include_root}/${folder}/${header} DIRECTORY)
        file(MAKE_DIRECTORY ${dir})
        file(CREATE_LINK ${source_dir}/${header} ${include_root}/${folder}/${header} SYMBOLIC)
    endforeach()

    list(TRANSFORM L_SOURCES PREPEND ${source_dir}/)
    add_library(${target} STATIC ${L_SOURCES})
    target_include_directories(${target} PUBLIC ${include_root})
    target_link_libraries(${target} PUBLIC ${L_LAYERS} ${L_LIBS})
    galemend_warnings(${target})
endfunction()
