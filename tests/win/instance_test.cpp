// The handler's instance functions and a render whose frames the plug-in
// accepts, driven through the records the host filled at activation.
#include <windows.h>

#include <vector>

#include "plugin_fixture.h"
#include "zrhost/render.h"
#include "zrhost/viewer_remote.h"

namespace {

class InstanceTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        activateServers(&session, 4);
        ASSERT_EQ(session.handlerResult, 0);
    }

    LWInstance create(LWError* err)
    {
        return session.instanceFuncs.create(nullptr, nullptr, err);
    }

    // One frame of width × height through begin, write and pause; returns
    // begin's error text.
    LWError renderFrame(LWInstance inst, int width, int height, float value)
    {
        LWError err = session.handler.begin(inst);
        std::vector<float> row(size_t(width > 0 ? width : 1), value);
        for (int y = 0; y < height; y++)
            session.handler.write(inst, row.data(), row.data(), row.data(), row.data());
        session.handler.pause(inst);
        return err;
    }

    // Begin and every row, without the pause that hands the frame over.
    void beginFrame(LWInstance inst, int width, int height, float value)
    {
        ASSERT_EQ(session.handler.begin(inst), nullptr);
        std::vector<float> row(size_t(width), value);
        for (int y = 0; y < height; y++) session.handler.write(inst, row.data(), row.data(), row.data(), row.data());
    }

    // Closes the viewer the frames opened and waits until its thread is done.
    // Frames still on their way when it closes open a new viewer (they are
    // not lost), so that one is closed too, until none comes back.
    void closeViewer()
    {
        ASSERT_NE(findViewer(5000), nullptr);
        ASSERT_TRUE(closeOpenViewers(300));
    }

};

}  // namespace

// Frames begun and never paused are freed by the next begin or by close;
// the viewer frees what it held when it closes.
TEST_F(InstanceTest, FramesOfManyRendersLeaveNothingBehind)
{
    LWInstance inst = create(nullptr);
    const int w = 1920, h = 1080;  // 33 MB of floats per frame
    session.handler.open(inst, w, h);
    ASSERT_EQ(renderFrame(inst, w, h, 0.25f), nullptr);
    closeViewer();
    SIZE_T before = committedBytes();
    for (int render = 0; render < 3; render++) {
        session.handler.open(inst, w, h);
        for (int frame = 0; frame < 4; frame++) ASSERT_EQ(renderFrame(inst, w, h, 0.25f), nullptr);
        session.handler.begin(inst);
        session.handler.begin(inst);
        session.handler.close(inst);
    }
    closeViewer();
    SIZE_T after = committedBytes();
    // Two frames of slack: a 32-bit heap may keep the last large block it freed.
    EXPECT_LT(after, before + 2 * SIZE_T(w) * h * 16) << "before " << before << " after " << after;
    session.instanceFuncs.destroy(inst);
}

// A frame posted to a viewer just after the user closed it reaches a new
// viewer. The viewer's thread is held still while the close and then the
// frame are posted, so the frame is sure to be behind the close.
TEST_F(InstanceTest, AFrameSentToAClosingViewerOpensANewOneAndNothingLeaks)
{
    // Closing the render status would ask the held thread for its title.
    writeFile(inCurrent("zr4.cfg"), "{ ZRConfig\nCloseRenderStatus 0\n}\n");
    activateServers(&session, 4);
    LWInstance a = create(nullptr), b = create(nullptr);
    const int w = 2500, h = 2500;  // 100 MB of floats per frame
    session.handler.open(a, w, h);
    session.handler.open(b, w, h);
    ASSERT_EQ(renderFrame(a, w, h, 0.25f), nullptr);
    closeViewer();
    SIZE_T before = committedBytes();
    for (int round = 1; round <= 2; round++) {
        beginFrame(b, w, h, 0.75f);
        ASSERT_EQ(renderFrame(a, w, h, 0.5f), nullptr);
        HWND viewer = findViewer(5000);
        ASSERT_NE(viewer, nullptr);
        settleViewer(viewer);
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(viewer, nullptr));
        ASSERT_NE(thread, nullptr);
        SuspendThread(thread);
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        session.handler.pause(b);
        ResumeThread(thread);
        CloseHandle(thread);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(viewer); }, 10000));
        HWND next = findViewer(5000);
        ASSERT_NE(next, nullptr) << "the frame sent as the viewer closed opens a new viewer";
        std::string name = "Untitled" + std::to_string(round);  // b's own image numbers
        EXPECT_TRUE(waitUntil([&] { return statusText(next, 0) == name; }, 5000)) << statusText(next, 0);
        closeViewer();
    }
    SIZE_T after = committedBytes();
    EXPECT_LT(after, before + SIZE_T(w) * h * 16) << "before " << before << " after " << after;
    session.handler.close(a);
    session.handler.close(b);
    session.instanceFuncs.destroy(a);
    session.instanceFuncs.destroy(b);
}
