// The Notes and Settings sheet: made from its four pages, run modally over
// the viewer, and its working copy written back after OK.
#include "dialogs/settings_sheet_win.h"

#include <commctrl.h>
#include <stddef.h>
#include <stdint.h>

#include "dialogs/sheet_pages_win.h"

// No context-help button in the sheet's caption. The template comes in
// the plain or the extended form (0xFFFF in its second word), whose style
// lies at byte 12.
static int CALLBACK SheetCallback(HWND sheet, UINT msg, LPARAM lp)
{
    if (msg != PSCB_PRECREATE || !lp) return 0;
    WORD* words = reinterpret_cast<WORD*>(lp);
    DWORD* style = words[1] == 0xFFFF ? reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(lp) + 12)
                                      : reinterpret_cast<DWORD*>(lp);
    *style &= ~DWORD(DS_CONTEXTHELP);
    return 0;
}

// First-form page records, 40 bytes in a 32-bit host: the sheet steps
// through the array by each record's size.
static PROPSHEETPAGEA_V1 page(HINSTANCE instance, const char* name, DLGPROC proc)
{
    PROPSHEETPAGEA_V1 p = {};
    p.dwSize = sizeof p;
    p.hInstance = instance;
    p.pszTemplate = name;
    p.pfnDlgProc = proc;
    return p;
}

static INT_PTR RunSettingsSheet(HWND viewer)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(viewer, GWLP_HINSTANCE));
    PROPSHEETPAGEA_V1 pages[SHEET_PAGES] = {
        page(instance, "zrnotes", NotesPageProc),
        page(instance, "zrlevels", LevelsPageProc),
        page(instance, "zrhot", HotPageProc),
        page(instance, "zrsafe", BordersPageProc),
    };
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USEHICON | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.hwndParent = viewer;
    header.hInstance = instance;
    header.hIcon = reinterpret_cast<HICON>(GetClassLongPtrA(viewer, GCLP_HICONSM));
    header.pszCaption = "Notes and Settings";
    header.nPages = SHEET_PAGES;
    header.nStartPage = UINT(lastSheetPage());
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pages);
    header.pfnCallback = SheetCallback;
    return PropertySheetA(&header);
}

unsigned EditNotesAndSettings(HWND viewer, Settings* settings, View* view, const SheetHooks& hooks)
{
    SheetCopy* copy = sheetCopy();
    LoadSheetCopy(copy, view, settings);
    if (RunSettingsSheet(viewer) != 1) return 0;
    // The viewer may have closed under the sheet and freed its images.
    bool stillHeld = false;
    for (int i = 0; i < hooks.slots; i++) stillHeld = stillHeld || hooks.imageInSlot(i) == view;
    if (!stillHeld) return 0;
    unsigned allImages = 0;
    unsigned changed = ApplySheetCopy(copy, view, settings, &allImages);
    hooks.busy(viewer, 1);
    if (allImages) {
        View* views[16] = {};
        int count = hooks.slots < 16 ? hooks.slots : 16;
        for (int i = 0; i < count; i++) views[i] = hooks.imageInSlot(i);
        ApplyToAllImages(view, allImages, views, count, hooks.refresh);
    }
    if (changed) hooks.refresh(view, changed);
    hooks.busy(viewer, 0);
    return changed;
}

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(PROPSHEETPAGEA_V1) == 40, "a first-form page record is 40 bytes");
static_assert(offsetof(PROPSHEETHEADERA, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK) == 40,
              "a first-form sheet header is 40 bytes");
#endif
