#include "viewer_fixture.h"

#include "settings_capture.h"

void ViewerTest::SetUp()
{
    PluginTest::SetUp();
    activateServers(&session, 4);
    ASSERT_EQ(session.handlerResult, 0);
    instance = session.instanceFuncs.create(nullptr, nullptr, nullptr);
    ASSERT_NE(instance, nullptr);
    framesRendered = 0;  // a new instance numbers its images from 1
}

void ViewerTest::TearDown()
{
    closeViewer();
    if (instance && session.plugin.module) session.instanceFuncs.destroy(instance);
    instance = nullptr;
    PluginTest::TearDown();
}

HWND ViewerTest::render(int n, const char* pattern, int width, int height, int firstFrame)
{
    handOver(n, pattern, width, height, firstFrame);
    viewer = findViewer(5000);
    if (viewer) {
        EXPECT_TRUE(waitForName("Untitled" + std::to_string(framesRendered)));
    }
    return viewer;
}

void ViewerTest::handOver(int n, const char* pattern, int width, int height, int firstFrame)
{
    RenderOptions options;
    options.frames = n;
    options.firstFrame = firstFrame;
    options.pattern = pattern;
    options.width = width;
    options.height = height;
    options.renderStatus = false;
    std::string error;
    EXPECT_TRUE(renderFrames(&session, instance, options, &error)) << error;
    framesRendered += n;
}

// Posted new images are handled after sent messages, so the test waits for
// what it expects rather than for an empty queue.
int ViewerTest::waitForName(const std::string& name, int timeoutMs)
{
    return waitUntil(
        [&] {  // the name alone, or with the reference after it
            std::string text = statusText(viewer, 0);
            return text == name || text.compare(0, name.size() + 3, name + " | ") == 0;
        },
        timeoutMs);
}

// A modal loop looks whether its dialog has ended only when a message
// comes; one that ended while an inner loop (a picker's, say) was still
// taking the messages would wait for the next one. So a harmless message
// goes to the window now and then while it lives.
int ViewerTest::waitGone(HWND window, int timeoutMs)
{
    DWORD start = GetTickCount(), nudged = start;
    while (IsWindow(window)) {
        DWORD now = GetTickCount();
        if (int(now - start) > timeoutMs) return 0;
        if (now - nudged >= 250) {
            PostMessageA(window, WM_NULL, 0, 0);
            nudged = now;
        }
        pumpMessages(10);
    }
    return 1;
}

void ViewerTest::closeViewer()
{
    closeOpenViewers();
}

void ViewerTest::restartWithConfig(const std::string& leaves)
{
    closeViewer();
    if (instance) session.instanceFuncs.destroy(instance);
    instance = nullptr;
    unload();
    writeFile(inCurrent("zr4.cfg"), configText(leaves));
    load();
    activateServers(&session, 4);
    ASSERT_EQ(session.handlerResult, 0);
    instance = session.instanceFuncs.create(nullptr, nullptr, nullptr);
    ASSERT_NE(instance, nullptr);
    framesRendered = 0;  // a new instance numbers its images from 1
}
