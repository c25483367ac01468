// The road of a frame to the display thread, step by step as the two
// threads take it: never two threads, never a frame lost, always in order.
#include <gtest/gtest.h>

#include <vector>

#include "host/frame_queue.h"
#include "image/image.h"
#include "image/pixel_memory.h"

namespace {

class FrameQueueTest : public ::testing::Test {
protected:
    void SetUp() override { before = livePixelBuffers(); }
    void TearDown() override
    {
        while (Image* image = takeQueuedFrame(&q)) freeImage(image);
        for (Image* image : frames) freeImage(image);
        EXPECT_EQ(livePixelBuffers(), before);
    }

    static Image* frame(int number) { return newImage(1, 1, number, 0); }

    // The numbers of the queued frames, front first, taking them.
    std::vector<int> drain()
    {
        std::vector<int> numbers;
        while (Image* image = takeQueuedFrame(&q)) {
            numbers.push_back(image->imageNumber);
            freeImage(image);
        }
        return numbers;
    }

    FrameQueue q = {};
    std::vector<Image*> frames;  // handed to a thread or posted: the test frees them
    int before = 0;
    int viewerWindow = 0;
};

}  // namespace

TEST_F(FrameQueueTest, FramesWaitForAStartingThreadAndThenGoToItsViewer)
{
    EXPECT_EQ(routeFrame(&q), ROUTE_START);
    EXPECT_EQ(q.state, DISPLAY_STARTING);
    EXPECT_EQ(routeFrame(&q), ROUTE_QUEUE) << "no second thread while the first starts";
    ASSERT_TRUE(queueFrame(&q, frame(2)));
    ASSERT_TRUE(queueFrame(&q, frame(3)));
    viewerOpened(&q, &viewerWindow);
    EXPECT_EQ(drain(), (std::vector<int>{2, 3}));
    EXPECT_EQ(routeFrame(&q), ROUTE_POST);
}

TEST_F(FrameQueueTest, AViewerThatCouldNotOpenTakesNoPosts)
{
    EXPECT_EQ(routeFrame(&q), ROUTE_START);
    viewerOpened(&q, nullptr);
    EXPECT_EQ(routeFrame(&q), ROUTE_QUEUE);
}

// The viewer gives back what was posted to it before it closed; frames that
// came after the close began stay behind those.
TEST_F(FrameQueueTest, FramesGivenBackByAClosingViewerComeFirstInTheirOrder)
{
    routeFrame(&q);
    viewerOpened(&q, &viewerWindow);
    viewerClosing(&q);
    EXPECT_EQ(routeFrame(&q), ROUTE_QUEUE) << "nothing is posted to a closing viewer";
    ASSERT_TRUE(queueFrame(&q, frame(5)));
    ASSERT_TRUE(giveBackFrame(&q, frame(3)));
    ASSERT_TRUE(giveBackFrame(&q, frame(4)));
    ASSERT_TRUE(queueFrame(&q, frame(6)));
    Image* next = nextFrameForThread(&q, false);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->imageNumber, 3);
    frames.push_back(next);
    EXPECT_EQ(q.state, DISPLAY_STARTING) << "the same thread opens a new viewer";
    EXPECT_EQ(drain(), (std::vector<int>{4, 5, 6}));
}

TEST_F(FrameQueueTest, GivingBackAfterTheFrontWasTakenStillKeepsTheOrder)
{
    routeFrame(&q);
    viewerOpened(&q, &viewerWindow);
    viewerClosing(&q);
    ASSERT_TRUE(giveBackFrame(&q, frame(1)));
    frames.push_back(takeQueuedFrame(&q));
    ASSERT_TRUE(queueFrame(&q, frame(3)));
    ASSERT_TRUE(giveBackFrame(&q, frame(2)));
    EXPECT_EQ(drain(), (std::vector<int>{2, 3}));
    ASSERT_TRUE(giveBackFrame(&q, frame(4)));
    EXPECT_EQ(drain(), (std::vector<int>{4})) << "the tail follows an insert at the end";
    ASSERT_TRUE(queueFrame(&q, frame(5)));
    EXPECT_EQ(drain(), (std::vector<int>{5}));
}

// Between the viewer's end and the thread's finish (while the window that
// was in front comes back) a frame waits for this thread: a second thread
// would open a viewer that the restore then pushes behind the host.
TEST_F(FrameQueueTest, TheThreadIsNotFinishedUntilItSaysSo)
{
    routeFrame(&q);
    viewerOpened(&q, &viewerWindow);
    viewerClosing(&q);
    EXPECT_EQ(nextFrameForThread(&q, false), nullptr);
    EXPECT_EQ(q.viewer, nullptr);
    EXPECT_EQ(routeFrame(&q), ROUTE_QUEUE);
    ASSERT_TRUE(queueFrame(&q, frame(8)));
    Image* next = nextFrameForThread(&q, true);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->imageNumber, 8);
    frames.push_back(next);
    EXPECT_EQ(q.state, DISPLAY_STARTING);
    viewerOpened(&q, &viewerWindow);
    viewerClosing(&q);
    EXPECT_EQ(nextFrameForThread(&q, true), nullptr);
    EXPECT_EQ(q.state, DISPLAY_NONE);
    EXPECT_EQ(routeFrame(&q), ROUTE_START) << "a frame after the finish starts a new thread";
}

TEST_F(FrameQueueTest, AThreadThatDidNotStartLetsTheNextFrameTryAgain)
{
    EXPECT_EQ(routeFrame(&q), ROUTE_START);
    threadNotStarted(&q);
    EXPECT_EQ(routeFrame(&q), ROUTE_START);
}
