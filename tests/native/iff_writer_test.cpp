// The IFF writer, byte for byte: ByteRun1, bit planes, and whole files,
// checked with a decoder written here from the format's definition.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "image_test_util.h"
#include "output/iff_writer.h"
#include "disk_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes pack(const Bytes& row)
{
    Bytes out(row.size() + row.size() / 128 + 2);
    out.resize(packByteRun1(row.data(), out.data(), row.size()));
    return out;
}

// ByteRun1 as readers decode it: 0..127 takes n + 1 literal bytes,
// -127..-1 repeats the next byte 1 - n times, -128 is skipped.
Bytes unpack(const Bytes& packed)
{
    Bytes row;
    for (size_t i = 0; i < packed.size();) {
        int8_t c = int8_t(packed[i++]);
        if (c >= 0) {
            row.insert(row.end(), packed.begin() + long(i), packed.begin() + long(i) + c + 1);
            i += size_t(c) + 1;
        } else if (c != -128) {
            row.insert(row.end(), size_t(1 - c), packed[i++]);
        }
    }
    return row;
}

// A sink into memory that can be told to fail its nth write.
struct MemorySink {
    Bytes data;
    long position = 0;
    int writes = 0;
    int failAt = -1;
    ByteSink sink()
    {
        return ByteSink{this,
                        [](void* c, const void* b, size_t n) {
                            MemorySink* m = static_cast<MemorySink*>(c);
                            if (m->writes++ == m->failAt) return 0;
                            if (m->data.size() < size_t(m->position) + n) m->data.resize(size_t(m->position) + n);
                            memcpy(m->data.data() + m->position, b, n);
                            m->position += long(n);
                            return 1;
                        },
                        [](void* c) { return static_cast<MemorySink*>(c)->position; },
                        [](void* c, long p) {
                            static_cast<MemorySink*>(c)->position = p;
                            return 1;
                        }};
    }
};

uint32_t be32(const Bytes& b, size_t at)
{
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

uint32_t be16(const Bytes& b, size_t at)
{
    return uint32_t(b[at]) << 8 | b[at + 1];
}

// The picture an ILBM body holds, from the format's definition: per row and
// channel eight plane rows, the pixel at x in bit 7 - x % 8 of byte x / 8.
Bytes decodeBody(const Bytes& file, int width, int height, int channels)
{
    const size_t R = size_t((width + 15) / 16 * 2);
    Bytes packed(file.begin() + 48, file.begin() + 48 + long(be32(file, 44)));
    Bytes planes = unpack(packed);
    EXPECT_EQ(planes.size(), R * 8 * size_t(channels * height));
    Bytes pixels(size_t(width * height * channels));
    for (int y = 0; y < height; y++)
        for (int c = 0; c < channels; c++)
            for (int p = 0; p < 8; p++)
                for (int x = 0; x < width; x++) {
                    size_t at = ((size_t(y) * size_t(channels) + size_t(c)) * 8 + size_t(p)) * R + size_t(x / 8);
                    if (planes.size() > at && (planes[at] >> (7 - x % 8)) & 1)
                        pixels[(size_t(y) * size_t(width) + size_t(x)) * size_t(channels) + size_t(c)] |=
                            uint8_t(1 << p);
                }
    return pixels;
}

}  // namespace

TEST(ByteRun1, RunsAndLiteralsAtTheirLimits)
{
    EXPECT_EQ(pack(Bytes(128, 7)), (Bytes{0x81, 7})) << "128 equal: one run, control -127";
    Bytes p = pack(Bytes(129, 7));
    EXPECT_EQ(p, (Bytes{0x81, 7, 0, 7})) << "129: a run of 128 and a literal of one";
    EXPECT_EQ(pack(Bytes{5, 5, 1, 2}), (Bytes{0xFF, 5, 1, 1, 2})) << "two equal at the start: a run of two";
    EXPECT_EQ(pack(Bytes{9}), (Bytes{0, 9}));
    Bytes different(130);
    for (int i = 0; i < 130; i++) different[size_t(i)] = uint8_t(i);
    p = pack(different);
    ASSERT_EQ(p.size(), 1u + 128 + 1 + 2);
    EXPECT_EQ(p[0], 127);
    EXPECT_EQ(p[129], 1) << "then a literal of two";
    // Two equal bytes inside a literal stay literal; three become a run.
    EXPECT_EQ(pack(Bytes{1, 4, 4, 2}), (Bytes{3, 1, 4, 4, 2}));
    EXPECT_EQ(pack(Bytes{1, 4, 4, 4, 2}), (Bytes{0, 1, 0xFE, 4, 0, 2}));
}

TEST(ByteRun1, EveryRowDecodesToItself)
{
    TestRandom random(7);
    for (int trial = 0; trial < 500; trial++) {
        Bytes row(1 + random.next() % 400);
        int alphabet = 1 + int(random.next() % 4);  // few values make runs
        for (auto& b : row) b = uint8_t(random.next() % uint32_t(alphabet));
        Bytes packed = pack(row);
        ASSERT_LE(packed.size(), row.size() + row.size() / 128 + 1) << trial;
        ASSERT_EQ(unpack(packed), row) << trial;
    }
}

TEST(BitPlanes, EachPixelBitLandsInItsPlane)
{
    const uint8_t pixels[8] = {0x01, 0x80, 0xFF, 0x00, 0x55, 0xAA, 0x0F, 0xF0};
    uint8_t planes[8 * 3];
    memset(planes, 0xEE, sizeof planes);
    splitPlanes(pixels, planes + 1, 3);
    for (int p = 0; p < 8; p++) {
        uint8_t expected = 0;
        for (int k = 0; k < 8; k++)
            if (pixels[k] >> p & 1) expected |= uint8_t(0x80 >> k);
        EXPECT_EQ(planes[1 + 3 * p], expected) << "plane " << p;
        EXPECT_EQ(planes[3 * p], 0xEE) << "nothing between the planes";
    }
    EXPECT_EQ(planeRowBytes(1), 2);
    EXPECT_EQ(planeRowBytes(16), 2);
    EXPECT_EQ(planeRowBytes(17), 4);
}

TEST(IffFile, OnePureRedPixel)
{
    const uint8_t bgr[4] = {0, 0, 255, 0};  // one row, padded to four bytes
    MemorySink m;
    ByteSink sink = m.sink();
    ASSERT_EQ(writeIffTo(&sink, bgr, 1, 1, 4, 3, nullptr), 1);
    const Bytes& f = m.data;
    ASSERT_EQ(f.size(), 48u + 56);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "FORM");
    EXPECT_EQ(be32(f, 4), f.size() - 8);
    EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 16), "ILBMBMHD");
    EXPECT_EQ(be32(f, 16), 20u);
    EXPECT_EQ(be16(f, 20), 1u);
    EXPECT_EQ(f[28], 24) << "planes";
    EXPECT_EQ(f[30], 1) << "ByteRun1";
    EXPECT_EQ(f[34], 1);
    EXPECT_EQ(f[35], 1);
    EXPECT_EQ(std::string(f.begin() + 40, f.begin() + 44), "BODY");
    EXPECT_EQ(be32(f, 44), 56u);
    Bytes body(f.begin() + 48, f.end()), expected;
    for (int p = 0; p < 8; p++) expected.insert(expected.end(), {1, 0x80, 0x00});
    for (int p = 0; p < 16; p++) expected.insert(expected.end(), {0xFF, 0x00});
    EXPECT_EQ(body, expected);
}

TEST(IffFile, ColourAndAlphaDecodeToTheBitmapsBytes)
{
    for (int width : {1, 2, 16, 17, 33, 255}) {
        const int height = width == 2 ? 258 : 5;  // a height above one byte
        for (int bpp : {3, 1}) {
            int stride = (width * bpp + 3) & ~3;
            Bytes rows(size_t(stride * height), 0xCD);  // padding that must not show
            TestRandom random(uint32_t(width * 10 + bpp));
            for (int y = 0; y < height; y++)
                for (int x = 0; x < width * bpp; x++) rows[size_t(y * stride + x)] = uint8_t(random.next() >> 5);
            MemorySink m;
            ByteSink sink = m.sink();
            ASSERT_EQ(writeIffTo(&sink, rows.data(), width, height, stride, bpp, nullptr), 1);
            const Bytes& f = m.data;
            EXPECT_EQ(f[28], 8 * bpp);
            EXPECT_EQ(be16(f, 20), uint32_t(width));
            EXPECT_EQ(be16(f, 22), uint32_t(height));
            EXPECT_EQ(be16(f, 36), uint32_t(width)) << "page width";
            EXPECT_EQ(be16(f, 38), uint32_t(height)) << "page height";
            EXPECT_EQ(std::string(f.begin() + 40, f.begin() + 44), "BODY") << "no colour map";
            uint32_t n = be32(f, 44);
            EXPECT_EQ(f.size(), 48 + n + n % 2) << width << " pad only when odd";
            EXPECT_EQ(be32(f, 4), f.size() - 8);
            Bytes pixels = decodeBody(f, width, height, bpp);
            for (int y = 0; y < height; y++)  // the file's first row is the bitmap's last
                for (int x = 0; x < width; x++)
                    for (int c = 0; c < bpp; c++) {
                        uint8_t source = rows[size_t((height - 1 - y) * stride + x * bpp + (bpp == 3 ? 2 - c : 0))];
                        ASSERT_EQ(pixels[size_t((y * width + x) * bpp + c)], source)
                            << width << "x" << height << " bpp " << bpp << " at " << x << "," << y << " c " << c;
                    }
        }
    }
}

namespace {
int g_progressStarts, g_progressSteps;
void countProgress(int n)
{
    if (n)
        g_progressStarts = n;
    else
        g_progressSteps++;
}
}  // namespace

TEST(IffFile, ProgressCountsTheRows)
{
    Bytes rows(4 * 3, 9);
    MemorySink m;
    ByteSink sink = m.sink();
    g_progressStarts = g_progressSteps = 0;
    ASSERT_EQ(writeIffTo(&sink, rows.data(), 3, 3, 4, 1, countProgress), 1);
    EXPECT_EQ(g_progressStarts, 3);
    EXPECT_EQ(g_progressSteps, 3);
}

TEST(IffFile, FailuresLeaveNoFile)
{
    Bytes rows(8, 1);
    std::string path = ::testing::TempDir() + "zr_iff_test.iff";
    remove(path.c_str());
    EXPECT_EQ(writeIff(path.c_str(), diskFiles(), rows.data(), 65536, 1, 8, 1, nullptr), 0) << "too wide for 16 bits";
    EXPECT_EQ(writeIff(path.c_str(), diskFiles(), rows.data(), 1, 65536, 8, 1, nullptr), 0);
    EXPECT_EQ(fopen(path.c_str(), "rb"), nullptr);
    Bytes wide(65536, 1);
    MemorySink m;
    ByteSink sink = m.sink();
    EXPECT_EQ(writeIffTo(&sink, wide.data(), 65536, 1, 65536, 1, nullptr), 0) << "the width alone too large";
    EXPECT_EQ(writeIffTo(&sink, wide.data(), 1, 65536, 1, 1, nullptr), 0) << "the height alone";
    EXPECT_EQ(writeIffTo(&sink, wide.data(), 2, 1, 8, 2, nullptr), 0) << "two bytes a pixel is no bitmap of ours";
    EXPECT_TRUE(m.data.empty()) << "nothing written";
    ASSERT_EQ(writeIffTo(&sink, wide.data(), 65535, 1, 65536, 1, nullptr), 1) << "65535 fits";
    EXPECT_EQ(writeIff((::testing::TempDir() + "no/such/folder/x.iff").c_str(), diskFiles(), rows.data(), 2, 1, 8, 1, nullptr), 0);
    ASSERT_EQ(writeIff(path.c_str(), diskFiles(), rows.data(), 2, 1, 8, 1, nullptr), 1);
    FILE* written = fopen(path.c_str(), "rb");
    ASSERT_NE(written, nullptr);
    fclose(written);
    remove(path.c_str());
    // Each checked write in turn fails: the form header (0 to 2), the
    // channel (6), the pad byte of an odd body (7), the body length (8) and
    // the form length (9). The header chunk and the body's first words (3
    // to 5) are not checked; a failure shows in the next write.
    for (int failAt = 0; failAt <= 10; failAt++) {
        if (failAt >= 3 && failAt <= 5) continue;
        MemorySink m;
        m.failAt = failAt;
        ByteSink sink = m.sink();
        int ok = writeIffTo(&sink, rows.data(), 2, 1, 8, 1, nullptr);
        EXPECT_EQ(ok, failAt == 10 ? 1 : 0) << "write " << failAt;
    }
}
