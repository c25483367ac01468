// Captions under Wine: real anti-aliased glyphs into the coverage bitmap,
// and a caption placed with t and a click, undone and redone with u, read
// back from the screen.
#include <windows.h>

#include <string>

#include "display/caption_text_win.h"
#include "pane_fixture.h"
#include "zrhost/dialog_remote.h"

namespace {

LOGFONTA arial(int height, bool italic = false)
{
    LOGFONTA f = {};
    f.lfHeight = -height;
    f.lfWeight = FW_NORMAL;
    f.lfItalic = italic;
    lstrcpyA(f.lfFaceName, "Arial");
    return f;
}

// The text's width as GDI measures it in that font.
int measuredWidth(const LOGFONTA& font, const char* text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT f = CreateFontIndirectA(&font);
    HGDIOBJ old = SelectObject(dc, f);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    DeleteObject(f);
    DeleteDC(dc);
    return size.cx;
}

}  // namespace

TEST(CaptionGlyphs, TheTextBecomesAntiAliasedCoverageAsWideAsItMeasures)
{
    const LOGFONTA font = arial(24);
    TextBitmap b;
    ASSERT_TRUE(renderTextBitmap(&font, "Shot 12", &b));
    EXPECT_EQ(b.width, measuredWidth(font, "Shot 12"));
    EXPECT_GE(b.height, 24);
    EXPECT_GT(b.ascent, 15);
    EXPECT_LT(b.ascent, b.height);
    int full = 0, partial = 0;
    for (int j = 0; j < b.height; j++)
        for (int i = 0; i < b.width; i++) {
            int c = b.coverage[size_t(j) * b.stride + i];
            if (c == 255) full++;
            else if (c > 0) partial++;
            ASSERT_TRUE(c == 255 || c % 4 == 0) << "levels are counted four times: " << c;
        }
    EXPECT_GT(full, 50) << "the strokes' middles";
    EXPECT_GT(partial, 20) << "their anti-aliased edges";
    // Below the baseline only the descender-free text's nothing: "Shot 12" has none.
    for (int j = b.ascent + 1; j < b.height; j++)
        for (int i = 0; i < b.width; i++) ASSERT_EQ(b.coverage[size_t(j) * b.stride + i], 0) << i << "," << j;
    freeTextBitmap(&b);

    const LOGFONTA slanted = arial(24, true);
    ASSERT_TRUE(renderTextBitmap(&slanted, "Shot 12", &b));
    EXPECT_EQ(b.width, measuredWidth(slanted, "Shot 12") + 2) << "italic adds two columns";
    freeTextBitmap(&b);

    ASSERT_TRUE(renderTextBitmap(&font, "", &b));
    EXPECT_EQ(b.width, 0) << "an empty caption measures nothing";
    freeTextBitmap(&b);
}

// A blank glyph other than the space (here the no-break space, as wide in
// this face) moves the pen on as the space does: what follows it does not
// overlap what came before.
TEST(CaptionGlyphs, BlankGlyphsAdvanceThePen)
{
    const LOGFONTA font = arial(24);
    TextBitmap spaced, unbroken;
    ASSERT_TRUE(renderTextBitmap(&font, "A B", &spaced));
    ASSERT_TRUE(renderTextBitmap(&font, "A\xA0" "B", &unbroken));
    ASSERT_EQ(unbroken.width, spaced.width);
    ASSERT_EQ(unbroken.height, spaced.height);
    for (int j = 0; j < spaced.height; j++)
        for (int i = 0; i < spaced.width; i++)
            ASSERT_EQ(unbroken.coverage[size_t(j) * unbroken.stride + i], spaced.coverage[size_t(j) * spaced.stride + i])
                << i << "," << j;
    freeTextBitmap(&spaced);
    freeTextBitmap(&unbroken);
}

TEST(CaptionGlyphs, FontsAndBitmapsAreAllGivenBack)
{
    const LOGFONTA font = arial(30);
    TextBitmap b;
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; i++) {
        ASSERT_TRUE(renderTextBitmap(&font, "Version 7, 2026-12-08", &b));
        freeTextBitmap(&b);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

class CaptionTest : public PaneTest {};

TEST_F(CaptionTest, TAClickAndOkStampTheCaptionThereAndUUndoesAndRedoesIt)
{
    restartWithConfig("{ TextOptions\n Text \"Shot 12\"\n Color 255 255 0 0\n ShadowOptions 1 2 2\n }");
    renderImage(240, 120, [](int, int) { return Rgba{0, 0, 0.25f, 1}; });
    Capture before = capturePane();
    HWND dialog = openTextDialog(viewer, 60, 70);
    ASSERT_NE(dialog, nullptr);
    pressDialogButton(dialog, IDOK);
    ASSERT_TRUE(waitGone(dialog));
    Capture drawn = capturePane();
    int left = 240, right = -1, top = 120, bottom = -1, yellow = 0, shadow = 0;
    for (int y = 0; y < 120; y++)
        for (int x = 0; x < 240; x++) {
            if (drawn.red(x, y) == before.red(x, y) && drawn.blue(x, y) == before.blue(x, y)) continue;
            if (drawn.red(x, y) == 255 && drawn.green(x, y) == 255 && drawn.blue(x, y) == 0) {
                yellow++;
                left = x < left ? x : left, right = x > right ? x : right;
                top = y < top ? y : top, bottom = y > bottom ? y : bottom;
            }
            if (drawn.red(x, y) == 0 && drawn.blue(x, y) == 0) shadow++;
        }
    EXPECT_GT(yellow, 40) << "the text in the caption's colour";
    EXPECT_GT(shadow, 10) << "its shadow, black";
    EXPECT_GE(left, 60);
    EXPECT_LE(left, 63) << "the text starts at the clicked column";
    EXPECT_LE(bottom, 70) << "and stands on the clicked row";
    EXPECT_GE(bottom, 68);
    EXPECT_LT(top, 60);
    EXPECT_FALSE(toolbarChecked(viewer, 114)) << "placing ends with the click";

    key("u");
    EXPECT_EQ(capturePane().pixels, before.pixels) << "undo gives the picture back exactly";
    key("u");
    EXPECT_EQ(capturePane().pixels, drawn.pixels) << "the second undo redoes";
}

TEST_F(CaptionTest, AClickBesideTheImageOrEscapeDrawsNothing)
{
    restartWithConfig("{ TextOptions\n Text \"Shot\"\n }");
    renderImage(64, 48, [](int, int) { return Rgba{0.5f, 0.5f, 0.5f, 1}; });
    Capture before = capturePane();
    key("t{ESC}");
    mouse(WM_LBUTTONDOWN, 10, 30);  // a plain click: zooms, no caption
    key("u,");
    key("t");
    mouse(WM_LBUTTONDOWN, 300, 30);  // beside the image
    EXPECT_EQ(statusText(viewer, 1), "1x");
    EXPECT_EQ(capturePane().pixels, before.pixels);
}
