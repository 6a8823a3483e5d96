# The libFuzzer targets (clang only): one program per fuzz/*.cpp, over the
# logic built with the fuzzer's coverage, AddressSanitizer and
# UndefinedBehaviorSanitizer. Build them alone, in a folder of their own:
#   cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DPELLINOR_FUZZ=ON
#   cmake --build build/fuzz --target pellinor_fuzz
option(PELLINOR_FUZZ "Build the libFuzzer targets of fuzz/ (clang)" OFF)
if(NOT PELLINOR_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "PELLINOR_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++)")
endif()

set(PELLINOR_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
# Everything the targets link is instrumented; whatever else links it gets
# the sanitizer runtimes with it.
foreach(lib ${PELLINOR_LAYER_LIBS} pellinor_test_support)
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link ${PELLINOR_FUZZ_SANITIZERS})
    target_link_options(${lib} INTERFACE -fsanitize=address,undefined)
endforeach()

file(GLOB PELLINOR_FUZZ_SUPPORT CONFIGURE_DEPENDS fuzz/support/*.cpp)
add_library(pellinor_fuzz_support STATIC ${PELLINOR_FUZZ_SUPPORT})
target_include_directories(pellinor_fuzz_support PUBLIC fuzz)
target_compile_options(pellinor_fuzz_support PRIVATE -fsanitize=fuzzer-no-link
                       ${PELLINOR_FUZZ_SANITIZERS})
target_link_libraries(pellinor_fuzz_support PUBLIC pellinor_test_support)
pellinor_warnings(pellinor_fuzz_support)

add_custom_target(pellinor_fuzz)
file(GLOB PELLINOR_FUZZ_SOURCES CONFIGURE_DEPENDS fuzz/*.cpp)
foreach(source ${PELLINOR_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${PELLINOR_FUZZ_SANITIZERS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE pellinor_fuzz_support)
    pellinor_warnings(fuzz_${name})
    add_dependencies(pellinor_fuzz fuzz_${name})
endforeach()
