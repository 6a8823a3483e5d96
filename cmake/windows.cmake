# The windows build: Pellinor.exe and the programs of the Wine tests.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# MinGW must not see /usr/include as a whole: only the header-only libraries
# it needs, through a folder of links made here.
set(PELLINOR_THIRD_PARTY ${CMAKE_BINARY_DIR}/third-party-include)
file(MAKE_DIRECTORY ${PELLINOR_THIRD_PARTY})
foreach(lib boost stb)
    if(NOT EXISTS ${PELLINOR_THIRD_PARTY}/${lib})
        file(CREATE_LINK /usr/include/${lib} ${PELLINOR_THIRD_PARTY}/${lib} SYMBOLIC)
    endif()
endforeach()

add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE NOMINMAX
                        WIN32_LEAN_AND_MEAN)
# The system's functions called through their thunks (_Name@N), not straight
# through their import slots (__imp__Name@N): for an import the program
# only reaches by its slot, ld leaves the thunk out, and a delay-loaded
# function's slot starts out pointing at its thunk (cmake/delay-load.cmake).
# Left in, the slot would hold 0 and the first call would jump there.
# sspi.h (SChannel's functions) has a switch of its own for the same.
add_compile_definitions(DECLSPEC_IMPORT= _NO_KSECDD_IMPORT_)
include_directories(SYSTEM ${PELLINOR_THIRD_PARTY})
# No DLLs beside the exe: the C and C++ runtimes and winpthread go in statically.
add_link_options(-static -static-libgcc -static-libstdc++)
# Each function and datum in a section of its own, and the linker drops what
# nothing calls: the header-only libraries (Asio, Beast) bring far more code
# than the program uses.
add_compile_options($<$<CONFIG:Release>:-ffunction-sections> $<$<CONFIG:Release>:-fdata-sections>)
add_link_options($<$<CONFIG:Release>:-Wl,--gc-sections>)

# The same commit gives the same bytes in any folder on any day, so that
# anyone can rebuild a release and compare its SHA-256 (docs/releasing.md).
# No link time stamp: the header's stamp (and the checksum over it) would
# otherwise change with every link; 0 keeps a build without scripts/release
# (the Wine tests' copy) equal to the released one. The folders of the source
# and of the build leave no trace of where they were: paths in __FILE__,
# debug info and the generated include folder are written relative to them
# (the build folder's rule last, as the last matching rule wins).
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=build/>")

set(PELLINOR_WIN32_LIBS ws2_32 mswsock comctl32 ole32 oleaut32 uuid shell32 gdi32 user32 advapi32
                       wintrust crypt32 version winhttp secur32)
include(cmake/delay-load.cmake)
pellinor_delay_load(PELLINOR_WIN32_LIBS)

# The download host is compiled into each program (see pellinor_app), so the
# logic is built once for all of them.
file(GLOB PELLINOR_LAYER_SOURCES_transfer CONFIGURE_DEPENDS src/transfer/*.cpp)
list(FILTER PELLINOR_LAYER_SOURCES_transfer EXCLUDE REGEX "/transfer/DownloadBase\\.cpp$")
pellinor_layers(${PELLINOR_WIN32_LIBS})
include(cmake/zstd.cmake)
add_dependencies(pellinor_platform pellinor_delay_imports)

# The real platform: the system services, and the window's own Win32 code
# above the window's logic.
file(GLOB PELLINOR_PLATFORM_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
# Compiled into each executable instead (see the files), yet held to the
# layer's folders like the rest of it: their objects, not a library.
list(FILTER PELLINOR_PLATFORM_WIN32_SOURCES EXCLUDE REGEX "/(TickCount64|WinsockOnLoad)\\.cpp$")
pellinor_layer(platform_win32 "${PELLINOR_PLATFORM_WIN32_SOURCES}" "platform;text" pellinor_text
               platform/win32)
add_library(pellinor_per_executable OBJECT src/platform/win32/TickCount64.cpp
                                           src/platform/win32/WinsockOnLoad.cpp)
target_include_directories(pellinor_per_executable
                           PRIVATE $<TARGET_PROPERTY:pellinor_platform_win32,INCLUDE_DIRECTORIES>)
pellinor_warnings(pellinor_per_executable)
set(PELLINOR_PER_EXECUTABLE_SOURCES $<TARGET_OBJECTS:pellinor_per_executable>)
# https: boost-wintls over SChannel (third_party/boost-wintls/VENDORED.md);
# its MinGW shim comes first on the path.
target_include_directories(pellinor_platform_win32 SYSTEM PRIVATE
                           ${CMAKE_SOURCE_DIR}/third_party/boost-wintls/mingw
                           ${CMAKE_SOURCE_DIR}/third_party/boost-wintls/include)
# Size over speed for the TLS code: its time goes to SChannel and the line.
set_source_files_properties(src/platform/win32/Win32TlsSessions.cpp PROPERTIES COMPILE_OPTIONS -Os)
file(GLOB PELLINOR_WINDOW_WIN32_SOURCES CONFIGURE_DEPENDS src/window/win32/*.cpp)
pellinor_layer(window_win32 "${PELLINOR_WINDOW_WIN32_SOURCES}"
               "platform;text;log;http;transfer;system;commands;window"
               "pellinor_window;pellinor_platform_win32" window/win32)
add_library(pellinor_win32 INTERFACE)
target_link_libraries(pellinor_win32 INTERFACE pellinor_logic pellinor_window_win32)

enable_language(RC)
set_source_files_properties(assets/Pellinor.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/assets/Pellinor.ico;${CMAKE_SOURCE_DIR}/assets/PellinorSmall.ico;${CMAKE_SOURCE_DIR}/assets/illustration.jpg;${CMAKE_SOURCE_DIR}/assets/Pellinor.manifest;${CMAKE_SOURCE_DIR}/assets/Version.h")

# Pellinor.exe in folder, downloading from host by default (over http, or
# over the scheme given after certs) and carrying the keys of the
# certificates in certs (a list; empty for none). Every copy is
# named Pellinor.exe, since the program takes its title from its own name.
function(pellinor_app target folder host certs)
    set(scheme http)
    if(ARGC GREATER 4)
        set(scheme ${ARGV4})
    endif()
    # The default addresses, a file of the transfer layer built for this
    # program's host, within that layer's folders.
    add_library(${target}_download_base OBJECT src/transfer/DownloadBase.cpp)
    target_include_directories(${target}_download_base
                               PRIVATE $<TARGET_PROPERTY:pellinor_transfer,INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target}_download_base PRIVATE PELLINOR_DOWNLOAD_HOST="${host}"
                                                               PELLINOR_DOWNLOAD_SCHEME="${scheme}")
    pellinor_warnings(${target}_download_base)
    add_executable(${target} WIN32 src/Project1.cpp $<TARGET_OBJECTS:${target}_download_base>
                   ${PELLINOR_PER_EXECUTABLE_SOURCES} assets/Pellinor.rc)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME Pellinor RUNTIME_OUTPUT_DIRECTORY ${folder})
    target_link_libraries(${target} PRIVATE pellinor_win32)
    # Version.h: the version the program writes into its support log;
    # PublisherKeyList.inc: the keys it carries.
    pellinor_publisher_keys(${CMAKE_BINARY_DIR}/publisher-keys/${target} "${certs}")
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/assets
                               ${CMAKE_BINARY_DIR}/publisher-keys/${target})
    target_link_options(${target} PRIVATE -municode -mwindows $<$<CONFIG:Release>:-s>)
    pellinor_warnings(${target})
endfunction()

pellinor_app(Pellinor ${CMAKE_BINARY_DIR}/bin "${PELLINOR_DOWNLOAD_HOST}" "${PELLINOR_PUBLISHER_CERTS}"
             ${PELLINOR_DOWNLOAD_SCHEME})

# The same program pointed at a server on 127.0.0.1: for the newcomer's demo
# (scripts/run) and for the Wine tests of the one fixed address, the SDK's.
set(PELLINOR_DEMO_PORT 47651 CACHE STRING "Port of the demo's download server on 127.0.0.1")
set(PELLINOR_TEST_SERVER_PORT 47652 CACHE STRING "Port of the Wine tests' fixed-address server")
pellinor_app(PellinorDemo ${CMAKE_BINARY_DIR}/bin/demo "127.0.0.1:${PELLINOR_DEMO_PORT}" "")

# The support tool: a console program on the same client, static like
# Pellinor.exe.
add_executable(pellinor-fetch src/fetch/FetchMainWindows.cpp ${PELLINOR_PER_EXECUTABLE_SOURCES})
target_include_directories(pellinor-fetch PRIVATE src)
target_link_libraries(pellinor-fetch PRIVATE pellinor_fetch pellinor_win32)
target_link_options(pellinor-fetch PRIVATE -municode $<$<CONFIG:Release>:-s>)
pellinor_warnings(pellinor-fetch)

# --- Wine tests --------------------------------------------------------------
option(PELLINOR_WINE_TESTS "Build the Wine tests" ON)
if(PELLINOR_WINE_TESTS)
    enable_testing()
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    include(GoogleTest)

    # Every test program runs under Wine through this wrapper.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/e2e/wine-run)

    add_custom_target(e2e_tests_programs)
    # Small programs the tests start: each file of helpers/ is one program.
    file(GLOB PELLINOR_HELPER_SOURCES CONFIGURE_DEPENDS tests/e2e/helpers/*.cpp)
    foreach(source ${PELLINOR_HELPER_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_include_directories(${name} PRIVATE tests/e2e)
        target_link_libraries(${name} PRIVATE ${PELLINOR_WIN32_LIBS})
        add_dependencies(${name} pellinor_delay_imports)
        # GUI programs: no console window of their own to steal the focus.
        target_link_options(${name} PRIVATE -municode -mwindows)
    endforeach()

    # The stand-in again with a version block each (windres): an old and a new
    # release of the lock program, and another program of its publisher.
    set(PELLINOR_VERSIONED_STAND_INS "old|7,35,1,0|Tessaron.Exe" "new|7,35,9,0|Tessaron.Exe"
                                     "other|7,35,9,0|SdkSetup.exe")
    foreach(variant ${PELLINOR_VERSIONED_STAND_INS})
        string(REPLACE "|" ";" parts "${variant}")
        list(GET parts 0 which)
        list(GET parts 1 STAND_IN_NUMBERS)
        list(GET parts 2 STAND_IN_NAME)
        string(REPLACE "," "." STAND_IN_TEXT "${STAND_IN_NUMBERS}")
        get_filename_component(STAND_IN_INTERNAL ${STAND_IN_NAME} NAME_WE)
        set(rc ${CMAKE_BINARY_DIR}/stand-ins/tessaron_${which}.rc)
        configure_file(tests/e2e/helpers/tessaron_version.rc.in ${rc} @ONLY)
        add_executable(tessaron_${which} tests/e2e/helpers/tessaron.cpp ${rc})
        target_include_directories(tessaron_${which} PRIVATE tests/e2e)
        target_link_options(tessaron_${which} PRIVATE -municode -mwindows)
        add_dependencies(e2e_tests_programs tessaron_${which})
    endforeach()

    # The new stand-in as a publisher puts it up, with a patch from the old
    # one (scripts/publish): the Wine tests of the smaller files serve them.
    set(published ${CMAKE_BINARY_DIR}/bin/published)
    set(new_stand_in ${CMAKE_BINARY_DIR}/stand-ins/new/Tessaron.Exe)
    add_custom_command(OUTPUT ${published}/Tessaron.Exe.zst
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tessaron_new> ${new_stand_in}
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/publish ${new_stand_in} ${published}
                $<TARGET_FILE:tessaron_old> > ${CMAKE_BINARY_DIR}/stand-ins/published.txt
        DEPENDS tessaron_new tessaron_old ${CMAKE_SOURCE_DIR}/scripts/publish)
    add_custom_target(e2e_published DEPENDS ${published}/Tessaron.Exe.zst)
    add_dependencies(e2e_tests_programs e2e_published)

    pellinor_app(PellinorLocal ${CMAKE_BINARY_DIR}/bin/local "127.0.0.1:${PELLINOR_TEST_SERVER_PORT}" "")

    # The publisher-keys tests' Pellinor.exe: two keys built in, the one in
    # use and the standby, made once for this build folder (a program can
    # only carry keys that exist when it is built). The tests sign with them
    # and with keys of their own made while they run (tests/e2e/pin-fixtures).
    set(PELLINOR_TEST_KEYS ${CMAKE_BINARY_DIR}/test-publisher-keys)
    file(MAKE_DIRECTORY ${PELLINOR_TEST_KEYS})
    foreach(key "publisher|Tessaron Test Publisher" "standby|Tessaron Test Publisher Standby")
        string(REPLACE "|" ";" parts "${key}")
        list(GET parts 0 name)
        list(GET parts 1 subject)
        if(NOT EXISTS ${PELLINOR_TEST_KEYS}/${name}.crt)
            execute_process(COMMAND openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 365
                                    -subj "/CN=${subject}/O=Pellinor Tests/C=CN"
                                    -addext "extendedKeyUsage=codeSigning"
                                    -keyout ${PELLINOR_TEST_KEYS}/${name}.key
                                    -out ${PELLINOR_TEST_KEYS}/${name}.crt
                            RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
            if(failed)
                message(FATAL_ERROR "openssl could not make the test key ${name}")
            endif()
        endif()
    endforeach()
    # The standby's certificate as DER, so that both forms are read; written
    # only when missing or older, as a configure may run while tests read it.
    if(NOT EXISTS ${PELLINOR_TEST_KEYS}/standby.der
       OR ${PELLINOR_TEST_KEYS}/standby.crt IS_NEWER_THAN ${PELLINOR_TEST_KEYS}/standby.der)
        execute_process(COMMAND openssl x509 -in ${PELLINOR_TEST_KEYS}/standby.crt -outform DER
                                -out ${PELLINOR_TEST_KEYS}/standby.der)
    endif()
    pellinor_app(PellinorPinned ${CMAKE_BINARY_DIR}/bin/pinned "127.0.0.1:${PELLINOR_TEST_SERVER_PORT}"
                 "${PELLINOR_TEST_KEYS}/publisher.crt;${PELLINOR_TEST_KEYS}/standby.der")

    # The UI driver, shared by the Wine tests and the demo's driver.
    file(GLOB PELLINOR_DRIVER_SOURCES CONFIGURE_DEPENDS tests/e2e/driver/*.cpp)
    add_library(pellinor_e2e_driver STATIC ${PELLINOR_DRIVER_SOURCES})
    target_include_directories(pellinor_e2e_driver PUBLIC src tests tests/e2e)
    target_link_libraries(pellinor_e2e_driver PUBLIC pellinor_win32)

    file(GLOB PELLINOR_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp tests/support/*.cpp)
    # The frame maker needs zstd's compressor, which only the native build
    # has: the vendored sources are the decoder alone, as the program ships.
    list(FILTER PELLINOR_E2E_SOURCES EXCLUDE REGEX "tests/support/PublishedFrame\\.cpp$")
    add_executable(e2e_tests ${PELLINOR_E2E_SOURCES} src/transfer/DownloadBase.cpp)
    target_compile_definitions(e2e_tests PRIVATE PELLINOR_DOWNLOAD_HOST="${PELLINOR_DOWNLOAD_HOST}"
                               PELLINOR_TEST_SERVER_PORT=${PELLINOR_TEST_SERVER_PORT})
    target_link_libraries(e2e_tests PRIVATE pellinor_e2e_driver gtest gtest_main)
    pellinor_warnings(e2e_tests)
    add_dependencies(e2e_tests Pellinor PellinorLocal PellinorPinned pellinor-fetch
                     e2e_tests_programs)

    # The demo's driver (scripts/run): prepares an old installation and
    # clicks through the upgrade, saving a picture of every step.
    add_executable(pellinor_demo tests/e2e/demo/pellinor_demo.cpp)
    target_link_libraries(pellinor_demo PRIVATE pellinor_e2e_driver)
    target_link_options(pellinor_demo PRIVATE -municode)
    # The Wine benchmark's rounds (scripts/bench): the real Pellinor.exe
    # upgrading through its window, and the plain window program beside it.
    add_executable(upgrade_bench tests/e2e/bench/upgrade_bench.cpp)
    target_link_libraries(upgrade_bench PRIVATE pellinor_e2e_driver)
    target_link_options(upgrade_bench PRIVATE -municode)
    add_dependencies(upgrade_bench Pellinor tessaron plain_window plain_window_common_controls)
    # What decoding a smaller file adds to an upgrade under Wine (docs/speed.md).
    add_executable(frame_decode_bench tests/e2e/bench/frame_decode_bench.cpp)
    target_link_libraries(frame_decode_bench PRIVATE pellinor_win32 psapi)
    target_link_options(frame_decode_bench PRIVATE -municode)
    # Its second reference: the plain window with the program's manifest,
    # loading the common controls before it makes its window.
    add_executable(plain_window_common_controls tests/e2e/helpers/plain_window.cpp
                                                tests/e2e/bench/common_controls.rc)
    target_compile_definitions(plain_window_common_controls
                               PRIVATE PELLINOR_PLAIN_WITH_COMMON_CONTROLS)
    target_link_libraries(plain_window_common_controls PRIVATE comctl32)
    target_link_options(plain_window_common_controls PRIVATE -municode -mwindows)
    if(PELLINOR_HELPER_SOURCES)
        foreach(source ${PELLINOR_HELPER_SOURCES})
            get_filename_component(name ${source} NAME_WE)
            add_dependencies(e2e_tests ${name})
        endforeach()
    endif()
    # The publisher-check tests upgrade to signed copies of the lock
    # program's stand-in, signed with keys made afresh by this step before
    # them (osslsigncode, openssl), so that no key or signed file is kept.
    set(PELLINOR_SIGNED_TESTS "SignedUpgradeTest.*:SignaturesOnWine.*:UnattendedSignedTest.*")
    # The publisher-keys tests sign with the build's two test keys and with
    # keys made afresh by this step before them (tests/e2e/pin-fixtures).
    set(PELLINOR_PINNED_TESTS
        "PublisherKeysOnWine.*:PinnedUpgradeTest.*:PinnedCommandTest.*:PinnedFetchTool.*")
    add_test(NAME e2e_pin_fixtures
             COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/pin-fixtures ${PELLINOR_TEST_KEYS}
                     $<TARGET_FILE:tessaron> $<TARGET_FILE:marker> ${CMAKE_BINARY_DIR}/bin/pin-signed)
    set_tests_properties(e2e_pin_fixtures PROPERTIES FIXTURES_SETUP pinned_files LABELS wine)
    # The proxy tests go through a squid of their own (tests/e2e/squid-rig),
    # started before them and stopped after them by its process id.
    set(PELLINOR_PROXY_TESTS "ProxyUpgradeTest.*:FetchThroughProxy.*")
    add_test(NAME e2e_squid_start
             COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/squid-rig start ${CMAKE_BINARY_DIR}/squid)
    add_test(NAME e2e_squid_stop
             COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/squid-rig stop ${CMAKE_BINARY_DIR}/squid)
    # squid serves the https tests too (their fixture "https").
    set_tests_properties(e2e_squid_start PROPERTIES FIXTURES_SETUP "squid;https" LABELS wine)
    set_tests_properties(e2e_squid_stop PROPERTIES FIXTURES_CLEANUP "squid;https" LABELS wine)
    # The https tests reach the scripted servers through a TLS forwarder of
    # their own (tests/e2e/tls-rig), and one goes through squid's tunnel.
    set(PELLINOR_HTTPS_TESTS "HttpsUpgradeTest.*")
    add_test(NAME e2e_tls_start
             COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/tls-rig start ${CMAKE_BINARY_DIR}/tls)
    add_test(NAME e2e_tls_stop
             COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/tls-rig stop ${CMAKE_BINARY_DIR}/tls)
    set_tests_properties(e2e_tls_start PROPERTIES FIXTURES_SETUP https LABELS wine)
    set_tests_properties(e2e_tls_stop PROPERTIES FIXTURES_CLEANUP https LABELS wine)
    add_test(NAME e2e_signed_fixtures
             COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/sign-fixtures $<TARGET_FILE:tessaron>
                     ${CMAKE_BINARY_DIR}/bin/signed)
    set_tests_properties(e2e_signed_fixtures PROPERTIES FIXTURES_SETUP signed_programs
                         LABELS wine)
    gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         TEST_FILTER "*-${PELLINOR_SIGNED_TESTS}:${PELLINOR_PROXY_TESTS}:${PELLINOR_PINNED_TESTS}:${PELLINOR_HTTPS_TESTS}"
                         PROPERTIES LABELS wine TIMEOUT 180 RUN_SERIAL TRUE)
    gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         TEST_FILTER "${PELLINOR_PINNED_TESTS}"
                         PROPERTIES LABELS wine TIMEOUT 180 RUN_SERIAL TRUE
                                    FIXTURES_REQUIRED pinned_files)
    gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         TEST_FILTER "${PELLINOR_SIGNED_TESTS}"
                         PROPERTIES LABELS wine TIMEOUT 180 RUN_SERIAL TRUE
                                    FIXTURES_REQUIRED signed_programs)
    gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         TEST_FILTER "${PELLINOR_PROXY_TESTS}"
                         PROPERTIES LABELS wine TIMEOUT 180 RUN_SERIAL TRUE
                                    FIXTURES_REQUIRED squid)
    gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         TEST_FILTER "${PELLINOR_HTTPS_TESTS}"
                         PROPERTIES LABELS wine TIMEOUT 180 RUN_SERIAL TRUE
                                    FIXTURES_REQUIRED https)
endif()
