// Display bitmaps, View records and the ten image slots.
#include <gtest/gtest.h>
#include <string.h>

#include "display/levels.h"
#include "image/pixel_memory.h"
#include "image_test_util.h"
#include "settings_test_util.h"
#include "viewer/compare.h"

namespace {

Image* imageMadeAt(int32_t creationTime, int number = 1)
{
    Image* image = newImage(4, 3, number, 0);
    for (int i = 0; i < 12; i++) image->red[i] = image->green[i] = image->blue[i] = image->alpha[i] = 0.5f;
    image->creationTime = creationTime;
    return image;
}

class SlotsTest : public ::testing::Test {
protected:
    void SetUp() override { freeAllSlots(); }
    void TearDown() override
    {
        failPixelAllocationAfter(-1);
        freeAllSlots();
    }

    void store(int32_t creationTime, int number = 1)
    {
        int slot = chooseSlotForNewImage();
        if (!isSlotEmpty(slot)) freeSlot(slot);
        ASSERT_EQ(storeImageInSlot(imageMadeAt(creationTime, number), &settings, slot, rebuildDisplay), 1);
        lastSlot = slot;
    }

    Settings settings = defaultSettings();
    int lastSlot = -1;
};

}  // namespace

TEST(DisplayBitmaps, StridesAndHeadersOfAllThreeKinds)
{
    DisplayBitmap* colour = newColourBitmap(33, 5);
    DisplayBitmap* grey = newGreyBitmap(33, 5);
    DisplayBitmap* mask = newMaskBitmap(33, 5);
    EXPECT_EQ(colour->stride, 100);
    EXPECT_EQ(grey->stride, 36);
    EXPECT_EQ(mask->stride, 8);
    EXPECT_EQ(colour->header.biSize, 40u);
    EXPECT_EQ(colour->header.biWidth, 33);
    EXPECT_EQ(colour->header.biHeight, 5);
    EXPECT_EQ(colour->header.biPlanes, 1);
    EXPECT_EQ(colour->header.biBitCount, 24);
    EXPECT_EQ(colour->header.biSizeImage, 500u);
    EXPECT_EQ(grey->header.biBitCount, 8);
    EXPECT_EQ(mask->header.biBitCount, 1);
    EXPECT_EQ(mask->header.biSizeImage, 40u);
    EXPECT_EQ(grey->colours[200].rgbRed, 200);
    EXPECT_EQ(grey->colours[200].rgbBlue, 200);
    EXPECT_EQ(grey->colours[200].rgbReserved, 0);
    const RGBQUAD white = {255, 255, 255, 0}, black = {0, 0, 0, 0};
    EXPECT_EQ(memcmp(&mask->colours[0], &white, 4), 0);
    EXPECT_EQ(memcmp(&mask->colours[1], &black, 4), 0);
    EXPECT_EQ(static_cast<const uint8_t*>(bitmapInfo(grey)) + 40, reinterpret_cast<const uint8_t*>(grey->colours));
    freeDisplayBitmap(colour);
    freeDisplayBitmap(grey);
    freeDisplayBitmap(mask);
    freeDisplayBitmap(nullptr);
}

TEST(DisplayBitmaps, RefuseSizesTheyCannotHold)
{
    EXPECT_EQ(newColourBitmap(0, 5), nullptr);
    EXPECT_EQ(newColourBitmap(5, 0), nullptr);
    EXPECT_EQ(newColourBitmap(-5, 5), nullptr);
    EXPECT_EQ(newColourBitmap(INT32_MAX, 1), nullptr);
    EXPECT_EQ(newColourBitmap(65536, 65536), nullptr);
    EXPECT_EQ(newMaskBitmap(INT32_MAX, INT32_MAX), nullptr);
}

TEST(NewView, NamesTheImageAndMakesFourBitmaps)
{
    ViewPtr view(newView(newImage(33, 2, 7, 0)));
    ASSERT_TRUE(view);
    EXPECT_STREQ(view->name, "Untitled7");
    EXPECT_STREQ(view->notes, "");
    EXPECT_EQ(view->colour->width, 33);
    EXPECT_EQ(view->alpha->header.biBitCount, 8);
    EXPECT_EQ(view->hotMask->height, 2);
    EXPECT_EQ(view->safeOverlay->header.biBitCount, 1);
    EXPECT_EQ(view->undo.piece, nullptr);
    const DisplayBitmap* safe = view->safeOverlay;
    for (int32_t i = 0; i < safe->stride * safe->height; i++)
        ASSERT_EQ(safe->pixels[i], 0xFF) << "byte " << i << ": the overlay inverts nothing until it is drawn";
}

TEST(NewView, CountsTheBytesOfItsBitmapsAndImage)
{
    // 33 × 2: rows of 100, 36, 8 and 8 bytes; 66 pixels of four floats.
    EXPECT_EQ(displayBytes(33, 2), 2 * (100 + 36 + 8 + 8));
    EXPECT_EQ(displayBytes(33, 0), 0);
    EXPECT_EQ(displayBytes(33, 1), 100 + 36 + 8 + 8);
    ViewPtr view(newView(newImage(33, 2, 7, 0)));
    EXPECT_EQ(viewBytes(view.get()), 2 * (100 + 36 + 8 + 8) + 66 * 16);
    EXPECT_EQ(viewBytes(nullptr), 0);
}

TEST(NewView, LeavesTheImageToTheCallerWhenAnyAllocationFails)
{
    // Four channels, then four bitmaps: fail each in turn (leaks show under ASan).
    for (int n = 0; n < 8; n++) {
        failPixelAllocationAfter(n);
        Image* image = newImage(16, 16, 1, 0);
        View* view = image ? newView(image) : nullptr;
        EXPECT_EQ(view, nullptr) << n;
        failPixelAllocationAfter(-1);
        if (image) {  // a bitmap failed: the image is still the caller's, intact
            EXPECT_EQ(image->width, 16);
            freeImage(image);
        }
    }
    ViewPtr ok(newView(newImage(16, 16, 1, 0)));
    EXPECT_TRUE(ok);
}

TEST_F(SlotsTest, TenImagesFillTheSlotsInOrder)
{
    for (int i = 0; i < 10; i++) {
        store(1000 + i);
        EXPECT_EQ(lastSlot, i);
    }
}

// The order of arrival decides, whatever the creation times say: frames
// within one second (equal times) or after the clock was set back.
TEST_F(SlotsTest, NewFramesReplaceTheEarliestArrivalsInTurn)
{
    const int32_t clocks[][12] = {
        {500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500},
        {90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 1, 0},
    };
    for (const auto& times : clocks) {
        freeAllSlots();
        for (int i = 0; i < 12; i++) store(times[i], i + 1);
        EXPECT_EQ(viewInSlot(0)->image->imageNumber, 11) << times[0];
        EXPECT_EQ(viewInSlot(1)->image->imageNumber, 12);
        EXPECT_EQ(viewInSlot(2)->image->imageNumber, 3) << "the last ten are kept";
        EXPECT_EQ(newestSlot(), 1);
        EXPECT_EQ(oldestSlot(), 2);
    }
}

TEST_F(SlotsTest, ADeletedSlotIsReusedBeforeOlderOnes)
{
    for (int i = 0; i < 10; i++) store(100 + i);
    freeSlot(3);
    EXPECT_TRUE(isSlotEmpty(3));
    store(200);
    EXPECT_EQ(lastSlot, 3);
    EXPECT_EQ(newestSlot(), 3);
    store(200);
    EXPECT_EQ(lastSlot, 0);
}

TEST_F(SlotsTest, OldestAndNewestOfNoImageAreSlotZero)
{
    EXPECT_EQ(oldestSlot(), 0);
    EXPECT_EQ(newestSlot(), 0);
    EXPECT_EQ(oldestReplaceableSlot(), 0);
}

// Mark an early render, render variations: the reference stays while the
// others go round the nine slots left, and it goes only as the last image.
TEST_F(SlotsTest, TheReferenceOutlivesEveryNewFrame)
{
    for (int i = 0; i < 10; i++) store(100, i + 1);
    toggleReferenceSlot(0);
    for (int i = 0; i < 15; i++) {
        store(100, 11 + i);
        ASSERT_NE(lastSlot, 0) << "frame " << 11 + i;
    }
    EXPECT_EQ(lastSlot, 6) << "slots 1 to 9, then 1 to 6";
    EXPECT_EQ(referenceView(), viewInSlot(0));
    EXPECT_EQ(viewInSlot(0)->image->imageNumber, 1);
    EXPECT_EQ(oldestSlot(), 0);
    EXPECT_EQ(oldestReplaceableSlot(), 7);

    for (int i = 1; i < SLOT_COUNT; i++) freeSlot(i);
    EXPECT_EQ(oldestReplaceableSlot(), 0) << "the reference alone";
}

TEST_F(SlotsTest, NewImagesTakeTheDefaultsOfTheirMoment)
{
    const Settings first = unusualSettings();  // every parameter unlike its default
    settings = first;
    store(1);
    settings = defaultSettings();
    store(2);
    const View* v = viewInSlot(0);
    EXPECT_EQ(v->image->black, -0.125f);
    EXPECT_EQ(v->image->white, 16.5f);
    EXPECT_EQ(memcmp(&v->hot, &first.hot, sizeof v->hot), 0);
    EXPECT_EQ(memcmp(&v->safe, &first.safe, sizeof v->safe), 0);
    EXPECT_EQ(viewInSlot(1)->image->white, 1.0f) << "the second image took the later defaults";
    EXPECT_EQ(viewInSlot(1)->hot.videoStandard, 0);
    // The display was built with those levels: (0.5 + 0.125) × 255 / 16.625.
    EXPECT_EQ(v->colour->pixels[0], 9);
    EXPECT_EQ(viewInSlot(1)->colour->pixels[0], 127);
}

TEST_F(SlotsTest, ARefusedImageLeavesTheOtherSlotsIntact)
{
    store(1, 1);
    store(2, 2);
    for (int n = 0; n < 8; n++) {
        failPixelAllocationAfter(n);
        Image* image = newImage(4, 3, 9, 0);
        int stored = image ? storeImageInSlot(image, &settings, 2, rebuildDisplay) : 0;
        failPixelAllocationAfter(-1);
        EXPECT_EQ(stored, 0);
        EXPECT_TRUE(isSlotEmpty(2));
        freeImage(image);
    }
    ASSERT_FALSE(isSlotEmpty(0));
    ASSERT_FALSE(isSlotEmpty(1));
    EXPECT_STREQ(viewInSlot(0)->name, "Untitled1");
    EXPECT_STREQ(viewInSlot(1)->name, "Untitled2");
    EXPECT_EQ(viewInSlot(1)->colour->pixels[0], 127);
}

TEST_F(SlotsTest, LoadViewStateSelectsOnlyTheSlotsFields)
{
    store(1, 4);
    ViewState* vs = viewState();
    vs->channelView = CHANNEL_GREEN;
    vs->zoomIndex = 70;
    loadViewState(0);
    EXPECT_EQ(vs->view, viewInSlot(0));
    EXPECT_EQ(vs->imageWidth, 4);
    EXPECT_EQ(vs->imageHeight, 3);
    EXPECT_STREQ(vs->name, "Untitled4");
    EXPECT_EQ(vs->channelView, CHANNEL_GREEN);
    EXPECT_EQ(vs->zoomIndex, 70);
    freeSlot(0);
    EXPECT_EQ(vs->view, nullptr);
}

TEST_F(SlotsTest, TheReferenceIsAnyOccupiedSlotAndMarkingItAgainClearsIt)
{
    for (int i = 0; i < 3; i++) store(100 + i, i + 1);
    EXPECT_EQ(referenceSlot(), -1);
    EXPECT_EQ(referenceView(), nullptr);
    toggleReferenceSlot(5);  // empty
    toggleReferenceSlot(-1);
    toggleReferenceSlot(SLOT_COUNT);
    EXPECT_EQ(referenceSlot(), -1);
    toggleReferenceSlot(0);
    EXPECT_EQ(referenceView(), viewInSlot(0)) << "the first slot is a slot like the others";
    toggleReferenceSlot(1);
    EXPECT_EQ(referenceSlot(), 1);
    EXPECT_EQ(referenceView(), viewInSlot(1));
    toggleReferenceSlot(2);
    EXPECT_EQ(referenceSlot(), 2) << "another slot moves the mark";
    viewState()->compareMode = COMPARE_WIPE;
    toggleReferenceSlot(2);
    EXPECT_EQ(referenceSlot(), -1);
    EXPECT_EQ(viewState()->compareMode, COMPARE_NONE);
}

TEST_F(SlotsTest, FreeingOrReplacingTheReferenceClearsItAndEndsTheComparison)
{
    for (int i = 0; i < 4; i++) store(100 + i, i + 1);
    toggleReferenceSlot(1);
    viewState()->compareMode = COMPARE_DIFFERENCE;
    freeSlot(0);
    EXPECT_EQ(referenceSlot(), 1) << "another slot's image leaving keeps it";
    EXPECT_EQ(viewState()->compareMode, COMPARE_DIFFERENCE);
    freeSlot(1);
    EXPECT_EQ(referenceSlot(), -1);
    EXPECT_EQ(viewState()->compareMode, COMPARE_NONE);

    toggleReferenceSlot(2);
    viewState()->compareMode = COMPARE_WIPE;
    retireSlot(2);  // a new frame replaces it
    EXPECT_EQ(referenceSlot(), -1);
    EXPECT_EQ(viewState()->compareMode, COMPARE_NONE);
    ASSERT_EQ(storeImageInSlot(imageMadeAt(200, 9), &settings, 2, rebuildDisplay), 1);
    EXPECT_EQ(referenceView(), nullptr) << "the new image in its slot is not the reference";

    toggleReferenceSlot(3);
    freeAllSlots();
    EXPECT_EQ(referenceSlot(), -1);
}

// The wipe's split stays inside the columns both images have, whichever
// of them changes: another current image or another reference.
TEST_F(SlotsTest, TheWipeSplitStaysInsideTheCommonWidth)
{
    store(100);  // 4 wide, slot 0
    Image* narrow = newImage(2, 3, 2, 0);
    ASSERT_NE(narrow, nullptr);
    for (int i = 0; i < 6; i++) narrow->red[i] = narrow->green[i] = narrow->blue[i] = narrow->alpha[i] = 0.5f;
    ASSERT_EQ(storeImageInSlot(narrow, &settings, 1, rebuildDisplay), 1);
    store(101);  // 4 wide, slot 2
    ViewState* vs = viewState();
    toggleReferenceSlot(2);
    loadViewState(0);
    vs->compareMode = COMPARE_WIPE;
    vs->wipeX = 3;
    refreshComparison(vs);
    EXPECT_EQ(vs->wipeX, 3);
    loadViewState(1);
    refreshComparison(vs);
    EXPECT_EQ(vs->wipeX, 2) << "a narrower current image";
    vs->wipeX = 4;
    loadViewState(0);
    toggleReferenceSlot(1);
    refreshComparison(vs);
    EXPECT_EQ(vs->wipeX, 2) << "a narrower reference";
    // The difference is built while its view is on, and freed when it is off.
    vs->compareMode = COMPARE_DIFFERENCE;
    EXPECT_EQ(refreshComparison(vs), 1);
    EXPECT_EQ(vs->compareMode, COMPARE_DIFFERENCE);
    EXPECT_NE(comparedDifference(), nullptr);
    vs->compareMode = COMPARE_NONE;
    refreshComparison(vs);
    EXPECT_EQ(comparedDifference(), nullptr);
}
