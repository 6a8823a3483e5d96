# The layers of src/, one static library each, from the bottom up. A layer's
# files may include only their own folder and the folders of the layers
# below it: each library compiles against an include folder of its own that
# holds links to just those folders, so an include that climbs does not
# build. unattended/, fetch/ and window/ stand side by side above commands/
# and see none of each other; Unit1.cpp (the window's form) sees them all.
set(PELLINOR_STACK platform text log http transfer system commands)
set(PELLINOR_SIDE_BY_SIDE unattended fetch window)
set(PELLINOR_LAYER_LIBS "")

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

# The library pellinor_<name> of sources, seeing the folders in visible,
# linked to the library below it.
function(pellinor_layer name sources visible below)
    pellinor_include_root(${name} ${visible})
    add_library(pellinor_${name} STATIC ${sources})
    target_include_directories(pellinor_${name} PRIVATE ${CMAKE_BINARY_DIR}/layers/${name})
    if(below)
        target_link_libraries(pellinor_${name} PUBLIC ${below})
    endif()
    pellinor_warnings(pellinor_${name})
    set(PELLINOR_LAYER_LIBS ${PELLINOR_LAYER_LIBS} pellinor_${name} PARENT_SCOPE)
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
            file(GLOB sources CONFIGURE_DEPENDS src/${layer}/*.cpp)
        endif()
        pellinor_layer(${layer} "${sources}" "${visible}" "${below}")
        set(below pellinor_${layer})
    endforeach()
    target_link_libraries(pellinor_platform PUBLIC ${ARGN})
    foreach(layer ${PELLINOR_SIDE_BY_SIDE})
        if(DEFINED PELLINOR_LAYER_SOURCES_${layer})
            set(sources ${PELLINOR_LAYER_SOURCES_${layer}})
        else()
            file(GLOB sources CONFIGURE_DEPENDS src/${layer}/*.cpp)
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
