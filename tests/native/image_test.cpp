// The Image record: creation, rows as delivered, region copy and paste.
#include <gtest/gtest.h>
#include <math.h>
#include <stdint.h>
#include <time.h>

#include <vector>

#include "image/image.h"

namespace {

struct ImageDeleter {
    void operator()(Image* image) const { freeImage(image); }
};
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

// Fills every sample with a value unique to its channel and position.
void fillDistinct(Image* image)
{
    float* channels[4] = {image->red, image->green, image->blue, image->alpha};
    size_t n = size_t(image->width) * image->height;
    for (int c = 0; c < 4; c++)
        for (size_t i = 0; i < n; i++) channels[c][i] = float(c) * 1e6f + float(i);
}

}  // namespace

TEST(NewImage, SetsTheRenderFactsAndDefaultLevels)
{
    time_t before = time(nullptr);
    ImagePtr image(newImage(640, 480, 7, 834));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 640);
    EXPECT_EQ(image->height, 480);
    EXPECT_EQ(image->imageNumber, 7);
    EXPECT_EQ(image->renderTime, 834);
    EXPECT_EQ(image->frameNumber, 0);
    EXPECT_GE(image->creationTime, int32_t(before));
    EXPECT_LE(image->creationTime, int32_t(time(nullptr)));
    EXPECT_EQ(image->black, 0.0f);
    EXPECT_EQ(image->white, 1.0f);
    for (uint8_t b : image->sceneFacts) EXPECT_EQ(b, 0);
}

TEST(NewImage, RefusesSizesItCannotHold)
{
    EXPECT_EQ(newImage(0, 10, 1, 0), nullptr);
    EXPECT_EQ(newImage(10, 0, 1, 0), nullptr);
    EXPECT_EQ(newImage(-1, 10, 1, 0), nullptr);
    EXPECT_EQ(newImage(INT32_MAX, INT32_MAX, 1, 0), nullptr);
    EXPECT_EQ(newImage(65536, 65536, 1, 0), nullptr);  // 2^32 pixels: bytes overflow 32 bits
    EXPECT_EQ(newImage(1 << 15, 1 << 14, 1, 0), nullptr);  // 2 GB per channel
}

TEST(StoreImageRow, KeepsValuesExactlyAsDelivered)
{
    ImagePtr image(newImage(3, 2, 1, 0));
    const float r[3] = {3.7f, -0.2f, INFINITY}, g[3] = {0.5f, 1e20f, -INFINITY}, b[3] = {0, 1, 2},
                a[3] = {NAN, 0.25f, 1};
    storeImageRow(image.get(), 1, r, g, b, a);
    EXPECT_EQ(image->red[3], 3.7f);
    EXPECT_EQ(image->red[4], -0.2f);
    EXPECT_EQ(image->red[5], INFINITY);
    EXPECT_EQ(image->green[4], 1e20f);
    EXPECT_EQ(image->green[5], -INFINITY);
    EXPECT_EQ(image->blue[5], 2.0f);
    EXPECT_TRUE(isnan(image->alpha[3]));
}

TEST(StoreImageRow, IgnoresRowsOutsideTheImage)
{
    ImagePtr image(newImage(2, 2, 1, 0));
    fillDistinct(image.get());
    std::vector<float> before(image->red, image->red + 4);
    const float row[2] = {-9, -9};
    storeImageRow(image.get(), -1, row, row, row, row);
    storeImageRow(image.get(), 2, row, row, row, row);
    EXPECT_EQ(std::vector<float>(image->red, image->red + 4), before);
}

TEST(ImageRegion, CopyThenPasteLeavesTheImageUnchanged)
{
    ImagePtr image(newImage(640, 480, 3, 55));
    fillDistinct(image.get());
    image->black = 0.1f;
    image->white = 0.9f;
    ImagePtr piece(copyImageRegion(image.get(), 5, 2, 10, 4));
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->width, 10);
    EXPECT_EQ(piece->height, 4);
    EXPECT_EQ(piece->red[0], image->red[2 * 640 + 5]);
    EXPECT_EQ(piece->alpha[3 * 10 + 9], image->alpha[5 * 640 + 14]);
    EXPECT_EQ(piece->black, 0.1f);
    EXPECT_EQ(piece->white, 0.9f);
    EXPECT_EQ(piece->imageNumber, 0);
    EXPECT_EQ(piece->renderTime, 0);

    ImagePtr original(copyImageRegion(image.get(), 0, 0, 640, 480));
    for (int i = 0; i < 40; i++) piece->green[i] = -1.0f;
    pasteImageRegion(piece.get(), image.get(), 5, 2);
    EXPECT_EQ(image->green[2 * 640 + 5], -1.0f);
    EXPECT_EQ(image->green[2 * 640 + 4], original->green[2 * 640 + 4]);
    EXPECT_EQ(image->green[6 * 640 + 5], original->green[6 * 640 + 5]);

    ImagePtr again(copyImageRegion(original.get(), 5, 2, 10, 4));
    pasteImageRegion(again.get(), image.get(), 5, 2);
    size_t n = 640 * 480;
    EXPECT_EQ(memcmp(image->green, original->green, n * sizeof(float)), 0);
    EXPECT_EQ(memcmp(image->red, original->red, n * sizeof(float)), 0);
}

TEST(ImageRegion, RefusesRectanglesOutsideTheImage)
{
    ImagePtr image(newImage(8, 8, 1, 0));
    EXPECT_EQ(copyImageRegion(image.get(), -1, 0, 2, 2), nullptr);
    EXPECT_EQ(copyImageRegion(image.get(), 7, 0, 2, 2), nullptr);
    EXPECT_EQ(copyImageRegion(image.get(), 0, 0, 0, 2), nullptr);
    EXPECT_EQ(copyImageRegion(image.get(), 0, 0, 8, INT32_MAX), nullptr);
    EXPECT_EQ(copyImageRegion(image.get(), 3, 7, 2, 2), nullptr) << "one row past the bottom";
    ImagePtr lastRows(copyImageRegion(image.get(), 3, 6, 2, 2));
    EXPECT_NE(lastRows, nullptr) << "the last two rows";
    ImagePtr piece(newImage(4, 4, 0, 0));
    fillDistinct(image.get());
    std::vector<float> before(image->red, image->red + 64);
    pasteImageRegion(piece.get(), image.get(), 5, 5);
    pasteImageRegion(piece.get(), image.get(), -1, 0);
    pasteImageRegion(nullptr, image.get(), 0, 0);
    pasteImageRegion(piece.get(), nullptr, 0, 0);
    EXPECT_EQ(std::vector<float>(image->red, image->red + 64), before);
}

TEST(SceneFacts, AreReadAtTheHostRecordsOffsets)
{
    ImagePtr image(newImage(1, 1, 1, 0));
    LWSceneInfo scene = {};
    scene.numPoints = 1234;
    scene.numPolygons = 567;
    scene.framesPerSecond = 29.97;
    scene.maxSamplesPerPixel = 9;
    scene.recursionDepth = 16;
    memcpy(image->sceneFacts, &scene, sizeof scene);
    EXPECT_EQ(sceneFactInt(image.get(), SCENE_POINTS), 1234);
    EXPECT_EQ(sceneFactInt(image.get(), SCENE_POLYGONS), 567);
    EXPECT_EQ(sceneFactDouble(image.get(), SCENE_FPS), 29.97);
    EXPECT_EQ(sceneFactInt(image.get(), SCENE_AA_PASSES), 9);
    EXPECT_EQ(sceneFactInt(image.get(), SCENE_RECURSION), 16);
}
