// The session's arithmetic: render time and frame number.
#include <gtest/gtest.h>
#include <string.h>

#include <vector>

#include "host/activation.h"
#include "host/render_status.h"
#include "host/services.h"
#include "host/session.h"
#include "host/viewer_handoff.h"
#include "image/image.h"
#include "image/pixel_memory.h"
#include "settings/settings.h"

TEST(RenderTime, IsTenthsOfASecondSinceOpenTruncated)
{
    EXPECT_EQ(renderTimeTenths(1000, 1000 + 83460), 834);
    EXPECT_EQ(renderTimeTenths(0, 99), 0);
    EXPECT_EQ(renderTimeTenths(0, 100), 1);
    EXPECT_EQ(renderTimeTenths(5, 5), 0);
}

TEST(RenderTime, SurvivesTheClockWrapping)
{
    EXPECT_EQ(renderTimeTenths(0xFFFFFF00u, 0x00000100u), 5);
}

TEST(FrameNumber, RoundsHalfUpFromTheHostTime)
{
    EXPECT_EQ(frameNumberAt(30.0, 1.4666f), 44);
    EXPECT_EQ(frameNumberAt(30.0, 0.0f), 0);
    EXPECT_EQ(frameNumberAt(25.0, 2.0f), 50);
    EXPECT_EQ(frameNumberAt(24.0, 1.0f / 48.0f), 1);  // exactly half a frame
    EXPECT_EQ(frameNumberAt(29.97, 10.0f), 300);
}

// The session as the host drives it, with a clock and services of the
// test's own.

namespace {

uint32_t g_now;
Image* g_handed;
int g_closings;
LWInterfaceInfo g_interface;
LWSceneInfo g_scene;

uint32_t testClock() { return g_now; }
void keepImage(Image* image) { freeImage(g_handed); g_handed = image; }
void countClosing() { g_closings++; }

void* testLookup(const char* name, int)
{
    if (strcmp(name, LWINTERFACEINFO_GLOBAL) == 0) return &g_interface;
    if (strcmp(name, LWSCENEINFO_GLOBAL) == 0) return &g_scene;
    return nullptr;
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_now = 5000;
        g_handed = nullptr;
        g_closings = 0;
        memset(&g_scene, 0, sizeof g_scene);
        g_scene.framesPerSecond = 30.0;
        g_scene.numPoints = 777;
        g_interface.curTime = 1.4666;
        setSessionPlatform({keepImage, countClosing, testClock, nullptr});
        hostServices()->lookup = testLookup;
        memset(&session, 0, sizeof session);
        applyDefaultSettings(settingsRecord());
    }
    void TearDown() override
    {
        fbClose(&session);
        freeImage(g_handed);
        g_handed = nullptr;
        hostServices()->lookup = nullptr;
    }

    void frame(int width, int height)
    {
        ASSERT_EQ(fbBegin(&session), nullptr);
        std::vector<float> row(size_t(width), 0.5f);
        for (int y = 0; y < height; y++) fbWrite(&session, row.data(), row.data(), row.data(), row.data());
        fbPause(&session);
    }

    FrameBufferSession session;
};

}  // namespace

TEST_F(SessionTest, MeasuresRenderTimeFromOpenAndFrameNumberFromTheHostTime)
{
    fbOpen(&session, 4, 2);
    g_now += 83460;
    frame(4, 2);
    ASSERT_NE(g_handed, nullptr);
    EXPECT_EQ(g_handed->renderTime, 834);
    EXPECT_EQ(g_handed->frameNumber, 44);
    EXPECT_EQ(sceneFactInt(g_handed, SCENE_POINTS), 777);
    EXPECT_EQ(g_handed->imageNumber, 1);
}

// The host opens once for a sequence and moves its time on with each frame.
TEST_F(SessionTest, EachFrameOfASequenceHasItsOwnNumberAndRenderTime)
{
    fbOpen(&session, 2, 2);
    for (int i = 0; i < 5; i++) {
        g_interface.curTime = (12 + i) / 30.0;
        g_now += 2000 + 100 * uint32_t(i);
        frame(2, 2);
        EXPECT_EQ(g_handed->frameNumber, 12 + i);
        EXPECT_EQ(g_handed->renderTime, 20 + i) << "counted from the previous frame's pause";
    }
}

TEST_F(SessionTest, NumbersImagesAcrossRendersOfOneInstance)
{
    for (int render = 0; render < 2; render++) {
        fbOpen(&session, 2, 2);
        frame(2, 2);
        frame(2, 2);
        fbClose(&session);
    }
    EXPECT_EQ(g_handed->imageNumber, 4);
}

TEST_F(SessionTest, ClosesTheRenderStatusAtPauseOnlyWhenAsked)
{
    fbOpen(&session, 2, 2);
    frame(2, 2);
    EXPECT_EQ(g_closings, 1);
    settingsRecord()->closeRenderStatus = 0;
    frame(2, 2);
    EXPECT_EQ(g_closings, 1);
}

TEST_F(SessionTest, WithoutHostTimeOrSceneTheFrameNumberIsZero)
{
    hostServices()->lookup = nullptr;
    fbOpen(&session, 2, 2);
    frame(2, 2);
    EXPECT_EQ(g_handed->frameNumber, 0);
    EXPECT_EQ(sceneFactInt(g_handed, SCENE_POINTS), 0);
}

TEST_F(SessionTest, BeginThenCloseHandsNothingOver)
{
    fbOpen(&session, 2, 2);
    ASSERT_EQ(fbBegin(&session), nullptr);
    fbClose(&session);
    EXPECT_EQ(g_handed, nullptr);
    EXPECT_EQ(session.image, nullptr);
}

TEST_F(SessionTest, AFailedBeginLeavesWriteAndPauseHarmless)
{
    fbOpen(&session, 0, 5);
    EXPECT_STREQ(fbBegin(&session), "ZR couldn't allocate image buffer.");
    float row[1] = {1};
    fbWrite(&session, row, row, row, row);
    fbPause(&session);
    EXPECT_EQ(g_handed, nullptr);
    EXPECT_EQ(g_closings, 0);
}

TEST_F(SessionTest, DestroyingAnInstanceFreesTheImageItHolds)
{
    int before = livePixelBuffers();
    LWInstance inst = createInstance(nullptr, nullptr, nullptr);
    ASSERT_NE(inst, nullptr);
    fbOpen(inst, 3, 2);
    ASSERT_EQ(fbBegin(inst), nullptr);
    EXPECT_EQ(livePixelBuffers(), before + 4);
    destroyInstance(inst);  // no close first
    EXPECT_EQ(livePixelBuffers(), before);
    EXPECT_EQ(g_handed, nullptr);
    destroyInstance(nullptr);
}

TEST(RenderStatusWindow, IsTheHostsClassWithATitleThatBeginsRight)
{
    EXPECT_TRUE(isRenderStatusClass("WMgrBasic"));
    EXPECT_FALSE(isRenderStatusClass("WMgrBasicX"));
    EXPECT_FALSE(isRenderStatusClass("WMgrBasi"));
    EXPECT_TRUE(isRenderStatusWindow("WMgrBasic", "Render Status"));
    EXPECT_TRUE(isRenderStatusWindow("WMgrBasic", "Render Status - Frame 12 (3.2 s)"));
    EXPECT_FALSE(isRenderStatusWindow("WMgrBasic", "render status - Frame 1")) << "case counts";
    EXPECT_FALSE(isRenderStatusWindow("WMgrBasicX", "Render Status")) << "the whole class name";
    EXPECT_FALSE(isRenderStatusWindow("WMgrBasi", "Render Status"));
    EXPECT_FALSE(isRenderStatusWindow("WMgrBasic", "Render Statu"));
    EXPECT_FALSE(isRenderStatusWindow("", ""));
}
