// The BMP writer: headers, palette and rows exactly as the bitmaps hold them.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "image/display_bitmap.h"
#include "output/bmp_writer.h"
#include "output/dib.h"
#include "disk_files.h"

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
    ASSERT_EQ(WriteBmpFile(path.c_str(), diskFiles(), &colour->header, colour->pixels, colour->stride), 1);
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

// A file one header too large for the 32-bit size field (a DIB of 40 + 4 ×
// 1073741813 bytes) is refused before a byte is written.
TEST(BmpFile, ASizeBeyondTheHeadersFieldWritesNothing)
{
    BITMAPINFOHEADER info = {};
    info.biSize = 40;
    info.biWidth = 1;
    info.biHeight = 1073741813;
    info.biPlanes = 1;
    info.biBitCount = 24;
    size_t written = 0;
    auto count = [](void* total, const void*, size_t n) {
        *static_cast<size_t*>(total) += n;
        return 1;
    };
    ByteSink sink = {&written, count, nullptr, nullptr};
    EXPECT_EQ(writeBmpTo(&sink, &info, nullptr, 4), 0);
    EXPECT_EQ(written, 0u);
}

TEST(BmpFile, EightBitCarriesItsGreyPaletteAndStartsAt1078)
{
    BitmapPtr grey(newGreyBitmap(3, 2));
    ASSERT_TRUE(grey);
    fill(grey.get());
    std::string path = ::testing::TempDir() + "zr_bmp_8.bmp";
    ASSERT_EQ(WriteBmpFile(path.c_str(), diskFiles(), &grey->header, grey->pixels, grey->stride), 1);
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
    EXPECT_EQ(WriteBmpFile((::testing::TempDir() + "no/such/folder/x.bmp").c_str(), diskFiles(), &grey->header, grey->pixels,
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

namespace {

void writeText(const std::string& path, const char* text)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fputs(text, f);
    fclose(f);
}

std::string textOf(const std::string& path)
{
    Bytes b = readFile(path);
    return std::string(b.begin(), b.end());
}

int refuse(const char*, const char*) { return 0; }

}  // namespace

// A save replaces the file chosen and nothing else: a failed write, or a
// replace the system refuses, leave the earlier file whole and no
// temporary behind, and a user's files named like temporaries are never
// touched. "a.bmp" has 36 possible temporaries ("~0.bmp" to "~z.bmp"):
// with 35 of them the artist's, the save takes the last; with all 36 it
// fails.
TEST(BmpFile, ASaveTouchesOnlyTheFileChosen)
{
    std::string folder = ::testing::TempDir() + "zr_bmp_keep/";
    makeEmptyFolder(folder);
    std::string path = folder + "a.bmp";
    writeText(path, "the artist's earlier save");
    writeText(path + ".part", "the artist's own notes");
    const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int i = 0; i < 35; i++) writeText(folder + "~" + digits[i] + ".bmp", "the artist's");
    const std::vector<std::string> before = filesIn(folder);

    BitmapPtr grey(newGreyBitmap(4, 4));
    ASSERT_TRUE(grey);
    BITMAPINFOHEADER broken = grey->header;
    broken.biHeight = 0;  // nothing the writer can write
    EXPECT_EQ(WriteBmpFile(path.c_str(), diskFiles(), &broken, grey->pixels, grey->stride), 0);
    const FileReplacer refusing = {diskFiles()->createTemporary, refuse, nullptr};
    EXPECT_EQ(WriteBmpFile(path.c_str(), &refusing, &grey->header, grey->pixels, grey->stride), 0);
    EXPECT_EQ(textOf(path), "the artist's earlier save");
    EXPECT_EQ(filesIn(folder), before) << "no temporary left";

    ASSERT_EQ(WriteBmpFile(path.c_str(), diskFiles(), &grey->header, grey->pixels, grey->stride), 1);
    EXPECT_EQ(readFile(path).size(), 1078u + 16) << "replaced once whole";
    EXPECT_EQ(filesIn(folder), before);
    EXPECT_EQ(textOf(path + ".part"), "the artist's own notes");
    for (int i = 0; i < 35; i++) EXPECT_EQ(textOf(folder + "~" + digits[i] + ".bmp"), "the artist's") << i;

    writeText(folder + "~z.bmp", "the last name a temporary could have");
    EXPECT_EQ(WriteBmpFile(path.c_str(), diskFiles(), &grey->header, grey->pixels, grey->stride), 0);
    EXPECT_EQ(textOf(folder + "~z.bmp"), "the last name a temporary could have");
    EXPECT_EQ(readFile(path).size(), 1078u + 16);
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
