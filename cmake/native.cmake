# Native build: the portable core with its unit tests and benchmarks.
option(ZR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(ZR_SANITIZE)
    # A float out of an integer's range is undefined behaviour that x86 hides.
    set(SAN -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_compile_options(zrcore PUBLIC ${SAN})
    target_link_options(zrcore PUBLIC ${SAN})
endif()

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
# The host's text-form states are portable: the tests read and write
# settings blocks through the same states the stand-in host uses.
add_library(hosttext STATIC ${CMAKE_SOURCE_DIR}/tools/zrhost/text_state.cpp ${CMAKE_SOURCE_DIR}/tools/zrhost/patterns.cpp)
target_include_directories(hosttext PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src/sdk)
target_compile_options(hosttext PRIVATE ${WARNINGS})
if(ZR_SANITIZE)
    # The states write into the plug-in's buffers: checked on both sides.
    target_compile_options(hosttext PRIVATE ${SAN})
endif()

add_executable(core_tests ${NATIVE_TESTS})
target_link_libraries(core_tests PRIVATE zrcore hosttext GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${WARNINGS})
gtest_discover_tests(core_tests PROPERTIES TIMEOUT 120)

# libFuzzer targets (clang only): make fuzz.
option(ZR_FUZZ "Build the fuzz targets" OFF)
if(ZR_FUZZ)
    set(FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g)
    target_compile_options(zrcore PUBLIC ${FUZZ_FLAGS})
    target_compile_options(hosttext PUBLIC ${FUZZ_FLAGS})
    add_executable(settings_fuzz ${CMAKE_SOURCE_DIR}/tests/fuzz/settings_reader_fuzz.cpp)
    target_link_libraries(settings_fuzz PRIVATE zrcore hosttext)
    target_link_options(settings_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
endif()

# Benchmarks: make bench.
find_package(benchmark QUIET)
if(benchmark_FOUND)
    file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
    add_executable(display_bench ${BENCH_SOURCES})
    target_link_libraries(display_bench PRIVATE zrcore hosttext benchmark::benchmark)
    target_compile_options(display_bench PRIVATE ${WARNINGS})
endif()

# IFF and BMP files of known pixels, for readers that are not ours
# (tests/readers/check_readers.sh, run by make test).
add_executable(write_samples ${CMAKE_SOURCE_DIR}/tests/readers/write_samples.cpp ${CMAKE_SOURCE_DIR}/tests/native/disk_files.cpp)
target_link_libraries(write_samples PRIVATE zrcore)
target_compile_options(write_samples PRIVATE ${WARNINGS})
