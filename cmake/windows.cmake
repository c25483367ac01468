# Windows build: the plug-in zr40.p, the stand-in host zrhost.exe and the
# tests that drive the real plug-in through the host's loader.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The display pipeline's GDI drawing, a library of its own so that the
# Wine tests can draw with it and read the bits back.
set(DISPLAY_WIN_SOURCES ${PLATFORM_SOURCES})
list(FILTER DISPLAY_WIN_SOURCES INCLUDE REGEX "/src/display/")
list(FILTER PLATFORM_SOURCES EXCLUDE REGEX "/src/display/")
add_library(zrdisplaywin STATIC ${DISPLAY_WIN_SOURCES})
target_link_libraries(zrdisplaywin PUBLIC zrcore gdi32)
target_compile_options(zrdisplaywin PRIVATE ${WARNINGS})

add_library(plugin SHARED
    ${PLATFORM_SOURCES}
    ${CMAKE_SOURCE_DIR}/src/resources/zr40.rc
    ${CMAKE_SOURCE_DIR}/src/resources/zr40.def)
set_target_properties(plugin PROPERTIES PREFIX "" SUFFIX ".p" OUTPUT_NAME zr40)
target_link_libraries(plugin PRIVATE zrdisplaywin zrcore comctl32 comdlg32 gdi32 user32 kernel32)
target_compile_options(plugin PRIVATE ${WARNINGS})
target_link_options(plugin PRIVATE -s)

file(GLOB HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/zrhost/*.cpp)
set(HOST_LIBRARY_SOURCES ${HOST_SOURCES})
list(FILTER HOST_LIBRARY_SOURCES EXCLUDE REGEX "/main\\.cpp$")
# The host side never sees the plug-in's internals: only the host
# interface headers.
add_library(hostcore STATIC ${HOST_LIBRARY_SOURCES})
target_include_directories(hostcore PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src/sdk)
target_link_libraries(hostcore PUBLIC comctl32 gdi32 user32 kernel32)
target_compile_options(hostcore PRIVATE ${WARNINGS})

add_executable(zrhost ${CMAKE_SOURCE_DIR}/tools/zrhost/main.cpp)
target_link_libraries(zrhost PRIVATE hostcore)
target_compile_options(zrhost PRIVATE ${WARNINGS})
target_link_options(zrhost PRIVATE -mwindows -mconsole)

file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TESTS})
# The tests drive the plug-in through the host's loader; the display
# library only lets them draw what the plug-in draws, to compare with it.
target_link_libraries(win_tests PRIVATE hostcore zrdisplaywin GTest::gtest_main)
target_compile_options(win_tests PRIVATE ${WARNINGS})
add_dependencies(win_tests plugin zrhost)

# Tests that run Wine are added only where the emulator can run them;
# the i686 build sets ZR_RUN_WINE_TESTS from the 32-bit probe.
option(ZR_RUN_WINE_TESTS "Register the Wine tests with CTest" ON)
if(ZR_RUN_WINE_TESTS)
    gtest_discover_tests(win_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR} TEST_FILTER -RenderStatusTest.*:PointerTest.*:*ClipboardTest.*:PrintTest.*
        PROPERTIES TIMEOUT 120)
    # Every plug-in sends Escape to the first "Render Status" window on the
    # desktop, whichever process owns it, and the pointer and the clipboard
    # are one for the whole display, so the tests that count those escapes,
    # move the pointer, use the clipboard or read the PDF printer's folder
    # run alone.
    gtest_discover_tests(win_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR} TEST_FILTER RenderStatusTest.*:PointerTest.*:*ClipboardTest.*:PrintTest.*
        PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
    file(GLOB SCRIPT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scripts/*.sh)
    foreach(script ${SCRIPT_TESTS})
        get_filename_component(name ${script} NAME_WE)
        add_test(NAME script.${name} COMMAND sh ${script} ${CMAKE_BINARY_DIR} ${CMAKE_CROSSCOMPILING_EMULATOR}
            WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
        # 77: what the script needs is not on this machine (a printer, a
        # file system that can lock a folder).
        set_tests_properties(script.${name} PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77)
    endforeach()
    # The PDF printer's folder and its queues are one for the whole machine.
    set_tests_properties(script.print_pdf script.print_refused PROPERTIES RUN_SERIAL TRUE)
endif()

# Prints which Wine ran it; the 32-bit probe runs this.
add_executable(wine_probe ${CMAKE_SOURCE_DIR}/tools/wine_probe.c)
target_link_libraries(wine_probe PRIVATE user32)

# The portable core's unit tests again, as Windows programs: the same
# results from the 32-bit and 64-bit compilers as from the native one.
file(GLOB CORE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(core_tests ${CORE_TESTS} ${CMAKE_SOURCE_DIR}/tools/zrhost/text_state.cpp ${CMAKE_SOURCE_DIR}/tools/zrhost/patterns.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/file_replace_win.cpp)
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src/sdk)
target_link_libraries(core_tests PRIVATE zrcore GTest::gtest_main)
if(ZR_RUN_WINE_TESTS)
    add_test(NAME core_tests COMMAND core_tests --gtest_brief=1)
    set_tests_properties(core_tests PROPERTIES TIMEOUT 300)
endif()
