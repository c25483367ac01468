// The stand-in host's text form: what its load state finds in a text, and
// what reading a large one costs.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "zrhost/text_state.h"

namespace {

const LWBlockIdent outer[] = {{1, "Outer"}, {2, "Leaf"}, {0, nullptr}};
const LWBlockIdent inner[] = {{3, "Inner"}, {0, nullptr}};

}  // namespace

TEST(TextLoadState, WalksNestedBlocksAndSkipsOthers)
{
    std::string text = "Skipped 1\n{ Outer 5\n  Other 9\n  { Inner \"a \\\"b\\\"\\x41\"\n  }\n  Inner 7\n}\nLeaf -3 4\n";
    LWLoadState* ls = newTextLoadState(text.data(), text.size(), LWIO_SCENE);
    int32_t v[2] = {0, 0};
    char s[16];
    ASSERT_EQ(ls->findBlk(ls->readData, outer), 1u);
    EXPECT_EQ(ls->readI4(ls->readData, v, 2), 1) << "one value, then none";
    EXPECT_EQ(v[0], 5);
    ASSERT_EQ(ls->findBlk(ls->readData, inner), 3u);
    EXPECT_EQ(ls->depth(ls->readData), 2);
    EXPECT_EQ(ls->readStr(ls->readData, s, sizeof s), 6);
    EXPECT_STREQ(s, "a \"b\"A");
    ls->endBlk(ls->readData);
    ASSERT_EQ(ls->findBlk(ls->readData, inner), 3u) << "a leaf after a nested sibling";
    EXPECT_EQ(ls->readI4(ls->readData, v, 1), 1);
    EXPECT_EQ(v[0], 7);
    ls->endBlk(ls->readData);
    EXPECT_EQ(ls->findBlk(ls->readData, inner), 0u);
    ls->endBlk(ls->readData);
    ASSERT_EQ(ls->findBlk(ls->readData, outer), 2u);
    EXPECT_EQ(ls->readI4(ls->readData, v, 2), 2);
    EXPECT_EQ(v[1], 4);
    ls->endBlk(ls->readData);
    EXPECT_EQ(ls->findBlk(ls->readData, outer), 0u);
    EXPECT_EQ(ls->depth(ls->readData), 0);
    freeTextLoadState(ls);
}

TEST(TextLoadState, AZeroByteEndsAStringAndUnclosedBlocksEndWithTheText)
{
    std::string text = "{ Outer\n{ Inner \"ab\\x00cd\" 12\nLeaf";
    LWLoadState* ls = newTextLoadState(text.data(), text.size(), LWIO_SCENE);
    char s[16];
    int32_t v = 0;
    ASSERT_EQ(ls->findBlk(ls->readData, outer), 1u);
    ASSERT_EQ(ls->findBlk(ls->readData, inner), 3u);
    EXPECT_EQ(ls->readStr(ls->readData, s, sizeof s), 2);
    EXPECT_STREQ(s, "ab");
    EXPECT_EQ(ls->readI4(ls->readData, &v, 1), 1);
    EXPECT_EQ(v, 12);
    ls->endBlk(ls->readData);
    ls->endBlk(ls->readData);
    EXPECT_EQ(ls->findBlk(ls->readData, outer), 0u) << "Leaf was inside Inner";
    freeTextLoadState(ls);
}

// A large text costs a small multiple of its size, even when every line is
// a block of its own.
TEST(TextLoadState, MemoryIsASmallMultipleOfTheText)
{
#ifdef __GLIBC__
    for (const char* line : {"a\n", "Leaf 1 2 3 4 5 6 7 8\n", "{ Outer\n"}) {
        std::string text;
        while (text.size() < (16u << 20)) text += line;
        size_t before = mallinfo2().uordblks;
        LWLoadState* ls = newTextLoadState(text.data(), text.size(), LWIO_SCENE);
        size_t used = mallinfo2().uordblks - before;
        EXPECT_LT(used, 6 * text.size()) << line;
        freeTextLoadState(ls);
    }
#else
    GTEST_SKIP() << "heap statistics are glibc's";
#endif
}
