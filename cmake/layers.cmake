# The layers of src/, one static library each, from the bottom up. A layer's
# files may include only their own folder and the folders of the layers
# below it: each library compiles against an include folder of its own that
# holds links to just those folders, so an include that climbs does not
# build. unattended/, fetch/ and window/ stand side by side above commands/
# and see none of each other; Unit1.cpp (the window's form) sees them all.
set(PELLINOR_STACK platform text log http transfer system commands)
set(PELLINOR_SIDE_BY_SIDE unattended fetch window)
set(PELLINOR_LAYER_LIBS "")
# Folders inside a layer's folder that are part of that layer (the others,
# platform/win32 and the like, are layers of their own): commands/ keeps its
# reading of signatures and its stores of kept files apart from the commands.
set(PELLINOR_LAYER_SUBFOLDERS_commands signatures keeping)

# An include folder named name holding links to the given folders of src/.
function(pellinor_include_root name)
    set(root ${CMAKE_BINARY_DIR}/layers/${name})
    file(MAKE_DIRECTORY ${root})
    foreach(folder ${ARGN})
        if(NOT EXISTS ${root}/${folder})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
        endif()
    endforeach()
endfunction()

# Every header of src/<folder> compiled alone, through the include folder of
# the layer that owns it: a header that only a higher layer compiles would
# otherwise never be held to its own layer's folders, and a climbing include
# in it would build. One generated source a header, each a single include.
function(pellinor_header_checks name)
    set(checks "")
    foreach(folder ${ARGN})
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
        string(REPLACE "/" "_" place ${folder})
        foreach(header ${headers})
            get_filename_component(base ${header} NAME_WE)
            set(check ${CMAKE_BINARY_DIR}/header-checks/${name}/${place}_${base}.cpp)
            file(CONFIGURE OUTPUT ${check} CONTENT "#include \"${folder}/${base}.h\"\n")
            list(APPEND checks ${check})
        endforeach()
    endforeach()
    if(NOT checks)
        return()
    endif()
    add_library(pellinor_${name}_headers OBJECT ${checks})
    target_include_directories(pellinor_${name}_headers
                               PRIVATE $<TARGET_PROPERTY:pellinor_${name},INCLUDE_DIRECTORIES>)
    target_link_libraries(pellinor_${name}_headers PRIVATE pellinor_${name})
    pellinor_warnings(pellinor_${name}_headers)
endfunction()

# The library pellinor_<name> of sources, seeing the folders in visible,
# linked to the library below it. Its headers are those of src/<name>, or of
# the folder given after below (platform/win32 for platform_win32).
function(pellinor_layer name sources visible below)
    pellinor_include_root(${name} ${visible})
    add_library(pellinor_${name} STATIC ${sources})
    target_include_directories(pellinor_${name} PRIVATE ${CMAKE_BINARY_DIR}/layers/${name})
    if(below)
        target_link_libraries(pellinor_${name} PUBLIC ${below})
    endif()
    pellinor_warnings(pellinor_${name})
    set(folder ${name})
    if(ARGC GREATER 4)
        set(folder ${ARGV4})
    endif()
    set(folders ${folder})
    foreach(sub ${PELLINOR_LAYER_SUBFOLDERS_${name}})
        list(APPEND folders ${folder}/${sub})
    endforeach()
    pellinor_header_checks(${name} ${folders})
    set(PELLINOR_LAYER_LIBS ${PELLINOR_LAYER_LIBS} pellinor_${name} PARENT_SCOPE)
endfunction()

# The sources of src/<layer> and of its sub-folders that belong to it.
function(pellinor_layer_sources out layer)
    set(patterns src/${layer}/*.cpp)
    foreach(sub ${PELLINOR_LAYER_SUBFOLDERS_${layer}})
        list(APPEND patterns src/${layer}/${sub}/*.cpp)
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS ${patterns})
    set(${out} ${sources} PARENT_SCOPE)
endfunction()

# pellinor_layers(BASE_LIBS): the stack on the system's libraries, the
# three beside each other, the form, and pellinor_logic, all of it for the
# tests and tools that reach into every layer. PELLINOR_LAYER_SOURCES_<name>
# may name a layer's sources where they are not simply its folder's.
macro(pellinor_layers)
    set(visible "")
    set(below "")
    foreach(layer ${PELLINOR_STACK})
        list(APPEND visible ${layer})
        if(DEFINED PELLINOR_LAYER_SOURCES_${layer})
            set(sources ${PELLINOR_LAYER_SOURCES_${layer}})
        else()
            pellinor_layer_sources(sources ${layer})
        endif()
        pellinor_layer(${layer} "${sources}" "${visible}" "${below}")
        set(below pellinor_${layer})
    endforeach()
    target_link_libraries(pellinor_platform PUBLIC ${ARGN})
    foreach(layer ${PELLINOR_SIDE_BY_SIDE})
        if(DEFINED PELLINOR_LAYER_SOURCES_${layer})
            set(sources ${PELLINOR_LAYER_SOURCES_${layer}})
        else()
            pellinor_layer_sources(sources ${layer})
        endif()
        pellinor_layer(${layer} "${sources}" "${visible};${layer}" pellinor_commands)
    endforeach()
    # Everything above the layers (the form, the programs' entries, the
    # tests and tools) sees the whole of src/.
    add_library(pellinor_form STATIC src/Unit1.cpp)
    target_include_directories(pellinor_form PUBLIC src)
    target_link_libraries(pellinor_form PUBLIC pellinor_window pellinor_unattended)
    pellinor_warnings(pellinor_form)
    list(APPEND PELLINOR_LAYER_LIBS pellinor_form)
    add_library(pellinor_logic INTERFACE)
    target_link_libraries(pellinor_logic INTERFACE pellinor_form)
endmacro()

# No include in src/ written with "../" (cmake/no-parent-includes.cmake),
# checked again whenever a file of src/ changes.
file(GLOB_RECURSE PELLINOR_ALL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp
     ${CMAKE_SOURCE_DIR}/src/*.h)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/no-parent-includes.stamp
                   COMMAND ${CMAKE_COMMAND} -DSTAMP=${CMAKE_BINARY_DIR}/no-parent-includes.stamp
                           -P ${CMAKE_SOURCE_DIR}/cmake/no-parent-includes.cmake --
                           ${PELLINOR_ALL_SOURCES}
                   DEPENDS ${PELLINOR_ALL_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/no-parent-includes.cmake
                   VERBATIM)
add_custom_target(pellinor_no_parent_includes ALL
                  DEPENDS ${CMAKE_BINARY_DIR}/no-parent-includes.stamp)
