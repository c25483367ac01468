// The BMP writer: headers, palette and rows exactly as the bitmaps hold them.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "image/display_bitmap.h"
#include "output/bmp_writer.h"
#include "output/dib.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const std::string& path)
{
    Bytes data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return data;
    int c;
    while ((c = fgetc(f)) != EOF) data.push_back(uint8_t(c));
    fclose(f);
    return data;
}

uint32_t le32(const Bytes& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

struct BitmapDeleter {
    void operator()(DisplayBitmap* b) const { freeDisplayBitmap(b); }
};
using BitmapPtr = std::unique_ptr<DisplayBitmap, BitmapDeleter>;

void fill(DisplayBitmap* b)
{
    for (int32_t i = 0; i < b->stride * b->height; i++) b->pixels[i] = uint8_t(i * 7 + 3);
}

}  // namespace

TEST(BmpFile, TwentyFourBitPixelsStartAt54)
{
    BitmapPtr colour(newColourBitmap(5, 3));  // stride 16: a padded row
    ASSERT_TRUE(colour);
    fill(colour.get());
    std::string path = ::testing::TempDir() + "zr_bmp_24.bmp";
    ASSERT_EQ(WriteBmpFile(path.c_str(), &colour->header, colour->pixels, colour->stride), 1);
    Bytes f = readFile(path);
    remove(path.c_str());
    ASSERT_EQ(f.size(), 54u + 3 * 16);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(le32(f, 2), f.size());
    EXPECT_EQ(le32(f, 6), 0u);
    EXPECT_EQ(le32(f, 10), 54u);
    EXPECT_EQ(le32(f, 14), 40u) << "the info header as held";
    EXPECT_EQ(le32(f, 18), 5u);
    EXPECT_EQ(le32(f, 22), 3u) << "bottom-up";
    EXPECT_EQ(f[28], 24);
    EXPECT_EQ(0, memcmp(f.data() + 54, colour->pixels, 3 * 16)) << "the rows exactly as in memory";
}

TEST(BmpFile, EightBitCarriesItsGreyPaletteAndStartsAt1078)
{
    BitmapPtr grey(newGreyBitmap(3, 2));
    ASSERT_TRUE(grey);
    fill(grey.get());
    std::string path = ::testing::TempDir() + "zr_bmp_8.bmp";
    ASSERT_EQ(WriteBmpFile(path.c_str(), &grey->header, grey->pixels, grey->stride), 1);
    Bytes f = readFile(path);
    remove(path.c_str());
    ASSERT_EQ(f.size(), 1078u + 2 * 4);
    EXPECT_EQ(le32(f, 10), 1078u);
    EXPECT_EQ(f[28], 8);
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(f[54 + 4 * i], i) << "blue of entry " << i;
        ASSERT_EQ(f[54 + 4 * i + 2], i) << "red";
        ASSERT_EQ(f[54 + 4 * i + 3], 0);
    }
    EXPECT_EQ(0, memcmp(f.data() + 1078, grey->pixels, 8));
}

TEST(BmpFile, AFailedWriteLeavesNoFileAndSaysSo)
{
    BitmapPtr grey(newGreyBitmap(4, 4));
    ASSERT_TRUE(grey);
    EXPECT_EQ(WriteBmpFile((::testing::TempDir() + "no/such/folder/x.bmp").c_str(), &grey->header, grey->pixels,
                           grey->stride),
              0);
    // A sink that takes the headers but not the rows: a full disk.
    struct Failing {
        int writes = 0;
    } failing;
    ByteSink sink = {&failing,
                     [](void* c, const void*, size_t) { return ++static_cast<Failing*>(c)->writes < 6 ? 1 : 0; },
                     [](void*) { return 0L; }, [](void*, long) { return 1; }};
    EXPECT_EQ(writeBmpTo(&sink, &grey->header, grey->pixels, grey->stride), 0);
    EXPECT_EQ(failing.writes, 6);
}

TEST(BmpFile, AFailedSaveKeepsTheFileItWasToReplace)
{
    std::string path = ::testing::TempDir() + "zr_bmp_keep.bmp";
    FILE* old = fopen(path.c_str(), "wb");
    ASSERT_NE(old, nullptr);
    fputs("the artist's earlier save", old);
    fclose(old);
    BitmapPtr grey(newGreyBitmap(4, 4));
    ASSERT_TRUE(grey);
    BITMAPINFOHEADER broken = grey->header;
    broken.biHeight = 0;  // nothing the writer can write
    EXPECT_EQ(WriteBmpFile(path.c_str(), &broken, grey->pixels, grey->stride), 0);
    Bytes kept = readFile(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "the artist's earlier save");
    EXPECT_TRUE(readFile(path + ".part").empty()) << "no partial file";
    ASSERT_EQ(WriteBmpFile(path.c_str(), &grey->header, grey->pixels, grey->stride), 1);
    EXPECT_EQ(readFile(path).size(), 1078u + 16) << "replaced once whole";
    remove(path.c_str());
}

TEST(PackedDib, HeaderPaletteAndRowsInOneBlock)
{
    BitmapPtr grey(newGreyBitmap(3, 2)), colour(newColourBitmap(3, 2));
    ASSERT_TRUE(grey && colour);
    fill(grey.get());
    EXPECT_EQ(dibHeaderSize(&grey->header), 1064u);
    EXPECT_EQ(dibHeaderSize(&colour->header), 40u);
    ASSERT_EQ(packedDibBytes(&grey->header, grey->stride), 1064u + 8);
    Bytes block(1064 + 8 + 1, '#');
    EXPECT_EQ(packDib(&grey->header, grey->pixels, grey->stride, block.data(), 1064 + 7), 0u) << "one byte short";
    ASSERT_EQ(packDib(&grey->header, grey->pixels, grey->stride, block.data(), 1064 + 8), 1064u + 8) << "exactly";
    EXPECT_EQ(0, memcmp(block.data(), &grey->header, 40));
    EXPECT_EQ(block[40 + 4 * 200], 200) << "the palette behind the header";
    EXPECT_EQ(0, memcmp(block.data() + 1064, grey->pixels, 8));
    EXPECT_EQ(block[1064 + 8], '#');
    BITMAPINFOHEADER empty = colour->header;
    empty.biHeight = 0;
    EXPECT_EQ(packedDibBytes(&empty, colour->stride), 0u);
}
