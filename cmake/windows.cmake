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
include_directories(SYSTEM ${PELLINOR_THIRD_PARTY})
# No DLLs beside the exe: the C and C++ runtimes and winpthread go in statically.
add_link_options(-static -static-libgcc -static-libstdc++)

set(PELLINOR_WIN32_LIBS ws2_32 mswsock comctl32 ole32 oleaut32 uuid shell32 gdi32 user32 advapi32)

add_library(pellinor_logic STATIC ${PELLINOR_LOGIC_SOURCES})
target_include_directories(pellinor_logic PUBLIC src)
target_compile_definitions(pellinor_logic PUBLIC PELLINOR_DOWNLOAD_HOST="${PELLINOR_DOWNLOAD_HOST}")
target_link_libraries(pellinor_logic PUBLIC ${PELLINOR_WIN32_LIBS})
pellinor_warnings(pellinor_logic)

file(GLOB PELLINOR_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
enable_language(RC)
add_executable(Pellinor WIN32 src/Project1.cpp ${PELLINOR_WIN32_SOURCES} assets/Pellinor.rc)
target_link_libraries(Pellinor PRIVATE pellinor_logic)
target_link_options(Pellinor PRIVATE -municode -mwindows)
pellinor_warnings(Pellinor)
set_source_files_properties(assets/Pellinor.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/assets/Pellinor.ico;${CMAKE_SOURCE_DIR}/assets/illustration.jpg;${CMAKE_SOURCE_DIR}/assets/Pellinor.manifest")

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

    # Small programs the tests start: each file of helpers/ is one program.
    file(GLOB PELLINOR_HELPER_SOURCES CONFIGURE_DEPENDS tests/e2e/helpers/*.cpp)
    foreach(source ${PELLINOR_HELPER_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_include_directories(${name} PRIVATE tests/e2e)
        target_link_libraries(${name} PRIVATE ${PELLINOR_WIN32_LIBS})
        # GUI programs: no console window of their own to steal the focus.
        target_link_options(${name} PRIVATE -municode -mwindows)
    endforeach()

    # The real platform services without the window, so the Wine tests can
    # run the logic (KillTask, GetShellFolder, Delay, ...) on the real system.
    add_library(pellinor_win32_services STATIC
                src/platform/win32/Utf.cpp src/platform/win32/Win32FileSystem.cpp
                src/platform/win32/Win32Processes.cpp src/platform/win32/Win32Registry.cpp
                src/platform/win32/Win32Shell.cpp src/platform/win32/Win32SystemInfo.cpp)
    target_link_libraries(pellinor_win32_services PUBLIC pellinor_logic)
    pellinor_warnings(pellinor_win32_services)

    file(GLOB PELLINOR_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp tests/e2e/driver/*.cpp tests/support/*.cpp)
    add_executable(e2e_tests ${PELLINOR_E2E_SOURCES})
    target_include_directories(e2e_tests PRIVATE src tests tests/e2e)
    target_link_libraries(e2e_tests PRIVATE pellinor_win32_services gtest gtest_main ${PELLINOR_WIN32_LIBS})
    pellinor_warnings(e2e_tests)
    add_dependencies(e2e_tests Pellinor)
    if(PELLINOR_HELPER_SOURCES)
        foreach(source ${PELLINOR_HELPER_SOURCES})
            get_filename_component(name ${source} NAME_WE)
            add_dependencies(e2e_tests ${name})
        endforeach()
    endif()
    gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES LABELS wine TIMEOUT 180 RUN_SERIAL TRUE)
endif()
