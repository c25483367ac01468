# Native build: the portable core with its unit tests and benchmarks.
option(ZR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(ZR_SANITIZE)
    set(SAN -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(zrcore PUBLIC ${SAN})
    target_link_options(zrcore PUBLIC ${SAN})
endif()

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(core_tests ${NATIVE_TESTS})
target_link_libraries(core_tests PRIVATE zrcore GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${WARNINGS})
gtest_discover_tests(core_tests)
