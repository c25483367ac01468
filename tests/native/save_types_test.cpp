// The save dialog's types, filter, offered names and extensions.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "output/save_types.h"
#include "platform/file_replace.h"

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
    EXPECT_EQ(buildSaveFilter(types, 0, filter, 0), 0u) << "no room even for the list's end";
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
    EXPECT_EQ(addExtension(bmp, path, sizeof path, title, sizeof title), 1);
    EXPECT_STREQ(path, "C:\\out\\shot.bmp");
    EXPECT_STREQ(title, "shot.bmp");
    // A name that ends in the type's extension, in any case, is kept as
    // typed; any other dot is part of the name, as in the offered render.0001.
    const struct {
        const char* title;
        const char* saved;
    } names[] = {
        {"render.0001", "render.0001.bmp"}, {"beauty_v02.final", "beauty_v02.final.bmp"},
        {"shot.BMP", "shot.BMP"},           {"shot.bmp", "shot.bmp"},
        {".bmp", ".bmp"},                   {"bmp", "bmp.bmp"},
        {"shot.xbmp", "shot.xbmp.bmp"},     {"shot.", "shot..bmp"},
    };
    for (const auto& n : names) {
        char namePath[64], nameTitle[32];
        snprintf(namePath, sizeof namePath, "C:\\out\\%s", n.title);
        snprintf(nameTitle, sizeof nameTitle, "%s", n.title);
        EXPECT_EQ(addExtension(bmp, namePath, sizeof namePath, nameTitle, sizeof nameTitle), 1);
        EXPECT_STREQ(nameTitle, n.saved);
        EXPECT_EQ(std::string(namePath), std::string("C:\\out\\") + n.saved);
    }
    char path3[64] = "x", title3[32] = "x";
    addExtension(any, path3, sizeof path3, title3, sizeof title3);
    EXPECT_STREQ(title3, "x") << "any file: no extension";
    // ".bmp" whole or not at all: a path cut to ".b" would be another file.
    char exact[11] = "abcdef", exactTitle[11] = "abcdef";
    EXPECT_EQ(addExtension(bmp, exact, sizeof exact, exactTitle, sizeof exactTitle), 1);
    EXPECT_STREQ(exact, "abcdef.bmp") << "the buffer exactly full";
    char full[10] = "abcdef", roomyTitle[32] = "abcdef";
    EXPECT_EQ(addExtension(bmp, full, sizeof full, roomyTitle, sizeof roomyTitle), 0);
    EXPECT_STREQ(full, "abcdef");
    EXPECT_STREQ(roomyTitle, "abcdef") << "neither changes";
    char roomy[32] = "abcdef", shortTitle[10] = "abcdef";
    EXPECT_EQ(addExtension(bmp, roomy, sizeof roomy, shortTitle, sizeof shortTitle), 0);
    EXPECT_STREQ(roomy, "abcdef");
}

// A temporary sits beside its file, under a name no longer than the file's
// while that leaves '~' and a digit: a name near the path limit still has
// one. The lowest digits of the candidate number are the ones kept.
TEST(TemporaryPath, BesideTheFileAndNoLongerThanIt)
{
    const struct {
        const char* target;
        const char* extension;
        unsigned n;
        const char* expected;
    } cases[] = {
        {"C:\\out\\shot.bmp", nullptr, 0, "C:\\out\\~0.bmp"},
        {"C:\\out\\shot.bmp", nullptr, 36 * 36 * 36 + 35, "C:\\out\\~00z.bmp"},
        {"C:\\out\\render.0001", ".tga", 71, "C:\\out\\~1z.tga"},
        {"C:/a.b/zr4.cfg", nullptr, 1295, "C:/a.b/~zz.cfg"},
        {"C:shot", nullptr, 4294967295u, "C:~1z3"},
        {"b.pfm", nullptr, 7, "~7.pfm"},
        {"x", nullptr, 35, "~z"},
    };
    for (const auto& c : cases) {
        char path[64];
        ASSERT_EQ(temporaryPath(c.target, c.extension, c.n, path, sizeof path), 1) << c.target;
        EXPECT_STREQ(path, c.expected) << c.target;
        EXPECT_LE(strlen(path) + 1, temporaryPathSize(c.target, c.extension));
    }
    std::string longest = "C:\\" + std::string(252, 'n') + ".bmp";  // 259 characters, the most a path holds
    char path[260];
    ASSERT_EQ(temporaryPath(longest.c_str(), nullptr, 123456, path, sizeof path), 1);
    EXPECT_EQ(strlen(path), 3 + 1 + 4 + 4u) << path;
    char tight[8];
    EXPECT_EQ(temporaryPath("C:\\shot.bmp", nullptr, 0, tight, sizeof tight), 0) << "one short";
    char exact[10];
    EXPECT_EQ(temporaryPath("C:\\shot.bmp", nullptr, 0, exact, sizeof exact), 1) << "exactly full";
    EXPECT_STREQ(fileExtension("C:\\a.b\\c"), "");
    EXPECT_STREQ(fileExtension("x.tar.gz"), ".gz");
}
