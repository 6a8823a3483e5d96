# The publisher keys a program carries. pellinor_publisher_keys(DIR CERTS)
# writes DIR/PublisherKeyList.inc: one entry for each certificate file in the
# list CERTS (PEM or DER), its SubjectPublicKeyInfo as a C++ string of bytes
# and its SHA-256 in hex; nothing for an empty list. openssl reads the
# certificates here, at configure time, so the program itself never parses
# one. The file is written only when it changes, so the programs that
# include it are built again only then, and the same certificates give the
# same bytes in any folder.
function(pellinor_publisher_keys dir certs)
    file(MAKE_DIRECTORY ${dir})
    set(entries "")
    foreach(cert IN LISTS certs)
        if(NOT IS_ABSOLUTE "${cert}")
            get_filename_component(cert "${cert}" ABSOLUTE BASE_DIR "${CMAKE_SOURCE_DIR}")
        endif()
        if(NOT EXISTS "${cert}")
            message(FATAL_ERROR "publisher certificate ${cert}: no such file")
        endif()
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${cert}")
        set(pem "")
        foreach(form PEM DER)
            execute_process(COMMAND openssl x509 -inform ${form} -in "${cert}" -noout -pubkey
                            OUTPUT_VARIABLE pem RESULT_VARIABLE failed ERROR_QUIET)
            if(NOT failed)
                break()
            endif()
        endforeach()
        if(failed)
            message(FATAL_ERROR "publisher certificate ${cert}: not a certificate (PEM or DER)")
        endif()
        set(der ${dir}/key.der)
        file(WRITE ${dir}/key.pem "${pem}")
        execute_process(COMMAND openssl pkey -pubin -in ${dir}/key.pem -outform DER -out ${der}
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "publisher certificate ${cert}: its key could not be read")
        endif()
        file(READ ${der} hex HEX)
        file(SHA256 ${der} sha)
        file(REMOVE ${der} ${dir}/key.pem)
        string(LENGTH "${hex}" digits)
        math(EXPR bytes "${digits} / 2")
        string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
        string(APPEND entries "    {std::string(\"${escaped}\", ${bytes}), \"${sha}\"},\n")
        message(STATUS "publisher key ${sha} from ${cert}")
    endforeach()
    file(WRITE ${dir}/PublisherKeyList.inc.new
         "// Written by the build from the publisher certificates it was given.\n${entries}")
    configure_file(${dir}/PublisherKeyList.inc.new ${dir}/PublisherKeyList.inc COPYONLY)
    file(REMOVE ${dir}/PublisherKeyList.inc.new)
endfunction()
