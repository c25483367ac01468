// What each save type writes for a view: the own types at full range or
// the grey alpha, the host's savers by index, and nothing for no type.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "display/levels.h"
#include "image/view_state.h"
#include "image/pixel_memory.h"
#include "image_test_util.h"
#include "output/save_image.h"
#include "output/save_types.h"
#include "disk_files.h"

namespace {

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        int c;
        while ((c = fgetc(f)) != EOF) bytes.push_back(uint8_t(c));
        fclose(f);
    }
    return bytes;
}

// A view of a random image, its bitmaps converted at the given levels.
ViewPtr viewAtLevels(int width, int height, float black, float white)
{
    Image* image = randomImage(width, height, 99);
    image->black = black;
    image->white = white;
    View* view = newView(image);
    if (!view) {
        freeImage(image);
        return nullptr;
    }
    rebuildDisplay(view);
    return ViewPtr(view);
}

// The pixel bytes of a BMP file (after its offset field's header).
std::vector<uint8_t> bmpPixels(const std::vector<uint8_t>& file)
{
    if (file.size() < 14) return {};
    uint32_t offset = file[10] | file[11] << 8 | file[12] << 16 | uint32_t(file[13]) << 24;
    return offset <= file.size() ? std::vector<uint8_t>(file.begin() + offset, file.end()) : std::vector<uint8_t>();
}

std::vector<uint8_t> bitmapBytes(const DisplayBitmap* b)
{
    return std::vector<uint8_t>(b->pixels, b->pixels + size_t(b->stride) * size_t(b->height));
}

int g_saver = -1, g_pixmapType = -1;
LWImageUtil recordingHost()
{
    LWImageUtil u = {};
    u.create = [](int, int, int type) -> LWPixmapID {
        g_pixmapType = type;
        return &g_saver;
    };
    u.destroy = [](LWPixmapID) {};
    u.setPixel = [](LWPixmapID, int, int, void*) {};
    u.save = [](LWPixmapID, int saver, const char*) {
        g_saver = saver;
        return 1;
    };
    return u;
}

const char* const kPath = "save_image_test.out";
const FileDestination kFile = {kPath, nullptr, diskFiles()};

}  // namespace

TEST(SaveImage, OwnTypesWriteTheColourAtFullRangeWhateverTheLevels)
{
    ViewPtr shown = viewAtLevels(13, 5, 0.2f, 0.9f);
    ViewPtr plain = viewAtLevels(13, 5, 0.0f, 1.0f);
    ASSERT_TRUE(shown && plain);
    ASSERT_NE(bitmapBytes(shown->colour), bitmapBytes(plain->colour)) << "the levels change the screen";
    ASSERT_EQ(saveImageAs(shown.get(), CHANNEL_RGB, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_WRITTEN);
    EXPECT_EQ(bmpPixels(readBytes(kPath)), bitmapBytes(plain->colour));
    EXPECT_EQ(shown->image->black, 0.2f) << "the image keeps its levels";
    EXPECT_EQ(shown->image->white, 0.9f);
    ASSERT_EQ(saveImageAs(plain.get(), CHANNEL_BLUE, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_WRITTEN);
    EXPECT_EQ(bmpPixels(readBytes(kPath)), bitmapBytes(plain->colour)) << "a single channel view saves colour";
    remove(kPath);
}

TEST(SaveImage, ALevelOnlyJustOffFullRangeStillConverts)
{
    ViewPtr shown = viewAtLevels(7, 3, 0.0f, 0.999f);
    ViewPtr plain = viewAtLevels(7, 3, 0.0f, 1.0f);
    ASSERT_TRUE(shown && plain);
    ASSERT_EQ(saveImageAs(shown.get(), CHANNEL_RGB, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_WRITTEN);
    EXPECT_EQ(bmpPixels(readBytes(kPath)), bitmapBytes(plain->colour));
    remove(kPath);
}

TEST(SaveImage, TheAlphaViewWritesTheGreyBitmapAsEightBit)
{
    ViewPtr view = viewAtLevels(6, 4, 0.3f, 0.6f);
    ASSERT_TRUE(view);
    ASSERT_EQ(saveImageAs(view.get(), CHANNEL_ALPHA, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_WRITTEN);
    std::vector<uint8_t> file = readBytes(kPath);
    ASSERT_GT(file.size(), 1078u);
    EXPECT_EQ(file[10] | file[11] << 8, 1078);
    EXPECT_EQ(bmpPixels(file), bitmapBytes(view->alpha));

    ASSERT_EQ(saveImageAs(view.get(), CHANNEL_ALPHA, TYPE_ZR_IFF, kFile, nullptr, nullptr), SAVE_WRITTEN);
    file = readBytes(kPath);
    ASSERT_GT(file.size(), 48u);
    EXPECT_EQ(file[28], 8) << "one channel: 8 planes";
    ASSERT_EQ(saveImageAs(view.get(), CHANNEL_RED, TYPE_ZR_IFF, kFile, nullptr, nullptr), SAVE_WRITTEN);
    EXPECT_EQ(readBytes(kPath)[28], 24);
    remove(kPath);
}

TEST(SaveImage, HostSaversAreCalledByIndexWithTheViewsPixmapType)
{
    ViewPtr view = viewAtLevels(3, 2, 0.0f, 1.0f);
    ASSERT_TRUE(view);
    LWImageUtil host = recordingHost();
    EXPECT_EQ(saveImageAs(view.get(), CHANNEL_GREEN, 0, kFile, &host, nullptr), SAVE_WRITTEN);
    EXPECT_EQ(g_saver, 0);
    EXPECT_EQ(g_pixmapType, LWIMTYP_RGBAFP);
    EXPECT_EQ(saveImageAs(view.get(), CHANNEL_ALPHA, 3, kFile, &host, nullptr), SAVE_WRITTEN);
    EXPECT_EQ(g_saver, 3);
    EXPECT_EQ(g_pixmapType, LWIMTYP_GREYFP);
    EXPECT_EQ(saveImageAs(view.get(), CHANNEL_RGB, 1, kFile, nullptr, nullptr), SAVE_FAILED) << "no service";
}

TEST(SaveImage, NoTypeNoViewOrNoPathWritesNothing)
{
    ViewPtr view = viewAtLevels(3, 2, 0.0f, 1.0f);
    ASSERT_TRUE(view);
    remove(kPath);
    EXPECT_EQ(saveImageAs(view.get(), CHANNEL_RGB, TYPE_ZR_BMP - 1, kFile, nullptr, nullptr), SAVE_FAILED);
    EXPECT_TRUE(readBytes(kPath).empty());
    EXPECT_EQ(saveImageAs(nullptr, CHANNEL_RGB, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_FAILED);
    EXPECT_EQ(saveImageAs(view.get(), CHANNEL_RGB, TYPE_ZR_BMP, {nullptr, nullptr, diskFiles()}, nullptr, nullptr), SAVE_FAILED);
}

TEST(SaveImage, RowPaddingInTheFileIsZeroNotStaleMemory)
{
    ViewPtr view = viewAtLevels(7, 3, 0.1f, 1.0f);  // 21 bytes a row, 3 of padding
    ASSERT_TRUE(view);
    ASSERT_EQ(saveImageAs(view.get(), CHANNEL_RGB, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_WRITTEN);
    std::vector<uint8_t> pixels = bmpPixels(readBytes(kPath));
    ASSERT_EQ(pixels.size(), 3u * 24);
    for (int y = 0; y < 3; y++)
        for (int i = 21; i < 24; i++) EXPECT_EQ(pixels[size_t(y) * 24 + i], 0) << y << "," << i;
    remove(kPath);
}

TEST(SaveImage, NoMemoryForTheFullRangeCopyAbandonsTheSaveAndLeaksNothing)
{
    ViewPtr view = viewAtLevels(8, 8, 0.2f, 1.0f);
    ASSERT_TRUE(view);
    remove(kPath);
    int live = livePixelBuffers();
    failPixelAllocationAfter(0);
    EXPECT_EQ(saveImageAs(view.get(), CHANNEL_RGB, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_NO_MEMORY);
    failPixelAllocationAfter(-1);
    EXPECT_TRUE(readBytes(kPath).empty()) << "no file";
    EXPECT_EQ(livePixelBuffers(), live);
    ASSERT_EQ(saveImageAs(view.get(), CHANNEL_RGB, TYPE_ZR_BMP, kFile, nullptr, nullptr), SAVE_WRITTEN);
    EXPECT_EQ(livePixelBuffers(), live) << "the copy is freed after the write";
    remove(kPath);
}
