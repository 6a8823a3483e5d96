# The native build: the portable logic, its unit tests and the benchmarks.
option(PELLINOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(PELLINOR_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

find_package(Threads REQUIRED)
find_package(Boost 1.74 REQUIRED)

pellinor_layers(Boost::boost Threads::Threads)
include(cmake/zstd.cmake)
target_compile_definitions(pellinor_transfer PUBLIC PELLINOR_DOWNLOAD_HOST="${PELLINOR_DOWNLOAD_HOST}"
                                                  PELLINOR_DOWNLOAD_SCHEME="${PELLINOR_DOWNLOAD_SCHEME}")

# Real host implementations of the platform services that the tests and the
# benchmarks drive on real folders and sockets.
file(GLOB PELLINOR_POSIX_SOURCES CONFIGURE_DEPENDS src/platform/posix/*.cpp)
pellinor_layer(posix "${PELLINOR_POSIX_SOURCES}" "platform;text" pellinor_text platform/posix)

# The support tool, native: the same client from a Linux command line.
add_executable(pellinor-fetch src/fetch/FetchMainPosix.cpp)
target_include_directories(pellinor-fetch PRIVATE src)
target_link_libraries(pellinor-fetch PRIVATE pellinor_fetch pellinor_posix)
pellinor_warnings(pellinor-fetch)

enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB PELLINOR_TEST_SUPPORT CONFIGURE_DEPENDS tests/fakes/*.cpp tests/support/*.cpp)
add_library(pellinor_test_support STATIC ${PELLINOR_TEST_SUPPORT})
target_include_directories(pellinor_test_support PUBLIC tests)
target_link_libraries(pellinor_test_support PUBLIC pellinor_logic pellinor_posix GTest::gtest)

file(GLOB PELLINOR_TEST_SOURCES CONFIGURE_DEPENDS tests/*_test.cpp)
add_executable(pellinor_tests ${PELLINOR_TEST_SOURCES})
target_link_libraries(pellinor_tests PRIVATE pellinor_test_support pellinor_fetch GTest::gtest_main)
pellinor_warnings(pellinor_tests)
gtest_discover_tests(pellinor_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

# Benchmarks: programs that print ratios against a peer run in the same
# process. Each also runs once among the tests (label bench), with its
# smallest input and no figure asserted, so that one that no longer runs
# fails there instead of rotting unseen; the Wine benchmark runs in
# scripts/test's Wine stage, as it needs the Windows build.
file(GLOB PELLINOR_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
set(PELLINOR_BENCH_SMALLEST_download_bench 1)
set(PELLINOR_BENCH_SMALLEST_resume_bench 1)
foreach(source ${PELLINOR_BENCH_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE pellinor_test_support)
    if(NOT name STREQUAL "wine_upgrade_bench" AND NOT PELLINOR_SANITIZE)
        add_test(NAME bench_${name} COMMAND ${name} ${PELLINOR_BENCH_SMALLEST_${name}})
        set_tests_properties(bench_${name} PROPERTIES LABELS bench TIMEOUT 300)
    endif()
endforeach()

# Small host tools of the tests and the demo (the download server).
file(GLOB PELLINOR_TOOL_SOURCES CONFIGURE_DEPENDS tools/*.cpp)
foreach(source ${PELLINOR_TOOL_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE pellinor_test_support)
endforeach()

# libFuzzer targets of fuzz/, with -DPELLINOR_FUZZ=ON (clang).
include(cmake/fuzz.cmake)
