# Run as a script (cmake -P) over the files of src/: refuses an include
# written with "../". A quoted include is looked up beside the including file
# first, so "../window/Events.h" reaches any folder of src/ from any layer,
# past the include folders that keep each layer to the ones below it.
#   cmake -DSTAMP=file -P no-parent-includes.cmake -- FILE...
set(found "")
set(reading_files FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
    set(arg "${CMAKE_ARGV${i}}")
    if(reading_files)
        file(STRINGS "${arg}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
        foreach(line ${lines})
            string(APPEND found "  ${arg}: ${line}\n")
        endforeach()
    elseif(arg STREQUAL "--")
        set(reading_files TRUE)
    endif()
endforeach()
if(found)
    message(FATAL_ERROR "includes written with \"../\" climb past the layers' include folders; "
                        "name the file from src/ instead:\n${found}")
endif()
file(TOUCH "${STAMP}")
