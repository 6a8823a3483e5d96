# System DLLs that Pellinor.exe loads only when it first calls one of their
# functions, instead of at start: each DLL the loader maps before the first
# line of the program costs its start (under Wine as on an old PC), and no
# start needs these. The upgrade's network (ws2_32, mswsock, winhttp, and
# secur32 for TLS), the trust checks (wintrust, crypt32), file versions
# (version), shortcuts and COM (ole32, oleaut32). A name here counts once it
# is also among the libraries linked (PELLINOR_WIN32_LIBS). A DLL added later
# goes into this list in the same way; a DLL the start cannot do without
# stays out of it. Every function a delay-loaded DLL gives must still be one
# Windows XP SP3 has: scripts/check-imports reads the delay imports as it
# reads the others, and fails on a slot that leads nowhere (a function
# declared __declspec(dllimport) by a header that ignores DECLSPEC_IMPORT;
# see cmake/windows.cmake).
set(PELLINOR_DELAY_LOADED_DLLS ws2_32 mswsock winhttp secur32 wintrust crypt32 version ole32
                               oleaut32)

# pellinor_delay_load(LIST_VARIABLE): in the list of system libraries named
# by LIST_VARIABLE, each delay-loaded one becomes its delay import library,
# made in the build folder from MinGW's import library (all of its
# functions; the linker takes only those the program calls).
function(pellinor_delay_load list_variable)
    set(folder ${CMAKE_BINARY_DIR}/delay-import)
    file(MAKE_DIRECTORY ${folder})
    set(libraries "")
    foreach(library ${${list_variable}})
        if(NOT library IN_LIST PELLINOR_DELAY_LOADED_DLLS)
            list(APPEND libraries ${library})
            continue()
        endif()
        find_file(PELLINOR_IMPORT_LIBRARY_${library} lib${library}.a
                  PATHS ${CMAKE_FIND_ROOT_PATH}/lib NO_DEFAULT_PATH REQUIRED)
        set(output ${folder}/lib${library}-delay.a)
        # Made relative to its own folder, so that the library (and the
        # program linked with it) holds nothing of where the build ran.
        add_custom_command(
            OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
                    -DIMPORT_LIBRARY=${PELLINOR_IMPORT_LIBRARY_${library}}
                    -DOUTPUT=lib${library}-delay.a
                    -P ${CMAKE_SOURCE_DIR}/cmake/delay-import-library.cmake
            DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay-import-library.cmake
                    ${PELLINOR_IMPORT_LIBRARY_${library}}
            WORKING_DIRECTORY ${folder}
            COMMENT "Delay import library of ${library}"
            VERBATIM)
        list(APPEND libraries ${output})
        list(APPEND outputs ${output})
    endforeach()
    add_custom_target(pellinor_delay_imports DEPENDS ${outputs})
    set(${list_variable} ${libraries} PARENT_SCOPE)
endfunction()
