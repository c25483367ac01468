// The Add Text dialog runs on a working copy of the caption options, so
// that Cancel, whatever was changed, leaves the settings as they were.
#include "dialogs/text_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include "dialogs/dialog_controls_win.h"
#include "dialogs/placement.h"
#include "dialogs/text_choices.h"
#include "dialogs/text_ids.h"
#include "dialogs/text_items_win.h"

enum { SHADOW_LIMIT = 200, BUTTON_FONT_HEIGHT = -14, SIZE_READ_SIZE = 64 };

// One dialog's working copy and the fonts of its B and I buttons.
struct TextDialog {
    TextOptions copy;
    HFONT bold;
    HFONT italic;
};

// The colour picker's sixteen custom colours, kept while the library is loaded.
static COLORREF g_pickerColours[PICKER_COLOURS];

static TextDialog* dialogState(HWND dialog)
{
    return reinterpret_cast<TextDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

static HWND item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

static LRESULT sendItem(HWND dialog, int id, UINT message, WPARAM wp, LPARAM lp)
{
    return SendDlgItemMessageA(dialog, id, message, wp, lp);
}

static HFONT ButtonFont(int weight, BYTE italic)
{
    LOGFONTA f = {};
    f.lfHeight = BUTTON_FONT_HEIGHT;
    f.lfWeight = weight;
    f.lfItalic = italic;
    lstrcpynA(f.lfFaceName, "Times New Roman", LF_FACESIZE);
    return CreateFontIndirectA(&f);
}

// ---- opening -------------------------------------------------------------

static void CentreOnOwner(HWND dialog)
{
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT o = {}, box = {}, desktop = {};
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(dialog, &box)) return;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    ScreenPoint at = placeOverOwner({o.left, o.top, o.right, o.bottom}, box.right - box.left,
                                    box.bottom - box.top, {desktop.left, desktop.top, desktop.right, desktop.bottom});
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static void FillPosition(HWND dialog, const TextOptions& t)
{
    sendItem(dialog, IDC_CAPTION_TEXT, EM_LIMITTEXT, CAPTION_SIZE - 1, 0);
    SetDlgItemTextA(dialog, IDC_CAPTION_TEXT, t.text);
    SetDlgItemInt(dialog, IDC_ANCHOR_X, UINT(t.anchorX), TRUE);
    SetDlgItemInt(dialog, IDC_BASELINE_Y, UINT(t.baselineY), TRUE);
    SetDlgItemInt(dialog, IDC_SHADOW_DX, UINT(t.shadowDx), TRUE);
    SetDlgItemInt(dialog, IDC_SHADOW_DY, UINT(t.shadowDy), TRUE);
    SetChecked(dialog, IDC_SHADOW, t.shadowEnabled);
    int alignment = t.alignment >= 0 && t.alignment <= 2 ? t.alignment : 0;
    CheckRadioButton(dialog, IDC_ALIGN_LEFT, IDC_ALIGN_RIGHT, IDC_ALIGN_LEFT + alignment);
    sendItem(dialog, IDC_SHADOW_DX_SPIN, UDM_SETRANGE32, WPARAM(-SHADOW_LIMIT), SHADOW_LIMIT);
    sendItem(dialog, IDC_SHADOW_DY_SPIN, UDM_SETRANGE32, WPARAM(-SHADOW_LIMIT), SHADOW_LIMIT);
}

static void FillFont(HWND dialog, TextDialog* d)
{
    const TextOptions& t = d->copy;
    FillFaceList(item(dialog, IDC_FACE));
    char face[LF_FACESIZE + 1];
    lstrcpynA(face, t.font.lfFaceName, LF_FACESIZE + 1);  // a full-width name has no end of its own
    sendItem(dialog, IDC_FACE, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(face));

    ColourEntry* colours = colourList();
    for (int i = 0; i < COLOUR_ENTRIES; i++)
        sendItem(dialog, IDC_COLOUR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colours[i].name));
    sendItem(dialog, IDC_COLOUR, CB_SETCURSEL, WPARAM(selectColourEntry(colours, t.colour)), 0);

    char size[SIZE_TEXT_SIZE];
    for (int i = 0; i < SIZE_ENTRIES; i++) {
        formatSizeText(captionSizes[i], size, sizeof size);
        sendItem(dialog, IDC_CHAR_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    }
    int sizeIndex = sizeIndexFor(t.font.lfHeight);
    if (sizeIndex >= 0) sendItem(dialog, IDC_CHAR_SIZE, CB_SETCURSEL, WPARAM(sizeIndex), 0);
    formatSizeText(t.font.lfHeight, size, sizeof size);
    SetDlgItemTextA(dialog, IDC_CHAR_SIZE, size);

    d->bold = ButtonFont(FW_BOLD, FALSE);
    d->italic = ButtonFont(FW_NORMAL, TRUE);
    sendItem(dialog, IDC_BOLD, WM_SETFONT, reinterpret_cast<WPARAM>(d->bold), FALSE);
    sendItem(dialog, IDC_ITALIC, WM_SETFONT, reinterpret_cast<WPARAM>(d->italic), FALSE);
    SetChecked(dialog, IDC_BOLD, t.font.lfWeight == FW_BOLD);
    SetChecked(dialog, IDC_ITALIC, t.font.lfItalic != 0);
}

static INT_PTR OnInitDialog(HWND dialog, TextDialog* d)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    HANDLE icon = LoadImageA(module, "smicon", IMAGE_ICON, 16, 16, LR_SHARED);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    FillPosition(dialog, d->copy);
    FillFont(dialog, d);
    CentreOnOwner(dialog);
    return TRUE;
}

// ---- commands ------------------------------------------------------------

// The seven list colours lead the picker's custom colours each time.
static void PickCustomColour(HWND dialog)
{
    ColourEntry* colours = colourList();
    loadPickerColours(g_pickerColours, colours);
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.rgbResult = colours[CUSTOM_COLOUR].colour;
    choice.lpCustColors = g_pickerColours;
    choice.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (ChooseColorA(&choice)) colours[CUSTOM_COLOUR].colour = choice.rgbResult;
    InvalidateRect(item(dialog, IDC_COLOUR), nullptr, TRUE);
}

// Text longer than any number reads as none.
static int32_t ReadFontHeight(HWND dialog)
{
    char size[SIZE_READ_SIZE] = "";
    if (GetWindowTextLengthA(item(dialog, IDC_CHAR_SIZE)) >= SIZE_READ_SIZE) return 0;
    GetDlgItemTextA(dialog, IDC_CHAR_SIZE, size, sizeof size);
    return fontHeightFromSizeText(size);
}

static int32_t ReadInt(HWND dialog, int id)
{
    return int32_t(GetDlgItemInt(dialog, id, nullptr, TRUE));
}

static void ReadControls(HWND dialog, TextOptions* t)
{
    GetDlgItemTextA(dialog, IDC_CAPTION_TEXT, t->text, CAPTION_SIZE);
    const LOGFONTA* face = SelectedFace(item(dialog, IDC_FACE));
    if (face) {
        t->font = *face;
        t->font.lfWidth = 0;
    }
    t->font.lfHeight = ReadFontHeight(dialog);
    t->font.lfItalic = BYTE(IsChecked(dialog, IDC_ITALIC));
    t->font.lfWeight = IsChecked(dialog, IDC_BOLD) ? FW_BOLD : FW_NORMAL;
    int colour = int(sendItem(dialog, IDC_COLOUR, CB_GETCURSEL, 0, 0));
    if (colour >= 0 && colour < COLOUR_ENTRIES) t->colour = colourList()[colour].colour;
    t->anchorX = ReadInt(dialog, IDC_ANCHOR_X);
    t->baselineY = ReadInt(dialog, IDC_BASELINE_Y);
    t->shadowDx = ReadInt(dialog, IDC_SHADOW_DX);
    t->shadowDy = ReadInt(dialog, IDC_SHADOW_DY);
    t->shadowEnabled = IsChecked(dialog, IDC_SHADOW);
    const int radios[3] = {IsChecked(dialog, IDC_ALIGN_LEFT), IsChecked(dialog, IDC_ALIGN_CENTRE),
                           IsChecked(dialog, IDC_ALIGN_RIGHT)};
    t->alignment = alignmentFromRadios(radios);
}

static INT_PTR OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_COLOUR:
        if (code == CBN_SELCHANGE && sendItem(dialog, IDC_COLOUR, CB_GETCURSEL, 0, 0) == CUSTOM_COLOUR)
            PickCustomColour(dialog);
        return TRUE;
    case IDC_ALIGN_LEFT:
    case IDC_ALIGN_CENTRE:
    case IDC_ALIGN_RIGHT:
        if (code == BN_CLICKED) CheckRadioButton(dialog, IDC_ALIGN_LEFT, IDC_ALIGN_RIGHT, id);
        return TRUE;
    case IDOK:
        ReadControls(dialog, &dialogState(dialog)->copy);
        EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

static void OnDestroy(HWND dialog)
{
    FreeFaceList(item(dialog, IDC_FACE));
    TextDialog* d = dialogState(dialog);
    if (!d) return;
    if (d->bold) DeleteObject(d->bold);
    if (d->italic) DeleteObject(d->italic);
    d->bold = d->italic = nullptr;
}

static INT_PTR CALLBACK TextDialogProc(HWND dialog, UINT message, WPARAM wp, LPARAM lp)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<TextDialog*>(lp));
    case WM_MEASUREITEM: MeasureTextItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)); return TRUE;
    case WM_DRAWITEM: DrawTextItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wp), HIWORD(wp));
    case WM_DESTROY: OnDestroy(dialog); return FALSE;
    default: return FALSE;
    }
}

int runTextDialog(HWND owner, TextOptions* options)
{
    TextDialog d = {*options, nullptr, nullptr};
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    INT_PTR result = DialogBoxParamA(module, "zrtext", owner, TextDialogProc, reinterpret_cast<LPARAM>(&d));
    if (result != 1) return 0;
    *options = d.copy;
    return 1;
}
