#include "dialogs/text_items_win.h"

#include <stdlib.h>

#include "dialogs/text_choices.h"
#include "dialogs/text_ids.h"

enum { COLOUR_ITEM_HEIGHT = 15, FACE_ITEM_EXTRA = 4, SAMPLE_HEIGHT = -16 };
enum { SWATCH_LEFT = 4, SWATCH_RIGHT = 24, SWATCH_INSET = 2, COLOUR_NAME_LEFT = 32 };
enum { ITEM_TEXT_SIZE = 256 };

static LOGFONTA* faceOfItem(HWND list, int index)
{
    LRESULT data = SendMessageA(list, CB_GETITEMDATA, WPARAM(index), 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<LOGFONTA*>(data);
}

// A face is offered once. Some systems report it once for each character
// set it covers: the ANSI description is kept, which draws its name in it.
static int CALLBACK AddTrueTypeFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM list)
{
    if (!(type & TRUETYPE_FONTTYPE)) return 1;
    HWND combo = reinterpret_cast<HWND>(list);
    char name[LF_FACESIZE];
    lstrcpynA(name, font->lfFaceName, LF_FACESIZE);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(name));
    LOGFONTA* known = index >= 0 ? faceOfItem(combo, int(index)) : nullptr;
    if (known) {
        if (font->lfCharSet == ANSI_CHARSET && known->lfCharSet != ANSI_CHARSET) *known = *font;
        return 1;
    }
    LOGFONTA* copy = static_cast<LOGFONTA*>(malloc(sizeof(LOGFONTA)));
    if (!copy) return 0;
    *copy = *font;
    lstrcpynA(copy->lfFaceName, name, LF_FACESIZE);
    index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    if (index < 0) {
        free(copy);
        return 1;
    }
    SendMessageA(combo, CB_SETITEMDATA, WPARAM(index), reinterpret_cast<LPARAM>(copy));
    return 1;
}

void FillFaceList(HWND list)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!dc) return;
    EnumFontsA(dc, nullptr, AddTrueTypeFace, reinterpret_cast<LPARAM>(list));
    DeleteDC(dc);
}

void FreeFaceList(HWND list)
{
    int count = int(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        free(faceOfItem(list, i));
        SendMessageA(list, CB_SETITEMDATA, WPARAM(i), 0);
    }
}

const LOGFONTA* SelectedFace(HWND list)
{
    int index = int(SendMessageA(list, CB_GETCURSEL, 0, 0));
    return index < 0 ? nullptr : faceOfItem(list, index);
}

void MeasureTextItem(MEASUREITEMSTRUCT* item)
{
    if (item->CtlID == IDC_FACE) item->itemHeight += FACE_ITEM_EXTRA;
    if (item->CtlID == IDC_COLOUR) item->itemHeight = COLOUR_ITEM_HEIGHT;
}

static void DrawItemBackground(const DRAWITEMSTRUCT* item)
{
    bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item->hDC, TRANSPARENT);
}

// An item's text, or an empty one when it would not fit the buffer.
static void ItemText(const DRAWITEMSTRUCT* item, char* text)
{
    text[0] = '\0';
    LRESULT length = SendMessageA(item->hwndItem, CB_GETLBTEXTLEN, item->itemID, 0);
    if (length >= 0 && length < ITEM_TEXT_SIZE)
        SendMessageA(item->hwndItem, CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
}

static void DrawItemText(const DRAWITEMSTRUCT* item, const char* text, int left)
{
    RECT r = item->rcItem;
    r.left += left;
    DrawTextA(item->hDC, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// A face that is not of the ANSI character set (a symbol font) would show
// as symbols: its name is written in the dialog's plain face instead.
static HFONT SampleFont(const LOGFONTA* face)
{
    LOGFONTA sample = {};
    if (face && face->lfCharSet == ANSI_CHARSET) {
        sample = *face;
        sample.lfHeight = SAMPLE_HEIGHT;
        sample.lfWidth = 0;
    } else {
        sample.lfHeight = -10;
        sample.lfWeight = FW_NORMAL;
        lstrcpynA(sample.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    }
    return CreateFontIndirectA(&sample);
}

static void DrawFaceItem(const DRAWITEMSTRUCT* item, const char* text)
{
    HFONT font = SampleFont(reinterpret_cast<const LOGFONTA*>(item->itemData));
    HGDIOBJ previous = SelectObject(item->hDC, font);
    DrawItemText(item, text, 0);
    SelectObject(item->hDC, previous);
    DeleteObject(font);
}

static void DrawColourItem(const DRAWITEMSTRUCT* item, const char* text)
{
    if (item->itemID >= COLOUR_ENTRIES) return;
    RECT swatch = {item->rcItem.left + SWATCH_LEFT, item->rcItem.top + SWATCH_INSET,
                   item->rcItem.left + SWATCH_RIGHT, item->rcItem.bottom - SWATCH_INSET};
    FrameRect(item->hDC, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&swatch, -1, -1);
    HBRUSH fill = CreateSolidBrush(colourList()[item->itemID].colour);
    FillRect(item->hDC, &swatch, fill);
    DeleteObject(fill);
    DrawItemText(item, text, COLOUR_NAME_LEFT);
}

void DrawTextItem(const DRAWITEMSTRUCT* item)
{
    DrawItemBackground(item);
    if (int(item->itemID) < 0) return;
    char text[ITEM_TEXT_SIZE];
    ItemText(item, text);
    if (item->CtlID == IDC_FACE) DrawFaceItem(item, text);
    if (item->CtlID == IDC_COLOUR) DrawColourItem(item, text);
}
