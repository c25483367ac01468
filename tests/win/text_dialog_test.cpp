// The Add Text dialog driven as an artist would: opened with t and a click,
// its controls read and changed, OK or Cancel pressed, and the caption
// options read back from the saved settings and the screen.
#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "dialogs/text_ids.h"
#include "pane_fixture.h"
#include "settings_capture.h"
#include "zrhost/dialog_remote.h"

namespace {

Rgba dusk(int, int)
{
    return {0.1f, 0.1f, 0.3f, 1};
}

std::string itemText(HWND d, int id)
{
    char text[1024] = "";
    GetDlgItemTextA(d, id, text, sizeof text);
    return text;
}

std::string listText(HWND d, int id, int index)
{
    char text[512] = "";
    HWND list = GetDlgItem(d, id);
    if (index >= 0 && SendMessageA(list, CB_GETLBTEXTLEN, index, 0) < LRESULT(sizeof text))
        SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> listTexts(HWND d, int id)
{
    std::vector<std::string> texts;
    int count = int(SendDlgItemMessageA(d, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) texts.push_back(listText(d, id, i));
    return texts;
}

int selection(HWND d, int id)
{
    return int(SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0));
}

bool isChecked(HWND d, int id)
{
    return SendDlgItemMessageA(d, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Changes a list's selection as a click in it does: the dialog has heard of
// it when this returns. A notice that opens the modal colour picker is
// posted instead, since a sent one would be held until the picker closed.
void choose(HWND d, int id, int index, bool opensPicker = false)
{
    SendDlgItemMessageA(d, id, CB_SETCURSEL, index, 0);
    WPARAM notice = MAKEWPARAM(id, CBN_SELCHANGE);
    LPARAM list = reinterpret_cast<LPARAM>(GetDlgItem(d, id));
    DWORD_PTR result;
    if (opensPicker)
        PostMessageA(d, WM_COMMAND, notice, list);
    else
        SendMessageTimeoutA(d, WM_COMMAND, notice, list, SMTO_NORMAL, 5000, &result);
}

// Sent, so that the click has been handled when it returns.
void click(HWND d, int id)
{
    DWORD_PTR result;
    SendMessageTimeoutA(GetDlgItem(d, id), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
}

bool startsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(),
                                                          int(prefix.size()), prefix.c_str(), int(prefix.size())) == 2;
}

class TextDialogTest : public PaneTest {
protected:
    // A viewer showing one frame, its caption options from these leaves.
    void start(const std::string& textLeaves)
    {
        restartWithConfig("{ TextOptions\n" + textLeaves + "\n}");
        renderImage(200, 120, dusk);
    }

    HWND open(int x = 50, int y = 60)
    {
        HWND d = openTextDialog(viewer, x, y);
        EXPECT_NE(d, nullptr);
        return d;
    }

    void close(HWND d, int button)
    {
        pressDialogButton(d, button);
        ASSERT_TRUE(waitGone(d));
        settleViewer(viewer);
    }

    void settleDialog(HWND d)
    {
        DWORD_PTR result;
        SendMessageTimeoutA(d, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    }

    // Chooses Custom, which opens the colour picker.
    HWND openPicker(HWND d)
    {
        choose(d, IDC_COLOUR, 6, true);
        return findViewerDialog(viewer, "Color", 10000);
    }

    // Presses a button of the picker and waits until its loop has ended:
    // the dialog under it is enabled again as the picker returns.
    void closePicker(HWND d, HWND picker, int button)
    {
        pressDialogButton(picker, button);
        ASSERT_TRUE(waitGone(picker));
        ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(d) != 0; }, 15000));
        settleDialog(d);
    }

    std::string saved(const char* token) { return leafValues(savedSettings(session, instance), token); }
};

}  // namespace

TEST_F(TextDialogTest, OpensAtTheClickedPointWithTheStoredOptions)
{
    start(" Text \"Shot 12\"\n Color 255 255 0 0\n Position 7 8 2 0\n ShadowOptions 1 -3 4");
    HWND d = open(50, 60);
    ASSERT_NE(d, nullptr);
    char title[64] = "";
    GetWindowTextA(d, title, sizeof title);
    EXPECT_STREQ(title, "Add Text");
    EXPECT_FALSE(IsWindowEnabled(viewer)) << "the dialog is modal";
    EXPECT_EQ(itemText(d, IDC_CAPTION_TEXT), "Shot 12");
    EXPECT_EQ(itemText(d, IDC_ANCHOR_X), "50") << "the clicked point replaces the stored one";
    EXPECT_EQ(itemText(d, IDC_BASELINE_Y), "60");
    EXPECT_EQ(itemText(d, IDC_SHADOW_DX), "-3");
    EXPECT_EQ(itemText(d, IDC_SHADOW_DY), "4");
    EXPECT_TRUE(isChecked(d, IDC_SHADOW));
    EXPECT_FALSE(isChecked(d, IDC_ALIGN_LEFT));
    EXPECT_FALSE(isChecked(d, IDC_ALIGN_CENTRE));
    EXPECT_TRUE(isChecked(d, IDC_ALIGN_RIGHT));
    EXPECT_EQ((std::vector<std::string>{"White", "Black", "Yellow", "Red", "Green", "Blue", "Custom"}),
              listTexts(d, IDC_COLOUR));
    EXPECT_EQ(selection(d, IDC_COLOUR), 2) << "0x00FFFF is Yellow";
    EXPECT_EQ((std::vector<std::string>{"6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20", "24", "28",
                                        "32", "40", "48", "60", "72"}),
              listTexts(d, IDC_CHAR_SIZE));
    EXPECT_NE(SendMessageA(d, WM_GETICON, ICON_SMALL, 0), 0) << "the small icon in the caption";
    RECT dr, vr;
    GetWindowRect(d, &dr);
    GetWindowRect(viewer, &vr);
    EXPECT_NEAR((dr.left + dr.right) / 2, (vr.left + vr.right) / 2, 1) << "centred over the viewer";
    close(d, IDOK);
    std::string position = saved("Position");
    EXPECT_EQ(position.substr(0, 8), "50 60 2 ") << "OK stores the clicked point";
    EXPECT_LT(atoi(position.c_str() + 8), 40) << "the caption drawn right-aligned, ending at 50: " << position;
}

TEST_F(TextDialogTest, AColourOfNoEntryIsCustomShownInItsSwatch)
{
    start(" Color 10 200 30 0");
    HWND d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(selection(d, IDC_COLOUR), 6);
    // The closed list shows the selected entry: its swatch filled with the
    // colour. The dialog may still be painting itself as it opens.
    HWND list = GetDlgItem(d, IDC_COLOUR);
    int swatchColour = 0, frame = 0;
    for (int attempt = 0; attempt < 20 && swatchColour < 16; attempt++) {
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
        Capture c;
        ASSERT_TRUE(captureWindow(list, &c));
        int y = c.height / 2;
        swatchColour = frame = 0;
        for (int x = 0; x < 40 && x < c.width; x++) {
            if (c.red(x, y) == 10 && c.green(x, y) == 200 && c.blue(x, y) == 30) swatchColour++;
            if (c.red(x, y) == 0 && c.green(x, y) == 0 && c.blue(x, y) == 0) frame++;
        }
        if (swatchColour < 16) Sleep(100);
    }
    EXPECT_GE(swatchColour, 16) << "18 columns of the colour inside the frame";
    EXPECT_GE(frame, 2) << "the black frame either side";
    close(d, IDOK);
    EXPECT_EQ(saved("Color"), "10 200 30 0");
}

TEST_F(TextDialogTest, CancellingThePickerKeepsCustomAndItsColour)
{
    start(" Color 10 200 30 0");
    HWND d = open();
    ASSERT_NE(d, nullptr);
    choose(d, IDC_COLOUR, 1);  // Black: nothing opens
    EXPECT_EQ(countViewerDialogs(viewer, "Color"), 0);
    HWND picker = openPicker(d);
    ASSERT_NE(picker, nullptr) << "Custom opens the colour picker";
    closePicker(d, picker, IDCANCEL);
    EXPECT_EQ(selection(d, IDC_COLOUR), 6);
    close(d, IDOK);
    EXPECT_EQ(saved("Color"), "10 200 30 0");
}

// The faces sorted, each once, described in its ANSI form (the platform
// may report a face once for each character set it covers). A stored face
// selects the first face beginning with it ("Arial" is mapped to a real
// face in the test prefix); one no longer installed selects none and is
// kept as it was.
TEST_F(TextDialogTest, AStoredFaceSelectsTheFirstFaceBeginningWithItOrNone)
{
    for (const std::string stored : {"Liberation S", "Arial", "No Such Face 9"}) {
        start(" Font \"" + stored + "\" -20 0 0 0 400 0 0 0 0 0 0 0 0");
        HWND d = open();
        ASSERT_NE(d, nullptr);
        std::vector<std::string> faces = listTexts(d, IDC_FACE);
        ASSERT_GT(faces.size(), 3u);
        int first = -1, matches = 0;
        for (size_t i = 0; i < faces.size(); i++) {
            if (i > 0) {
                EXPECT_LE(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, faces[i - 1].c_str(), -1,
                                         faces[i].c_str(), -1),
                          CSTR_EQUAL)
                    << "sorted: " << faces[i - 1] << " before " << faces[i];
                EXPECT_NE(faces[i - 1], faces[i]);
            }
            if (startsWithNoCase(faces[i], stored) && matches++ == 0) first = int(i);
        }
        if (stored == "Liberation S") {
            EXPECT_GE(matches, 2) << "Liberation Sans and Serif both begin with it";
        }
        EXPECT_EQ(selection(d, IDC_FACE), first) << stored;
        if (first >= 0) {
            auto face = reinterpret_cast<const LOGFONTA*>(SendDlgItemMessageA(d, IDC_FACE, CB_GETITEMDATA, first, 0));
            ASSERT_NE(face, nullptr);
            EXPECT_EQ(face->lfCharSet, ANSI_CHARSET);
            EXPECT_STREQ(face->lfFaceName, faces[first].c_str());
        }
        const std::string kept = first >= 0 ? faces[first] : stored;
        close(d, IDOK);
        EXPECT_EQ(saved("Font").substr(0, kept.size() + 7), "\"" + kept + "\" -20 ") << stored;
    }
}

TEST_F(TextDialogTest, ASizeOffTheListIsKeptAndReopensBesideItsNeighbour)
{
    start(" Font \"Arial\" -20 0 0 0 400 0 0 0 0 0 0 0 0");
    HWND d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(itemText(d, IDC_CHAR_SIZE), "20");
    EXPECT_EQ(listText(d, IDC_CHAR_SIZE, selection(d, IDC_CHAR_SIZE)), "20");
    SetDlgItemTextA(d, IDC_CHAR_SIZE, "13");
    close(d, IDOK);
    EXPECT_EQ(saved("Font").substr(0, 12), "\"Arial\" -13 ");

    d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(itemText(d, IDC_CHAR_SIZE), "13");
    EXPECT_EQ(listText(d, IDC_CHAR_SIZE, selection(d, IDC_CHAR_SIZE)), "14") << "the list at the next size up";
    SetDlgItemTextA(d, IDC_CHAR_SIZE, "big");
    close(d, IDOK);
    EXPECT_EQ(saved("Font").substr(0, 10), "\"Arial\" 0 ") << "not a number: the font's own height";

    d = open();
    ASSERT_NE(d, nullptr);
    SetDlgItemTextA(d, IDC_CHAR_SIZE, "300");
    close(d, IDOK);
    d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(itemText(d, IDC_CHAR_SIZE), "300");
    EXPECT_EQ(selection(d, IDC_CHAR_SIZE), -1) << "larger than every size";
    close(d, IDCANCEL);
}

// The style buttons show their styles and bold is checked only at weight
// 700; one alignment at a time; the shadow offsets' arrows stop at ±200;
// an over-long caption is cut at its field. OK stores it all, and the
// next opening shows what was stored.
TEST_F(TextDialogTest, StylesAlignmentShadowStepsAndCaptionAsStored)
{
    start(" Font \"Arial\" -20 0 0 0 600 1 0 0 0 0 0 0 0\n ShadowOptions 0 199 -199");
    HWND d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(isChecked(d, IDC_BOLD)) << "600 is not bold";
    EXPECT_TRUE(isChecked(d, IDC_ITALIC));
    LOGFONTA bold = {}, italic = {};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(d, IDC_BOLD, WM_GETFONT, 0, 0)), sizeof bold, &bold);
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(d, IDC_ITALIC, WM_GETFONT, 0, 0)), sizeof italic, &italic);
    EXPECT_STREQ(bold.lfFaceName, "Times New Roman");
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_EQ(bold.lfHeight, -14);
    EXPECT_STREQ(italic.lfFaceName, "Times New Roman");
    EXPECT_EQ(italic.lfWeight, 400);
    EXPECT_TRUE(italic.lfItalic);
    EXPECT_TRUE(isChecked(d, IDC_ALIGN_LEFT));
    click(d, IDC_ALIGN_CENTRE);
    EXPECT_FALSE(isChecked(d, IDC_ALIGN_LEFT));
    EXPECT_TRUE(isChecked(d, IDC_ALIGN_CENTRE));
    EXPECT_FALSE(isChecked(d, IDC_ALIGN_RIGHT));
    int low = 0, high = 0;
    SendDlgItemMessageA(d, IDC_SHADOW_DX_SPIN, UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
    EXPECT_EQ(low, -200);
    EXPECT_EQ(high, 200);
    for (int i = 0; i < 3; i++) {
        SendDlgItemMessageA(d, IDC_SHADOW_DX, WM_KEYDOWN, VK_UP, 0);
        SendDlgItemMessageA(d, IDC_SHADOW_DY, WM_KEYDOWN, VK_DOWN, 0);
    }
    EXPECT_EQ(itemText(d, IDC_SHADOW_DX), "200");
    EXPECT_EQ(itemText(d, IDC_SHADOW_DY), "-200");
    std::string longText(400, 'w');
    for (size_t i = 0; i < longText.size(); i++) longText[i] = char('a' + i % 26);
    SendDlgItemMessageA(d, IDC_CAPTION_TEXT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()));
    close(d, IDOK);
    std::string font = saved("Font");
    EXPECT_NE(font.find(" 400 1 "), std::string::npos) << "stored as 400, italic kept: " << font;
    EXPECT_EQ(saved("ShadowOptions"), "0 200 -200");
    EXPECT_EQ(saved("Position").substr(0, 8), "50 60 1 ");
    EXPECT_EQ(saved("Text"), "\"" + longText.substr(0, 255) + "\"");

    d = open();
    ASSERT_NE(d, nullptr);
    click(d, IDC_BOLD);
    click(d, IDC_ITALIC);
    close(d, IDOK);
    font = saved("Font");
    EXPECT_NE(font.find(" 700 0 "), std::string::npos) << font;
    d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(isChecked(d, IDC_BOLD));
    EXPECT_FALSE(isChecked(d, IDC_ITALIC));
    EXPECT_TRUE(isChecked(d, IDC_ALIGN_CENTRE));
    close(d, IDCANCEL);
}

TEST_F(TextDialogTest, CancelAfterChangingEverythingChangesNothing)
{
    start(" Font \"Arial\" -20 0 0 0 400 0 0 0 0 0 0 0 0\n Text \"Keep\"\n Color 255 255 255 0\n"
          " ShadowOptions 1 2 2");
    Capture before = capturePane();
    std::string settings = savedSettings(session, instance);
    HWND d = open(50, 60);
    ASSERT_NE(d, nullptr);
    SetDlgItemTextA(d, IDC_CAPTION_TEXT, "Changed");
    choose(d, IDC_FACE, 0);
    choose(d, IDC_COLOUR, 3);
    SetDlgItemTextA(d, IDC_CHAR_SIZE, "40");
    click(d, IDC_BOLD);
    click(d, IDC_ITALIC);
    click(d, IDC_ALIGN_RIGHT);
    click(d, IDC_SHADOW);
    SetDlgItemTextA(d, IDC_ANCHOR_X, "5");
    SetDlgItemTextA(d, IDC_BASELINE_Y, "6");
    SetDlgItemTextA(d, IDC_SHADOW_DX, "7");
    SetDlgItemTextA(d, IDC_SHADOW_DY, "8");
    settleDialog(d);
    close(d, IDCANCEL);
    std::string after = savedSettings(session, instance);
    // Only the clicked point, which the click itself sets, may differ.
    EXPECT_EQ(leafValues(after, "Font"), leafValues(settings, "Font"));
    EXPECT_EQ(leafValues(after, "Text"), leafValues(settings, "Text"));
    EXPECT_EQ(leafValues(after, "Color"), leafValues(settings, "Color"));
    EXPECT_EQ(leafValues(after, "ShadowOptions"), leafValues(settings, "ShadowOptions"));
    EXPECT_EQ(leafValues(after, "Position").substr(0, 8), "50 60 0 ");
    EXPECT_EQ(capturePane().pixels, before.pixels) << "no caption drawn";
    EXPECT_TRUE(IsWindowEnabled(viewer));
}

TEST_F(TextDialogTest, FramesWaitWhileTheDialogIsOpenAndTheCaptionGoesIntoItsImage)
{
    start(" Font \"Arial\" -24 0 0 0 700 0 0 0 0 0 0 0 0\n Text \"Take 3\"\n Color 255 255 0 0");
    Capture before = capturePane();
    HWND d = open(20, 80);
    ASSERT_NE(d, nullptr);
    handOverImage(200, 120, [](int, int) { return Rgba{0.5f, 0.5f, 0.5f, 0.5f}; });
    pumpMessages(300);
    EXPECT_EQ(statusText(viewer, 0), "Untitled1") << "the new frame waits";
    close(d, IDOK);
    ASSERT_TRUE(waitForName("Untitled2")) << "and shows after OK";
    key("-");
    ASSERT_TRUE(waitForName("Untitled1"));
    Capture drawn = capturePane();
    int yellow = 0, right = -1;
    for (int y = 0; y < drawn.height && y < 120; y++)
        for (int x = 0; x < drawn.width && x < 200; x++)
            if (drawn.red(x, y) == 255 && drawn.green(x, y) == 255 && drawn.blue(x, y) == 0) {
                yellow++;
                right = x > right ? x : right;
            }
    EXPECT_GT(yellow, 40) << "the caption is in the image the dialog was opened on";
    EXPECT_NE(drawn.pixels, before.pixels);
}

TEST_F(TextDialogTest, EveryFontAndFaceCopyIsGivenBack)
{
    start(" Text \"x\"");
    HWND d = open();
    ASSERT_NE(d, nullptr);
    close(d, IDCANCEL);
    DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 5; i++) {
        d = open();
        ASSERT_NE(d, nullptr);
        close(d, i % 2 ? IDOK : IDCANCEL);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
}

TEST_F(TextDialogTest, ConfirmingThePickerTakesItsColourIntoCustom)
{
    start(" Color 255 255 255 0");
    HWND d = open();
    ASSERT_NE(d, nullptr);
    HWND picker = openPicker(d);
    ASSERT_NE(picker, nullptr);
    // The picker's red, green and blue boxes.
    SetDlgItemTextA(picker, 706, "12");
    SetDlgItemTextA(picker, 707, "34");
    SetDlgItemTextA(picker, 708, "56");
    closePicker(d, picker, IDOK);
    EXPECT_EQ(selection(d, IDC_COLOUR), 6);
    close(d, IDOK);
    EXPECT_EQ(saved("Color"), "12 34 56 0");

    d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(selection(d, IDC_COLOUR), 6) << "Custom keeps the picked colour for the next opening";
    choose(d, IDC_COLOUR, 0);
    close(d, IDOK);
    EXPECT_EQ(saved("Color"), "255 255 255 0");
}

TEST_F(TextDialogTest, TheViewerClosingUnderTheDialogDrawsNothingAndLosesNothing)
{
    start(" Text \"Gone\"");
    HWND d = open();
    ASSERT_NE(d, nullptr);
    HWND old = viewer;
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitGone(d));
    ASSERT_TRUE(waitGone(old));
    renderImage(64, 48, dusk);
    EXPECT_TRUE(IsWindowEnabled(viewer)) << "a new viewer, not held by the old dialog";
    HWND again = openTextDialog(viewer, 10, 30);
    ASSERT_NE(again, nullptr) << "placing works in the new viewer";
    close(again, IDCANCEL);
}
