// The save dialog's types, filter, offered names and extensions.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "output/save_types.h"

namespace {

const char* const savers[] = {"Targa (.tga)", "Portable Float Map", "JPEG (jpg)", "Odd (.a(.b))", nullptr};

const char* saverName(void* context, int k)
{
    return static_cast<const char* const*>(context)[k];
}

}  // namespace

TEST(SaveTypes, OwnTypesFirstThenTheHostsSaversParsed)
{
    SaveType types[8];
    int n = buildSaveTypes(types, 8, 5, saverName, const_cast<char**>(savers));
    ASSERT_EQ(n, 7);
    EXPECT_STREQ(types[0].name, "ZR BMP");
    EXPECT_STREQ(types[0].extension, "bmp");
    EXPECT_STREQ(types[1].name, "ZR IFF");
    EXPECT_STREQ(types[2].name, "Targa ") << "the blank before ( stays";
    EXPECT_STREQ(types[2].extension, "tga");
    EXPECT_STREQ(types[3].name, "Portable Float Map");
    EXPECT_STREQ(types[3].extension, "*") << "no parentheses: any file";
    EXPECT_STREQ(types[4].extension, "jpg") << "no dot after (";
    EXPECT_STREQ(types[5].name, "Odd (.a");
    EXPECT_STREQ(types[5].extension, "b)") << "the last ( and the last ) after it";
    EXPECT_STREQ(types[6].name, "") << "a saver without a name";
    EXPECT_EQ(buildSaveTypes(types, 3, 5, saverName, const_cast<char**>(savers)), 3) << "only what fits";
}

TEST(SaveTypes, LongNamesAreCutNeverCopiedPast)
{
    std::string longName(300, 'n');
    std::string withExtension = longName + " (." + std::string(100, 'e') + ")";
    SaveType t;
    parseSaverName(longName.c_str(), &t);
    EXPECT_EQ(strlen(t.name), size_t(SAVE_TYPE_NAME_SIZE - 1));
    parseSaverName(withExtension.c_str(), &t);
    EXPECT_EQ(strlen(t.name), size_t(SAVE_TYPE_NAME_SIZE - 1));
    EXPECT_EQ(strlen(t.extension), size_t(SAVE_TYPE_EXTENSION_SIZE - 1));
    // A remembered long name finds its type on what both hold.
    SaveType types[3] = {{"ZR BMP", "bmp"}, {"ZR IFF", "iff"}, {}};
    types[2] = t;
    char remembered[SAVE_TYPE_NAME_SIZE];
    snprintf(remembered, sizeof remembered, "%s", longName.c_str());
    EXPECT_EQ(findSaveType(types, 3, remembered), 2);
    EXPECT_EQ(findSaveType(types, 3, "ZR IFF"), 1);
    EXPECT_EQ(findSaveType(types, 3, "zr iff"), 0) << "case counts";
    EXPECT_EQ(findSaveType(types, 3, "ZR IF"), 0) << "the whole name";
    EXPECT_EQ(findSaveType(types, 3, "Gone (.x)"), 0);
}

TEST(SaveTypes, TheFilterPairsDescriptionsAndPatterns)
{
    SaveType types[4];
    int n = buildSaveTypes(types, 4, 2, saverName, const_cast<char**>(savers));
    char filter[256];
    memset(filter, '#', sizeof filter);
    size_t used = buildSaveFilter(types, n, filter, sizeof filter);
    const char expected[] = "ZR BMP (.bmp)\0*.bmp\0ZR IFF (.iff)\0*.iff\0Targa  (.tga)\0*.tga\0"
                            "Portable Float Map (.*)\0*.*\0";
    ASSERT_EQ(used, sizeof expected);
    EXPECT_EQ(0, memcmp(filter, expected, sizeof expected));
    EXPECT_EQ(filter[used], '#') << "nothing written past";
    EXPECT_EQ(buildSaveFilter(types, n, filter, used), used) << "exactly full";
    EXPECT_EQ(buildSaveFilter(types, n, filter, used - 1), 0u) << "one byte short";
}

TEST(SaveTypes, OfferedNamesAndExtensions)
{
    char name[64];
    offeredFileName("Untitled1", name, sizeof name);
    EXPECT_STREQ(name, "Untitled1");
    offeredFileName("render.0001.bmp", name, sizeof name);
    EXPECT_STREQ(name, "render.0001");
    char one[2] = {'x', 'x'};
    offeredFileName("shot", one, 1);
    EXPECT_EQ(one[0], '\0') << "a one-byte buffer holds the end alone";
    EXPECT_EQ(one[1], 'x');
    char path[64] = "C:\\out\\shot", title[32] = "shot";
    const SaveType bmp = {"ZR BMP", "bmp"}, any = {"Portable Float Map", "*"};
    addExtension(bmp, path, sizeof path, title, sizeof title);
    EXPECT_STREQ(path, "C:\\out\\shot.bmp");
    EXPECT_STREQ(title, "shot.bmp");
    char path2[64] = "C:\\out\\shot.final", title2[32] = "shot.final";
    addExtension(bmp, path2, sizeof path2, title2, sizeof title2);
    EXPECT_STREQ(title2, "shot.final") << "a name with a dot keeps it";
    char path3[64] = "x", title3[32] = "x";
    addExtension(any, path3, sizeof path3, title3, sizeof title3);
    EXPECT_STREQ(title3, "x") << "any file: no extension";
    char full[8] = "abcdef", fullTitle[8] = "abcdef";
    addExtension(bmp, full, sizeof full, fullTitle, sizeof fullTitle);
    EXPECT_STREQ(full, "abcdef.") << "cut to the buffer";
}
