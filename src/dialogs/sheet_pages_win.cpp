// The sheet's pages: each fills its controls from the working copy when it
// is made and reads them back on OK; pages never shown keep the copy's
// values.
#include "dialogs/sheet_pages_win.h"

#include <commctrl.h>
#include <stdio.h>

#include "dialogs/dialog_controls_win.h"
#include "dialogs/notes_texts.h"
#include "dialogs/sheet_ids.h"
#include "dialogs/sheet_values.h"

enum { NUMBER_TEXT_SIZE = 32, NUMBER_READ_SIZE = 24 };
enum { PAGE_NOTES = 0, PAGE_LEVELS = 1, PAGE_HOT = 2, PAGE_BORDERS = 3 };
enum { LEVELS = 0, HOT = 1, SAFE = 2 };  // the copy's default and apply-to-all flags

static SheetCopy g_copy;
static int g_lastPage;

SheetCopy* sheetCopy()
{
    return &g_copy;
}

int lastSheetPage()
{
    return g_lastPage;
}

// ---- number texts ----------------------------------------------------------

static void SetFloatText(HWND page, int id, double value)
{
    char text[NUMBER_TEXT_SIZE];
    formatFloatText(value, text, sizeof text);
    SetDlgItemTextA(page, id, text);
}

static double GetFloatText(HWND page, int id)
{
    char text[NUMBER_READ_SIZE];
    GetDlgItemTextA(page, id, text, sizeof text);
    return parseFloatText(text);
}

static void SetPercentText(HWND page, int id, double fraction)
{
    char text[NUMBER_TEXT_SIZE];
    formatPercentText(fraction, text, sizeof text);
    SetDlgItemTextA(page, id, text);
}

// A trailing "%" ends the number: "5%" and "5" are both 5 per cent.
static double GetPercentText(HWND page, int id)
{
    return GetFloatText(page, id) / 100.0;
}

// The answer to the sheet's notifications that every page gives: which
// page is active, and its values on OK.
static INT_PTR OnNotify(HWND page, const NMHDR* n, int index, void (*apply)(HWND page))
{
    if (n->code == PSN_SETACTIVE) {
        g_lastPage = index;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    if (n->code == PSN_APPLY) {
        apply(page);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

// What a page does when it is made and on OK.
struct PageHandlers {
    int index;
    void (*init)(HWND page);
    void (*apply)(HWND page);
};

static INT_PTR runPage(const PageHandlers& h, HWND page, UINT msg, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG: h.init(page); return TRUE;
    case WM_NOTIFY: return OnNotify(page, reinterpret_cast<NMHDR*>(lp), h.index, h.apply);
    default: return FALSE;
    }
}

// ---- Notes -----------------------------------------------------------------

static void InitNotes(HWND page)
{
    SendDlgItemMessageA(page, IDC_NAME, EM_LIMITTEXT, sizeof g_copy.name - 1, 0);
    SendDlgItemMessageA(page, IDC_NOTES, EM_LIMITTEXT, sizeof g_copy.notes - 1, 0);
    SetDlgItemTextA(page, IDC_NAME, g_copy.name);
    SetDlgItemInt(page, IDC_NUMBER, UINT(g_copy.imageNumber), TRUE);
    SetDlgItemTextA(page, IDC_NOTES, g_copy.notes);
    char text[32] = "";
    time_t created = g_copy.creationTime;
    const struct tm* local = localtime(&created);
    if (local) formatCreationTime(*local, text, sizeof text);
    SetDlgItemTextA(page, IDC_CREATED, text);
    formatRenderTimeText(g_copy.renderTime, text, sizeof text);
    SetDlgItemTextA(page, IDC_RENDER_TIME, text);
}

static void ApplyNotes(HWND page)
{
    GetDlgItemTextA(page, IDC_NAME, g_copy.name, sizeof g_copy.name);
    GetDlgItemTextA(page, IDC_NOTES, g_copy.notes, sizeof g_copy.notes);
}

// Appends the render's scene facts to the notes box; the copy takes them
// only on OK.
static void AppendSceneInfo(HWND page)
{
    SceneSummary scene = {g_copy.frameNumber, g_copy.points,        g_copy.polygons,
                          g_copy.aaPasses,    g_copy.renderOptions, g_copy.recursionDepth};
    char info[VIEW_NOTES_SIZE], notes[VIEW_NOTES_SIZE];
    formatSceneInfo(scene, info, sizeof info);
    GetDlgItemTextA(page, IDC_NOTES, notes, sizeof notes);
    appendToNotes(notes, sizeof notes, info);
    SetDlgItemTextA(page, IDC_NOTES, notes);
}

INT_PTR CALLBACK NotesPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_SCENE_INFO && HIWORD(wp) == BN_CLICKED) {
        AppendSceneInfo(page);
        return TRUE;
    }
    return runPage({PAGE_NOTES, InitNotes, ApplyNotes}, page, msg, lp);
}

// ---- Levels ----------------------------------------------------------------

static void InitLevels(HWND page)
{
    SetChecked(page, IDC_FLOAT_READOUT, g_copy.pixelDisplayType);
    SetFloatText(page, IDC_BLACK, g_copy.black);
    SetFloatText(page, IDC_WHITE, g_copy.white);
    SetChecked(page, IDC_LEVELS_DEFAULT, g_copy.makeDefault[LEVELS]);
    SetChecked(page, IDC_LEVELS_TO_ALL, g_copy.applyToAll[LEVELS]);
}

static void ApplyLevels(HWND page)
{
    g_copy.pixelDisplayType = IsChecked(page, IDC_FLOAT_READOUT);
    g_copy.black = float(GetFloatText(page, IDC_BLACK));
    g_copy.white = float(GetFloatText(page, IDC_WHITE));
    g_copy.makeDefault[LEVELS] = IsChecked(page, IDC_LEVELS_DEFAULT);
    g_copy.applyToAll[LEVELS] = IsChecked(page, IDC_LEVELS_TO_ALL);
}

INT_PTR CALLBACK LevelsPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp)
{
    return runPage({PAGE_LEVELS, InitLevels, ApplyLevels}, page, msg, lp);
}

// ---- Hot Pixels ------------------------------------------------------------

static void InitHot(HWND page)
{
    SetFloatText(page, IDC_PEDESTAL, g_copy.hot.pedestal);
    SetFloatText(page, IDC_COMPOSITE, g_copy.hot.compositeLimit);
    SetFloatText(page, IDC_CHROMA, g_copy.hot.chromaLimit);
    CheckRadioButton(page, IDC_NTSC, IDC_PAL, g_copy.hot.videoStandard == VIDEO_PAL ? IDC_PAL : IDC_NTSC);
    SetChecked(page, IDC_HOT_DEFAULT, g_copy.makeDefault[HOT]);
    SetChecked(page, IDC_HOT_TO_ALL, g_copy.applyToAll[HOT]);
}

static void ApplyHot(HWND page)
{
    g_copy.hot.pedestal = float(GetFloatText(page, IDC_PEDESTAL));
    g_copy.hot.compositeLimit = float(GetFloatText(page, IDC_COMPOSITE));
    g_copy.hot.chromaLimit = float(GetFloatText(page, IDC_CHROMA));
    g_copy.hot.videoStandard = IsChecked(page, IDC_NTSC) ? VIDEO_NTSC : VIDEO_PAL;
    g_copy.makeDefault[HOT] = IsChecked(page, IDC_HOT_DEFAULT);
    g_copy.applyToAll[HOT] = IsChecked(page, IDC_HOT_TO_ALL);
}

INT_PTR CALLBACK HotPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp)
{
    return runPage({PAGE_HOT, InitHot, ApplyHot}, page, msg, lp);
}

// ---- Borders ---------------------------------------------------------------

static void InitBorders(HWND page)
{
    SetChecked(page, IDC_VIDEO_SAFE, g_copy.safe.kinds & SAFE_VIDEO);
    SetChecked(page, IDC_CUSTOM, g_copy.safe.kinds & SAFE_CUSTOM);
    SetFloatText(page, IDC_ASPECT, g_copy.safe.frameAspect);
    SetPercentText(page, IDC_MARGIN, g_copy.safe.frameMargin);
    CheckRadioButton(page, IDC_OUTLINE, IDC_SOLID, g_copy.safe.style == SAFE_SOLID ? IDC_SOLID : IDC_OUTLINE);
    SetChecked(page, IDC_SAFE_DEFAULT, g_copy.makeDefault[SAFE]);
    SetChecked(page, IDC_SAFE_TO_ALL, g_copy.applyToAll[SAFE]);
}

static void ApplyBorders(HWND page)
{
    g_copy.safe.kinds =
        (IsChecked(page, IDC_VIDEO_SAFE) ? SAFE_VIDEO : 0) | (IsChecked(page, IDC_CUSTOM) ? SAFE_CUSTOM : 0);
    g_copy.safe.frameAspect = float(GetFloatText(page, IDC_ASPECT));
    g_copy.safe.frameMargin = float(GetPercentText(page, IDC_MARGIN));
    g_copy.safe.style = IsChecked(page, IDC_OUTLINE) ? SAFE_OUTLINE : SAFE_SOLID;
    g_copy.makeDefault[SAFE] = IsChecked(page, IDC_SAFE_DEFAULT);
    g_copy.applyToAll[SAFE] = IsChecked(page, IDC_SAFE_TO_ALL);
}

INT_PTR CALLBACK BordersPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp)
{
    return runPage({PAGE_BORDERS, InitBorders, ApplyBorders}, page, msg, lp);
}
