// Frames replaced in the viewer give their memory to the next frame of the
// same size: the host's next image takes the channels, the next view the
// display bitmaps. Nothing is kept twice, lost, or handed out with stale
// facts.
#include <gtest/gtest.h>
#include <string.h>

#include <atomic>
#include <thread>

#include "display/levels.h"
#include "image/pixel_memory.h"
#include "image_test_util.h"
#include "settings_test_util.h"

namespace {

class RecycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freeAllSlots();
        live = livePixelBuffers();
    }
    void TearDown() override
    {
        freeAllSlots();
        EXPECT_EQ(livePixelBuffers(), live) << "every buffer released";
    }
    int live = 0;
};

Image* filledImage(int w, int h, int number, float value)
{
    Image* image = newImage(w, h, number, 5);
    for (int i = 0; i < w * h; i++) image->red[i] = image->green[i] = image->blue[i] = image->alpha[i] = value;
    return image;
}

}  // namespace

TEST_F(RecycleTest, TheNextImageOfTheSameSizeTakesTheChannelsWithFreshFacts)
{
    Image* old = filledImage(5, 3, 7, 0.25f);
    old->black = 0.3f;
    old->frameNumber = 44;
    memset(old->sceneFacts, 0xAB, sizeof old->sceneFacts);
    const float* channels[4] = {old->red, old->green, old->blue, old->alpha};
    recycleImage(old);
    EXPECT_EQ(livePixelBuffers(), live + 4) << "kept, not freed";

    ImagePtr next(newImage(5, 3, 8, 12));
    ASSERT_TRUE(next);
    const float* taken[4] = {next->red, next->green, next->blue, next->alpha};
    for (int c = 0; c < 4; c++) EXPECT_EQ(taken[c], channels[c]) << "channel " << c;
    EXPECT_EQ(next->width, 5);
    EXPECT_EQ(next->height, 3);
    EXPECT_EQ(next->imageNumber, 8);
    EXPECT_EQ(next->renderTime, 12);
    EXPECT_EQ(next->frameNumber, 0);
    EXPECT_EQ(next->black, 0.0f);
    EXPECT_EQ(next->white, 1.0f);
    EXPECT_GT(next->creationTime, 0);
    for (uint8_t b : next->sceneFacts) ASSERT_EQ(b, 0) << "no facts of the old render";

    ImagePtr after(newImage(5, 3, 9, 0));
    EXPECT_NE(after->red, channels[0]) << "taken once only";
}

TEST_F(RecycleTest, AnotherSizeFreesTheKeptImageAndAllocates)
{
    // 3 x 5 has as many samples as 5 x 3, but not its rows.
    for (auto [w, h] : {std::pair<int, int>{3, 5}, {5, 4}, {4, 3}}) {
        recycleImage(filledImage(5, 3, 1, 0.5f));
        ImagePtr next(newImage(w, h, 2, 0));
        ASSERT_TRUE(next);
        EXPECT_EQ(livePixelBuffers(), live + 4) << w << "x" << h << ": the kept image was freed";
    }
}

TEST_F(RecycleTest, OneImageAtMostIsKept)
{
    recycleImage(filledImage(4, 4, 1, 0.1f));
    recycleImage(filledImage(4, 4, 2, 0.2f));
    EXPECT_EQ(livePixelBuffers(), live + 4);
    recycleImage(nullptr);  // nothing to give: the kept one goes
    EXPECT_EQ(livePixelBuffers(), live);
    recycleImage(filledImage(4, 4, 3, 0.3f));
    releaseRecycledImage();
    EXPECT_EQ(livePixelBuffers(), live);
}

TEST_F(RecycleTest, AReplacedSlotsBitmapsServeTheNextImageRebuiltAndCleared)
{
    Settings settings = defaultSettings();
    ASSERT_EQ(storeImageInSlot(filledImage(9, 2, 1, 1.0f), &settings, 0, rebuildDisplay), 1);
    View* old = viewInSlot(0);
    const DisplayBitmap* bitmaps[4] = {old->colour, old->alpha, old->hotMask, old->safeOverlay};
    const float* red = old->image->red;
    strcpy(old->notes, "the old frame's notes");
    old->undo = {copyImageRegion(old->image, 0, 0, 2, 2), 0, 0};
    memset(old->safeOverlay->pixels, 0x00, size_t(old->safeOverlay->stride) * 2);  // as if areas were drawn

    retireSlot(0);
    EXPECT_TRUE(isSlotEmpty(0));
    Image* next = newImage(9, 2, 2, 0);
    EXPECT_EQ(next->red, red) << "the host's next frame writes into the old channels";
    for (int i = 0; i < 18; i++) next->red[i] = next->green[i] = next->blue[i] = next->alpha[i] = 0.0f;
    ASSERT_EQ(storeImageInSlot(next, &settings, 3, rebuildDisplay), 1);

    View* view = viewInSlot(3);
    EXPECT_EQ(view->colour, bitmaps[0]);
    EXPECT_EQ(view->alpha, bitmaps[1]);
    EXPECT_EQ(view->hotMask, bitmaps[2]);
    EXPECT_EQ(view->safeOverlay, bitmaps[3]);
    EXPECT_STREQ(view->name, "Untitled2");
    EXPECT_STREQ(view->notes, "");
    EXPECT_EQ(view->undo.piece, nullptr) << "nothing to undo in a new image";
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 9; x++) {
            ASSERT_EQ(bitmapRow(view->colour, y)[3 * x], 0) << "rebuilt from the black frame";
            ASSERT_EQ(bitmapRow(view->alpha, y)[x], 0);
        }
    for (int i = 0; i < view->safeOverlay->stride * 2; i++) ASSERT_EQ(view->safeOverlay->pixels[i], 0xFF);
}

TEST_F(RecycleTest, BitmapsOfAnotherSizeAreFreedNotReused)
{
    Settings settings = defaultSettings();
    ASSERT_EQ(storeImageInSlot(filledImage(9, 2, 1, 1.0f), &settings, 0, rebuildDisplay), 1);
    retireSlot(0);
    releaseRecycledImage();
    ASSERT_EQ(storeImageInSlot(filledImage(2, 9, 2, 0.5f), &settings, 0, rebuildDisplay), 1);
    const View* view = viewInSlot(0);
    EXPECT_EQ(view->colour->width, 2);
    EXPECT_EQ(view->colour->height, 9);
    EXPECT_EQ(view->safeOverlay->height, 9);
    EXPECT_EQ(livePixelBuffers(), live + 8) << "one image and its four bitmaps, nothing of the old one";
}

TEST_F(RecycleTest, ReleasingFreesTheKeptViewAndImage)
{
    Settings settings = defaultSettings();
    ASSERT_EQ(storeImageInSlot(filledImage(6, 6, 1, 0.5f), &settings, 0, rebuildDisplay), 1);
    retireSlot(0);
    EXPECT_EQ(livePixelBuffers(), live + 8) << "kept for the next frame";
    releaseRetired();
    EXPECT_EQ(livePixelBuffers(), live);
}

// The viewer's thread gives while the host's thread takes: every image is
// either taken once or freed once (the sanitizers see a double free or a leak).
TEST_F(RecycleTest, GivingAndTakingOnTwoThreadsLosesAndDoublesNothing)
{
    std::atomic<bool> done{false};
    std::thread giver([&] {
        for (int i = 0; i < 2000; i++) recycleImage(filledImage(8, 8, i, 0.5f));
        done = true;
    });
    int taken = 0;
    while (!done || taken < 10) {
        Image* image = newImage(8, 8, 1, 0);
        image->red[63] = 1.0f;  // the whole buffer is the taker's
        freeImage(image);
        taken++;
    }
    giver.join();
    releaseRecycledImage();
}

// The safe overlay depends only on the size and the safe parameters: a view
// that takes over bitmaps keeps an overlay drawn for the same parameters,
// and one drawn for others is not taken as current.
TEST_F(RecycleTest, AKeptOverlayIsCurrentOnlyForTheParametersItWasDrawnFor)
{
    ViewPtr view(newView(filledImage(16, 4, 1, 0.5f)));
    EXPECT_FALSE(safeOverlayIsCurrent(view.get())) << "a new overlay is not drawn";
    for (int i = 0; i < view->safeOverlay->stride * 4; i++) ASSERT_EQ(view->safeOverlay->pixels[i], 0xFF);

    view->safe = {1.5f, 0.1f, SAFE_VIDEO | SAFE_CUSTOM, SAFE_SOLID};
    memset(view->safeOverlay->pixels, 0x3C, size_t(view->safeOverlay->stride) * 4);  // "drawn"
    markSafeOverlayDrawn(view.get());
    EXPECT_TRUE(safeOverlayIsCurrent(view.get()));
    const SafeParams drawn = view->safe;
    SafeParams others[4] = {drawn, drawn, drawn, drawn};
    others[0].frameAspect = 1.25f;
    others[1].frameMargin = 0.2f;
    others[2].kinds = SAFE_VIDEO;
    others[3].style = SAFE_OUTLINE;
    for (const SafeParams& p : others) {
        view->safe = p;
        EXPECT_FALSE(safeOverlayIsCurrent(view.get())) << p.frameAspect << " " << p.frameMargin << " " << p.kinds;
    }

    view->safe = drawn;
    View* reused = newViewReusing(filledImage(16, 4, 2, 0.5f), view.release());
    ViewPtr owner(reused);
    reused->safe = drawn;
    EXPECT_TRUE(safeOverlayIsCurrent(reused)) << "the same size and parameters: kept";
    EXPECT_EQ(reused->safeOverlay->pixels[0], 0x3C);
    reused->safe.kinds = SAFE_CUSTOM;
    EXPECT_FALSE(safeOverlayIsCurrent(reused));

    clearSafeOverlay(reused);
    reused->safe = drawn;
    EXPECT_FALSE(safeOverlayIsCurrent(reused)) << "cleared is not drawn";
    EXPECT_EQ(reused->safeOverlay->pixels[0], 0xFF);
}

// Drawing the areas leaves the overlay's colour table as 0 black, 1 white;
// clearing it afterwards (a failed drawing, a reused view) must still show
// every pixel black, which the inverting blit leaves as it is.
TEST_F(RecycleTest, AClearedOverlayIsBlackWhateverTableADrawingLeft)
{
    ViewPtr view(newView(filledImage(19, 3, 1, 0.5f)));
    DisplayBitmap* overlay = view->safeOverlay;
    overlay->colours[0] = {0, 0, 0, 0};  // as GetDIBits leaves it
    overlay->colours[1] = {255, 255, 255, 0};
    memset(overlay->pixels, 0x00, size_t(overlay->stride) * 3);
    markSafeOverlayDrawn(view.get());
    clearSafeOverlay(view.get());
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 19; x++) {
            int bit = (bitmapRow(overlay, y)[x / 8] >> (7 - x % 8)) & 1;
            const RGBQUAD& c = overlay->colours[bit];
            ASSERT_EQ(c.rgbRed | c.rgbGreen | c.rgbBlue, 0) << x << "," << y;
        }
    EXPECT_FALSE(safeOverlayIsCurrent(view.get()));
}
