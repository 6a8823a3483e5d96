# Makes a delay import library from a MinGW import library (cmake -P):
#   -DNM=... -DDLLTOOL=... -DIMPORT_LIBRARY=.../libws2_32.a -DOUTPUT=libws2_32-delay.a
# Its functions are those of the import library: each one it both imports
# (__imp__Name@N) and gives a call thunk for (_Name@N); its data imports
# cannot be delay-loaded and are left out.
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${DLLTOOL} --identify ${IMPORT_LIBRARY}
                OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR dll STREQUAL "")
    message(FATAL_ERROR "no DLL named by ${IMPORT_LIBRARY}")
endif()
execute_process(COMMAND ${NM} ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${NM} cannot read ${IMPORT_LIBRARY}")
endif()

string(REGEX MATCHALL " I __imp__[^\n]+" imported "${symbols}")
string(REGEX MATCHALL " T _[^\n]+" thunks "${symbols}")
list(TRANSFORM imported REPLACE "^ I __imp__" "")
list(TRANSFORM thunks REPLACE "^ T _" "")
set(exports "")
foreach(function ${imported})
    if(function IN_LIST thunks)
        list(APPEND exports ${function})
    endif()
endforeach()
list(REMOVE_DUPLICATES exports)
list(SORT exports)
if(NOT exports)
    message(FATAL_ERROR "no functions in ${IMPORT_LIBRARY}")
endif()

string(REPLACE ";" "\n" lines "${exports}")
get_filename_component(name ${OUTPUT} NAME_WE)
file(WRITE ${name}.def "LIBRARY ${dll}\nEXPORTS\n${lines}\n")
# --kill-at: the DLL's names have no @N, the program's symbols do.
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${name}.def --dllname ${dll}
                        --output-delaylib ${OUTPUT}
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${DLLTOOL} could not make ${OUTPUT}")
endif()
