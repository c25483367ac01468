// What the other tests rely on in the stand-in host's scenes: the soak's
// awkward samples, and the float maps the save tests read back.
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include "zrhost/patterns.h"

namespace {

bool anyPixel(const Frame& f, bool (*test)(float r, float g, float b, float a))
{
    for (size_t i = 0; i < f.red.size(); i++)
        if (test(f.red[i], f.green[i], f.blue[i], f.alpha[i])) return true;
    return false;
}

}  // namespace

// The soak test's frames must carry every sample a render can hand over.
TEST(Patterns, HdrHoldsEveryKindOfAwkwardSample)
{
    Frame f;
    std::string error;
    ASSERT_TRUE(renderPattern("hdr", 200, 100, 0, &f, &error)) << error;
    EXPECT_TRUE(anyPixel(f, [](float r, float, float, float) { return r > 10.0f && isfinite(r); }));
    EXPECT_TRUE(anyPixel(f, [](float r, float g, float, float) { return r < 0 || g < 0; }));
    EXPECT_TRUE(anyPixel(f, [](float r, float, float, float) { return isnan(r); }));
    EXPECT_TRUE(anyPixel(f, [](float r, float, float, float) { return isinf(r) && r > 0; }));
    EXPECT_TRUE(anyPixel(f, [](float r, float, float, float) { return isinf(r) && r < 0; }));
}

TEST(Patterns, UnknownNamesAndBadSizesAreRefused)
{
    Frame f;
    std::string error;
    EXPECT_FALSE(renderPattern("plaid", 10, 10, 0, &f, &error));
    EXPECT_NE(error.find("plaid"), std::string::npos);
    EXPECT_FALSE(renderPattern("bars", 0, 10, 0, &f, &error));
    EXPECT_FALSE(renderPattern("file:/no/such/file.pfm", 10, 10, 0, &f, &error));
}

TEST(Patterns, ReadsALittleEndianFloatMapBottomUp)
{
    const char* path = "patterns_test.pfm";
    FILE* out = fopen(path, "wb");
    ASSERT_NE(out, nullptr);
    fprintf(out, "PF\n2 2\n-1.0\n");
    const float rows[2][6] = {{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f}, {7, 8, 9, 10, 11, 12}};  // bottom row first
    fwrite(rows, sizeof rows, 1, out);
    fclose(out);
    Frame f;
    std::string error;
    ASSERT_TRUE(readPfm(path, &f, &error)) << error;
    EXPECT_EQ(f.width, 2);
    EXPECT_EQ(f.red[0], 7.0f);  // the top row is the file's last
    EXPECT_EQ(f.blue[3], 0.6f);
    remove(path);
}
