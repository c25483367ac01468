// The Notes and Settings sheet driven as an artist would: typing into its
// boxes, ticking them, pressing OK or Cancel, and reading back what the
// viewer, its screen and the saved settings show.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "dialogs/sheet_ids.h"
#include "drawn_overlay.h"
#include "pane_fixture.h"
#include "settings_capture.h"
#include "zrhost/dialog_remote.h"

namespace {

enum { PAGE_NOTES, PAGE_LEVELS, PAGE_HOT, PAGE_BORDERS };

Rgba grey(int x, int)
{
    return {byteValue(x % 128), byteValue(x % 128), byteValue(x % 128), 1};
}

class SheetTest : public PaneTest {
protected:
    HWND openSheet() { return openSettingsSheet(viewer); }

    HWND showPage(HWND sheet, int index)
    {
        SendMessageA(sheet, PSM_SETCURSEL, index, 0);
        return currentPage(sheet);
    }

    static HWND currentPage(HWND sheet)
    {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    static int currentIndex(HWND sheet)
    {
        return int(SendMessageA(sheet, PSM_HWNDTOINDEX, WPARAM(currentPage(sheet)), 0));
    }

    void close(HWND sheet, int button)
    {
        pressSheetButton(sheet, button);
        ASSERT_TRUE(waitGone(sheet));
        settleViewer(viewer);
    }

    static std::string text(HWND page, int id)
    {
        char buffer[2048] = "";
        GetDlgItemTextA(page, id, buffer, sizeof buffer);
        return buffer;
    }

    static void type(HWND page, int id, const std::string& value) { SetDlgItemTextA(page, id, value.c_str()); }

    static void tick(HWND page, int id, bool on = true)
    {
        SendDlgItemMessageA(page, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    // Edits one page and presses OK.
    void editAndOk(int index, const std::function<void(HWND page)>& edit)
    {
        HWND sheet = openSheet();
        ASSERT_NE(sheet, nullptr);
        edit(showPage(sheet, index));
        close(sheet, PSBTN_OK);
    }

    std::string saved(const char* token) { return leafValues(savedSettings(session, instance), token); }

    // The saved leaf's numbers, as floats, to compare with what was typed.
    std::vector<float> savedNumbers(const char* token)
    {
        std::vector<float> numbers;
        std::string values = saved(token);
        const char* p = values.c_str();
        char* end = nullptr;
        for (double v = strtod(p, &end); end != p; v = strtod(p, &end)) {
            numbers.push_back(float(v));
            p = end;
        }
        return numbers;
    }
};

// Tests that use the clipboard, which is one for the whole desktop, run
// alone (the build registers every *ClipboardTest serially).
class SheetClipboardTest : public SheetTest {};

}  // namespace

TEST_F(SheetTest, TheSheetHasFourPagesAndNoHelpButton)
{
    renderImage(64, 48, grey);
    HWND sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(GetParent(sheet), viewer);
    EXPECT_FALSE(GetWindowLongA(sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 4);
    const char* captions[] = {" Notes ", " Levels ", " Hot Pixels ", " Borders "};
    for (int i = 0; i < 4; i++) {
        char caption[32] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = sizeof caption;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(caption, captions[i]);
    }
    HWND apply = GetDlgItem(sheet, 0x3021);  // the sheet's Apply button
    EXPECT_FALSE(apply && IsWindowVisible(apply)) << "no Apply";
    HWND notes = currentPage(sheet);
    EXPECT_EQ(text(notes, IDC_NAME), "Untitled1");
    EXPECT_EQ(text(notes, IDC_NUMBER), "1");
    EXPECT_EQ(text(notes, IDC_RENDER_TIME), "0h 0m 0.0s");
    std::string created = text(notes, IDC_CREATED);  // "Dec 07 19:50:21"
    ASSERT_EQ(created.size(), 15u) << created;
    EXPECT_TRUE(isdigit(created[4]) && isdigit(created[5])) << "a two-digit day: " << created;
    close(sheet, PSBTN_CANCEL);
}

// A configuration file that another program holds, so that it cannot be
// replaced, stays whole; the artist is told once, with the system's
// reason, and the first change after it is released is stored.
TEST_F(SheetTest, ASettingsFileThatCannotBeWrittenIsToldOnceAndKeptWhole)
{
    renderImage(64, 48, grey);
    auto newDefaultWhite = [&](const char* white) {
        editAndOk(PAGE_LEVELS, [&](HWND page) {
            type(page, IDC_WHITE, white);
            tick(page, IDC_LEVELS_DEFAULT);
        });
    };
    newDefaultWhite("1.5");
    const std::string config = inPlugin("zr4.cfg"), stored = readFile(config);
    HANDLE held = holdWithoutDeleteSharing(config);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    newDefaultWhite("1.6");
    MessageBoxText box;
    EXPECT_TRUE(readAndCloseMessageBox(viewer, "ZR", 10000, &box));
    EXPECT_EQ(box.text.compare(0, 34, "The settings couldn't be saved to\n"), 0) << box.text;
    EXPECT_NE(box.text.find("zr4.cfg\n"), std::string::npos) << "the reason on a line of its own: " << box.text;
    newDefaultWhite("1.7");
    EXPECT_FALSE(readAndCloseMessageBox(viewer, "ZR", 1000, &box)) << "told once: " << box.text;
    EXPECT_EQ(readFile(config), stored);
    CloseHandle(held);
    newDefaultWhite("1.8");
    EXPECT_EQ(leafValues(readFile(config), "BlackWhite"), saved("BlackWhite")) << "stored again";
}

TEST_F(SheetTest, OkWithNothingChangedLeavesEverythingAsItWas)
{
    restartWithConfig("BlackWhite 4e-07 1e+30\nHotParams 3.4e+38 1e+30 4e-07 1\nSafeParams 3.4e+38 4e-07 3 0");
    renderImage(64, 48, grey);
    key("f");
    Capture before = capturePane();
    std::string settingsBefore = savedSettings(session, instance);
    const struct {
        int page, box;
    } boxes[] = {{PAGE_LEVELS, IDC_BLACK},     {PAGE_LEVELS, IDC_WHITE}, {PAGE_HOT, IDC_PEDESTAL},
                 {PAGE_HOT, IDC_COMPOSITE},    {PAGE_HOT, IDC_CHROMA},   {PAGE_BORDERS, IDC_ASPECT},
                 {PAGE_BORDERS, IDC_MARGIN}};
    std::vector<std::string> shown[2];
    for (auto& texts : shown) {
        HWND sheet = openSheet();
        ASSERT_NE(sheet, nullptr);
        for (const auto& b : boxes) texts.push_back(text(showPage(sheet, b.page), b.box));
        close(sheet, PSBTN_OK);
    }
    EXPECT_EQ(shown[1], shown[0]) << "the image's own values, as they were";
    EXPECT_EQ(shown[0][1], "1.00000002e+30");
    EXPECT_EQ(statusText(viewer, 0), "Untitled1");
    EXPECT_TRUE(capturePane().pixels == before.pixels);
    EXPECT_EQ(savedSettings(session, instance), settingsBefore);
}

TEST_F(SheetTest, TheFloatReadoutFollowsItsBoxAtOnce)
{
    renderImage(64, 48, grey);
    editAndOk(PAGE_LEVELS, [&](HWND page) { tick(page, IDC_FLOAT_READOUT); });
    mouse(WM_MOUSEMOVE, 10, 1);
    EXPECT_EQ(statusText(viewer, 3), "0.041, 0.041, 0.041");
    EXPECT_EQ(saved("PixelDisplayType"), "1");
}

TEST_F(SheetTest, HotPixelSettingsApplyToTheOtherImagesThatDiffer)
{
    // Pure red is beyond the NTSC chroma limit: with hot pixels shown it
    // keeps its colour, and a chroma limit of 200 makes it legal.
    renderImage(32, 32, [](int, int) { return Rgba{1, 0, 0, 1}; });
    renderImage(32, 32, [](int, int) { return Rgba{1, 0, 0, 1}; });
    key("h");
    EXPECT_EQ(capturePane().red(5, 5), 255);
    editAndOk(PAGE_HOT, [&](HWND page) {
        EXPECT_EQ(IsDlgButtonChecked(page, IDC_NTSC), BST_CHECKED);
        type(page, IDC_CHROMA, "200");
        tick(page, IDC_HOT_TO_ALL);
    });
    EXPECT_EQ(capturePane().red(5, 5), 0) << "no longer hot here";
    key("-");
    ASSERT_EQ(statusText(viewer, 0), "Untitled1");
    EXPECT_EQ(capturePane().red(5, 5), 0) << "nor in the other image";
    EXPECT_EQ(savedNumbers("HotParams"), (std::vector<float>{7.5f, 110, 50, 0})) << "not made the default";
}

// Levels and Borders "apply to all" reach the other image; a Borders
// change shows on the screen at once, the margin, the aspect or the style
// alone too, and can become the default.
TEST_F(SheetTest, LevelsAndBordersApplyToAllAndTheOverlayFollowsAtOnce)
{
    restartWithConfig("SafeParams 1.85 0.02 2 0");  // the custom frame, outlined
    renderImage(320, 240, grey);
    renderImage(320, 240, grey);
    editAndOk(PAGE_LEVELS, [&](HWND page) {
        type(page, IDC_WHITE, "0.5");
        tick(page, IDC_LEVELS_TO_ALL);
    });
    const int doubled = capturePane().red(40, 5);
    EXPECT_NEAR(doubled, 80, 1);
    key("1");
    ASSERT_EQ(statusText(viewer, 0), "Untitled1");
    Capture plain = capturePane();
    EXPECT_EQ(plain.red(40, 5), doubled) << "the other image took the levels";
    key("f");
    auto expectOverlay = [&](float aspect, float margin, int style, const char* what) {
        DrawnOverlay want(320, 240, SafeParams{aspect, margin, SAFE_CUSTOM, style});
        Capture shown = capturePane();
        int inverted = 0;
        for (int y = 0; y < 240; y++)
            for (int x = 0; x < 320; x++) {
                ASSERT_EQ(shown.red(x, y) != plain.red(x, y), want.bit(x, y) == 1) << what << " at " << x << "," << y;
                inverted += want.bit(x, y);
            }
        EXPECT_GT(inverted, 300) << what;
    };
    expectOverlay(1.85f, 0.02f, SAFE_OUTLINE, "as stored");
    editAndOk(PAGE_BORDERS, [&](HWND page) {
        EXPECT_EQ(text(page, IDC_MARGIN), "2%");
        EXPECT_EQ(text(page, IDC_ASPECT), "1.85");
        type(page, IDC_MARGIN, "10");
    });
    expectOverlay(1.85f, 0.10f, SAFE_OUTLINE, "the margin alone");
    editAndOk(PAGE_BORDERS, [&](HWND page) {
        EXPECT_EQ(text(page, IDC_MARGIN), "10%");
        type(page, IDC_ASPECT, "1.33");
        tick(page, IDC_SAFE_TO_ALL);
    });
    expectOverlay(1.33f, 0.10f, SAFE_OUTLINE, "the aspect alone");
    key("2");
    expectOverlay(1.33f, 0.10f, SAFE_OUTLINE, "the other image");
    editAndOk(PAGE_BORDERS, [&](HWND page) {
        SendDlgItemMessageA(page, IDC_SOLID, BM_CLICK, 0, 0);
        tick(page, IDC_SAFE_DEFAULT);
    });
    expectOverlay(1.33f, 0.10f, SAFE_SOLID, "solid");
    EXPECT_EQ(savedNumbers("SafeParams"), (std::vector<float>{1.33f, 0.1f, SAFE_CUSTOM, SAFE_SOLID}))
        << "made the default";
}

// The host opens once for a sequence: the fifth frame from frame 12 is
// frame 16, with the scene's facts each in its line.
TEST_F(SheetTest, NameNotesAndSceneInfoOfTheFifthFrameOfASequence)
{
    render(5, "ramps", 64, 48, 12);
    const std::string facts =
        "Frame Number:  16\r\nPoints:  12482\r\nPolygons:  24960\r\nAA Passes:  9\r\n"
        "Raytrace Shadows:  On\r\nRaytrace Reflections:  On\r\nRaytrace Refraction:  Off\r\n"
        "Recursion Depth:  16\r\nField Rendering:  Off\r\nMotion Blur:  On\r\nDepth of Field:  Off\r\n";
    editAndOk(PAGE_NOTES, [&](HWND page) {
        type(page, IDC_NAME, "beauty pass");
        SendDlgItemMessageA(page, IDC_SCENE_INFO, BM_CLICK, 0, 0);
        EXPECT_EQ(text(page, IDC_NOTES), facts) << "on empty notes, at the start";
        SendDlgItemMessageA(page, IDC_SCENE_INFO, BM_CLICK, 0, 0);
        EXPECT_EQ(text(page, IDC_NOTES), facts + "\r\n" + facts) << "twice appends twice, after a line break";
    });
    EXPECT_EQ(statusText(viewer, 0), "beauty pass");
    HWND sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = showPage(sheet, PAGE_NOTES);
    EXPECT_EQ(text(page, IDC_NOTES), facts + "\r\n" + facts) << "kept with the image";
    EXPECT_EQ(text(page, IDC_NAME), "beauty pass");
    close(sheet, PSBTN_CANCEL);
}

TEST_F(SheetClipboardTest, APastedNovelKeepsTheFirst1023Characters)
{
    renderImage(64, 48, grey);
    std::string novel;
    for (int i = 0; i < 5000; i++) novel += char('a' + i % 26);
    editAndOk(PAGE_NOTES, [&](HWND page) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, novel.size() + 1);
        memcpy(GlobalLock(memory), novel.c_str(), novel.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
        SendDlgItemMessageA(page, IDC_NOTES, WM_PASTE, 0, 0);
    });
    HWND sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    std::string notes = text(showPage(sheet, PAGE_NOTES), IDC_NOTES);
    EXPECT_EQ(notes.size(), 1023u);
    EXPECT_EQ(notes, novel.substr(0, 1023));
    close(sheet, PSBTN_CANCEL);
}

TEST_F(SheetTest, CancelChangesNothingAndTheSheetReopensOnItsLastPage)
{
    renderImage(64, 48, grey);
    Capture before = capturePane();
    std::string settingsBefore = savedSettings(session, instance);
    HWND sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    type(showPage(sheet, PAGE_NOTES), IDC_NAME, "changed");
    HWND levels = showPage(sheet, PAGE_LEVELS);
    type(levels, IDC_WHITE, "0.25");
    tick(levels, IDC_LEVELS_DEFAULT);
    tick(levels, IDC_FLOAT_READOUT);
    HWND hot = showPage(sheet, PAGE_HOT);
    type(hot, IDC_CHROMA, "1");
    tick(hot, IDC_HOT_DEFAULT);
    HWND borders = showPage(sheet, PAGE_BORDERS);
    tick(borders, IDC_CUSTOM);
    tick(borders, IDC_SAFE_DEFAULT);
    showPage(sheet, PAGE_HOT);
    close(sheet, PSBTN_CANCEL);
    EXPECT_EQ(statusText(viewer, 0), "Untitled1");
    EXPECT_TRUE(capturePane().pixels == before.pixels);
    EXPECT_EQ(savedSettings(session, instance), settingsBefore);
    sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(currentIndex(sheet), PAGE_HOT) << "the page last shown, Cancel or not";
    EXPECT_EQ(text(currentPage(sheet), IDC_CHROMA), "50.0");
    close(sheet, PSBTN_CANCEL);
}

// Ten slots full and the sheet open on one of them: the frames that arrive
// wait for the sheet, which keeps its image, and then take their slots.
// Nothing is lost, and a second round costs no more memory than the first
// left committed.
TEST_F(SheetTest, FramesArrivingWhileTheSheetIsOpenWait)
{
    for (int i = 0; i < 10; i++) renderImage(200, 200, grey);
    auto round = [&](const char* slotKey) {
        key(slotKey);
        std::string edited = statusText(viewer, 0);
        HWND sheet = openSheet();
        ASSERT_NE(sheet, nullptr);
        type(showPage(sheet, PAGE_NOTES), IDC_NAME, "edited");
        handOver(2, "ramps", 200, 200);
        pumpMessages(200);
        ASSERT_TRUE(IsWindow(sheet)) << "the frames did not close the sheet";
        EXPECT_EQ(statusText(viewer, 0), edited) << "nor replaced its image";
        close(sheet, PSBTN_OK);
        ASSERT_TRUE(waitForName("Untitled" + std::to_string(framesRendered))) << "the last frame shows";
        EXPECT_EQ(enabledSlots(viewer), 10);
    };
    round("1");
    size_t before = committedBytes();
    round("5");
    size_t after = committedBytes();
    EXPECT_LT(after, before + 200 * 200 * 16) << "within one frame's floats of the first round";
}

// A sequence rendering behind an open sheet: only the last ten frames wait
// for it, each one beyond them giving its memory to the next.
TEST_F(SheetTest, FortyFullHdFramesBehindTheSheetCostAtMostTenAndTheNewestShows)
{
    renderImage(64, 48, grey);
    HWND sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    const size_t before = committedBytes();
    handOver(40, "ramps", 1920, 1080);
    pumpMessages(300);
    const size_t frame = size_t(1920) * 1080 * (16 + 3 + 1) + 2 * size_t(1920 / 8) * 1080;  // floats and bitmaps
    const size_t now = committedBytes(), grown = now > before ? now - before : 0;
    printf("forty frames behind the sheet: %.0f MB more, %.1f frames\n", grown / 1048576.0, double(grown) / frame);
    EXPECT_LT(grown, 10 * frame);
    ASSERT_TRUE(IsWindow(sheet));
    close(sheet, PSBTN_CANCEL);
    EXPECT_TRUE(waitForName("Untitled41", 30000)) << statusText(viewer, 0);
    EXPECT_EQ(enabledSlots(viewer), 10);
}

// A name longer than its part is cut with an ellipsis to what fits, at a
// normal and at the smallest window size.
TEST_F(SheetTest, ALongNameIsCutWithAnEllipsisInTheStatusBar)
{
    renderImage(640, 360, grey);
    std::string name = "final_beauty_pass_with_volumetrics_and_motion_blur_v0123_approved_by_the_director.iff";
    editAndOk(PAGE_NOTES, [&](HWND page) { type(page, IDC_NAME, name); });
    HWND status = GetDlgItem(viewer, 3);
    HDC dc = GetDC(status);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(status, WM_GETFONT, 0, 0)));
    for (int width : {700, 10}) {
        SetWindowPos(viewer, nullptr, 0, 0, width, 400, SWP_NOMOVE | SWP_NOZORDER);
        settleViewer(viewer);
        std::string shown = statusText(viewer, 0);
        ASSERT_GT(shown.size(), 3u) << width;
        EXPECT_EQ(shown.substr(shown.size() - 3), "...") << width;
        EXPECT_EQ(name.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0) << "the name's start: " << shown;
        RECT part;
        SendMessageA(status, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
        SIZE size;
        GetTextExtentPoint32A(dc, shown.c_str(), int(shown.size()), &size);
        EXPECT_LE(size.cx + 3 + 2 * GetSystemMetrics(SM_CXEDGE), part.right - part.left) << shown;
    }
    SelectObject(dc, previous);
    ReleaseDC(status, dc);
    SetWindowPos(viewer, nullptr, 0, 0, 2000, 400, SWP_NOMOVE | SWP_NOZORDER);
    settleViewer(viewer);
    EXPECT_EQ(statusText(viewer, 0), name) << "whole again where it fits";
}
