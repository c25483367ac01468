// The settings block: what the writer stores and what the reader accepts.
#include <gtest/gtest.h>
#include <string.h>

#include "settings/settings_io.h"
#include "settings_test_util.h"
#include "zrhost/text_state.h"

namespace {

std::string block(const std::string& inner)
{
    return "{ ZRConfig\n" + inner + "\n}\n";
}

}  // namespace

TEST(SettingsDefaults, LeaveTheUnlistedFontFieldsAndLeftXAlone)
{
    Settings s = unusualSettings();
    applyDefaultSettings(&s);
    EXPECT_EQ(s.text.font.lfWidth, 11);
    EXPECT_EQ(s.text.font.lfEscapement, 900);
    EXPECT_EQ(s.text.font.lfQuality, 0x85);
    EXPECT_EQ(s.text.leftX, 77);
    EXPECT_EQ(s.text.font.lfHeight, -24);
}

TEST(SettingsRoundTrip, ReproducesEveryStoredField)
{
    Settings written = unusualSettings();
    Settings read = defaultSettings();
    EXPECT_EQ(readSettingsText(&read, settingsText(written)), 0);
    EXPECT_TRUE(storedFieldsEqual(written, read));
    EXPECT_STREQ(read.configPath, "zr4.cfg");  // never stored
}

// The block a new configuration file holds: the documented defaults, in the
// host's text form (floats with nine significant digits).
TEST(SettingsRoundTrip, DefaultsMakeTheDocumentedBlock)
{
    EXPECT_EQ(settingsText(defaultSettings()),
              "{ ZRConfig\n"
              "  Version 4\n"
              "  { TextOptions\n"
              "    Font \"Arial\" -24 0 0 0 400 0 0 0 0 0 0 0 0\n"
              "    Color 255 255 255 0\n"
              "    Position 10 30 0 0\n"
              "    Text \"\"\n"
              "    ShadowOptions 1 2 2\n"
              "  }\n"
              "  HotParams 7.5 110 50 0\n"
              "  SafeParams 1.85000002 0.0199999996 1 0\n"
              "  BlackWhite 0 1\n"
              "  PixelDisplayType 0\n"
              "  CloseRenderStatus 1\n"
              "}\n");
}

TEST(SettingsReader, AcceptsBlocksInAnyOrder)
{
    Settings s = defaultSettings();
    readSettingsText(&s, block("CloseRenderStatus 0\nBlackWhite 0.25 0.75\n{ TextOptions\nShadowOptions 0 4 5\n"
                               "Text \"late\"\n}\nHotParams 1 2 3 1\nVersion 4"));
    EXPECT_EQ(s.closeRenderStatus, 0);
    EXPECT_EQ(s.defaultBlack, 0.25f);
    EXPECT_EQ(s.defaultWhite, 0.75f);
    EXPECT_EQ(s.text.shadowEnabled, 0);
    EXPECT_EQ(s.text.shadowDy, 5);
    EXPECT_STREQ(s.text.text, "late");
    EXPECT_EQ(s.hot.videoStandard, 1);
    EXPECT_EQ(s.hot.chromaLimit, 3.0f);
}

TEST(SettingsReader, AppliesADuplicatedBlockTwiceTheLaterWinning)
{
    Settings s = defaultSettings();
    readSettingsText(&s, block("BlackWhite 0.1 0.9\nBlackWhite 0.2 0.8"));
    EXPECT_EQ(s.defaultBlack, 0.2f);
    EXPECT_EQ(s.defaultWhite, 0.8f);
}

TEST(SettingsReader, LeavesMissingBlocksAsTheyWere)
{
    Settings s = defaultSettings();
    readSettingsText(&s, block("CloseRenderStatus 0"));
    Settings expected = defaultSettings();
    expected.closeRenderStatus = 0;
    EXPECT_TRUE(storedFieldsEqual(s, expected));
}

TEST(SettingsReader, TextOptionsWithOnlyTextChangeOnlyTheCaption)
{
    Settings s = unusualSettings();
    Settings expected = s;
    readSettingsText(&s, block("{ TextOptions\nText \"Take 3\"\n}"));
    strcpy(expected.text.text, "Take 3");
    EXPECT_TRUE(storedFieldsEqual(s, expected));
}

TEST(SettingsReader, ReadsAnyVersionWithTheSameLayout)
{
    for (const char* version : {"Version 3", "Version 7", "Version -1", ""}) {
        Settings s = defaultSettings();
        readSettingsText(&s, block(std::string(version) + "\nPixelDisplayType 1"));
        EXPECT_EQ(s.pixelDisplayType, 1) << version;
    }
}

TEST(SettingsReader, IgnoresForeignAndEmptyInput)
{
    const Settings before = unusualSettings();
    for (const char* text : {"", "\n\n", "LWSC\n3\n\nFirstFrame 1\nLastFrame 60\n", "{ Other\nBlackWhite 5 6\n}\n",
                             "BlackWhite 5 6\n", "}\n}\n{\n"}) {
        Settings s = before;
        EXPECT_EQ(readSettingsText(&s, text), 0) << text;
        EXPECT_TRUE(storedFieldsEqual(s, before)) << text;
    }
}

TEST(SettingsWriter, AFaceFillingItsWholeFieldIsWrittenWhole)
{
    Settings s = defaultSettings();
    memset(s.text.font.lfFaceName, 'W', sizeof s.text.font.lfFaceName);  // no terminator of its own
    std::string text = settingsText(s);
    EXPECT_NE(text.find("Font \"" + std::string(sizeof s.text.font.lfFaceName, 'W') + "\""), std::string::npos)
        << text;
}

TEST(SettingsReader, CutsOverLongStringsToTheirFields)
{
    Settings s = defaultSettings();
    const COLORREF colourAfterFace = s.text.colour;
    std::string face(200, 'W');
    std::string caption(5000, 'c');
    readSettingsText(&s, block("{ TextOptions\nFont \"" + face + "\" -30 0 0 0 700 0 0 0 0 0 0 0 0\nText \"" +
                               caption + "\"\n}"));
    EXPECT_EQ(strlen(s.text.font.lfFaceName), sizeof s.text.font.lfFaceName - 1);
    EXPECT_EQ(s.text.font.lfFaceName[0], 'W');
    EXPECT_EQ(s.text.font.lfHeight, -30);  // values after the long string still read
    EXPECT_EQ(s.text.colour, colourAfterFace);
    EXPECT_EQ(strlen(s.text.text), sizeof s.text.text - 1);
    EXPECT_EQ(s.text.shadowEnabled, 1);  // the field after the caption
}

namespace {

// A host whose string reader fills the whole buffer it is given and ends
// nothing: the fields must still end inside themselves.
int (*g_readString)(void*, char*, int);
int fillWholeBuffer(void* data, char* buf, int max)
{
    g_readString(data, buf, max);
    memset(buf, 'Z', size_t(max));
    return max;
}

}  // namespace

TEST(SettingsReader, EndsStringsThatTheHostFilledToTheBrim)
{
    Settings s = defaultSettings();
    std::string text = block("{ TextOptions\nFont \"x\" -30 0 0 0 700 1 0 0 0 0 0 0 0 99\nText \"y\"\n}");
    LWLoadState* ls = newTextLoadState(text.data(), text.size(), LWIO_SCENE);
    LWLoadState brimful = *ls;
    g_readString = ls->readStr;
    brimful.readStr = fillWholeBuffer;
    readSettings(&s, &brimful);
    freeTextLoadState(ls);
    EXPECT_EQ(strlen(s.text.font.lfFaceName), sizeof s.text.font.lfFaceName - 1);
    EXPECT_EQ(strlen(s.text.text), sizeof s.text.text - 1);
    EXPECT_EQ(s.text.font.lfHeight, -30);
    EXPECT_EQ(s.text.font.lfItalic, 1);
    EXPECT_EQ(s.text.colour, 0x00FFFFFFu) << "a ninth flag value is not read into the colour";
    EXPECT_EQ(s.text.shadowEnabled, 1);
}

TEST(SettingsReader, StoresWhatATruncatedBlockDelivers)
{
    std::string full = settingsText(unusualSettings());
    for (size_t cut = 0; cut < full.size(); cut += 7) {
        Settings s = defaultSettings();
        readSettingsText(&s, full.substr(0, cut));
        EXPECT_LT(strlen(s.text.text), sizeof s.text.text);
        EXPECT_LT(strlen(s.text.font.lfFaceName), sizeof s.text.font.lfFaceName);
    }
    Settings s = unusualSettings();
    readSettingsText(&s, block("{ TextOptions\nColor 9 8\n}"));
    EXPECT_EQ(s.text.colour, 0x01120809u) << "the bytes not delivered stay as they were";
    s = unusualSettings();
    readSettingsText(&s, block("{ TextOptions\nColor 9\n}"));
    EXPECT_EQ(s.text.colour, 0x01123409u) << "green, blue and the fourth byte stay";
    s = defaultSettings();
    readSettingsText(&s, block("HotParams 1.5"));  // the rest of the leaf is missing
    EXPECT_EQ(s.hot.pedestal, 1.5f);
    EXPECT_EQ(s.hot.compositeLimit, 110.0f);
    EXPECT_EQ(s.hot.videoStandard, 0);
}

TEST(SettingsReader, EndsExactlyTheBlocksItEntered)
{
    // Inside a host's own block, followed by a sibling the host still reads.
    std::string scene = "{ Host\n" + settingsText(unusualSettings()) + "Next 5\n}\n";
    LWLoadState* ls = newTextLoadState(scene.data(), scene.size(), LWIO_SCENE);
    const LWBlockIdent host[] = {{1, "Host"}, {0, nullptr}};
    const LWBlockIdent next[] = {{2, "Next"}, {0, nullptr}};
    ASSERT_EQ(ls->findBlk(ls->readData, host), 1u);
    Settings s = defaultSettings();
    readSettings(&s, ls);
    EXPECT_EQ(ls->depth(ls->readData), 1);
    EXPECT_EQ(ls->findBlk(ls->readData, next), 2u);
    int32_t v = 0;
    ls->readI4(ls->readData, &v, 1);
    EXPECT_EQ(v, 5);
    freeTextLoadState(ls);
}

TEST(SettingsReader, WithoutZrcfEndsNoBlock)
{
    std::string scene = "{ Host\nOther 1\n}\n";
    LWLoadState* ls = newTextLoadState(scene.data(), scene.size(), LWIO_SCENE);
    const LWBlockIdent host[] = {{1, "Host"}, {0, nullptr}};
    ASSERT_EQ(ls->findBlk(ls->readData, host), 1u);
    Settings s = defaultSettings();
    readSettings(&s, ls);
    EXPECT_EQ(ls->depth(ls->readData), 1);
    freeTextLoadState(ls);
}
