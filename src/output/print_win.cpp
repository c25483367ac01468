// The printer chosen in the print dialog is remembered, with its settings,
// for the life of the library: the next print dialog opens on it.
#include "output/print_win.h"

#include <stdlib.h>

#include <commdlg.h>

#include "output/dib.h"
#include "output/print_geometry.h"
#include "platform/system_message_win.h"

#ifndef _WIN64
static_assert(sizeof(PRINTDLGA) == 66, "the print dialog's 66-byte record");
static_assert(sizeof(DOCINFOA) == 20, "the document description's 20 bytes");
#endif

static PRINTDLGA g_printer;  // the printer and its settings, chosen last
static int g_printAbort;
static DWORD g_printFailure;  // the system's reason a spooler call failed
static HWND g_abortDialog;

static INT_PTR CALLBACK PrintAbortDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: g_printAbort = 1; return TRUE;  // Cancel, or Escape
    default: return FALSE;
    }
}

// Lets the "Printing..." box (and the rest of the thread) work while
// pages spool; 0 stops the document.
static BOOL CALLBACK PrintAbortProc(HDC, int)
{
    MSG msg;
    while (!g_printAbort && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (g_abortDialog && IsDialogMessageA(g_abortDialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !g_printAbort;
}

void FreePrinterSetup()
{
    if (g_printer.hDevMode) GlobalFree(g_printer.hDevMode);
    if (g_printer.hDevNames) GlobalFree(g_printer.hDevNames);
    g_printer.hDevMode = nullptr;
    g_printer.hDevNames = nullptr;
}

static void ReportPrintProblem(HWND viewer, const char* text)
{
    MessageBoxA(viewer, text, "Printing Problem", MB_OK);
}

void ReportPrintNoMemory(HWND viewer)
{
    ReportPrintProblem(viewer, "Not enough memory to print the image.");
}

// The pages of the document, one a copy. 1 when every page went out and
// the spooler took the document; otherwise it is aborted, not left half
// spooled.
static int PrintPages(HDC dc, const BITMAPINFO* bitmap, const void* bits, const PrintPlacement& at, int copies)
{
    DOCINFOA document = {sizeof(DOCINFOA), "Image Viewer", nullptr, nullptr, 0};
    g_printFailure = 0;
    if (StartDocA(dc, &document) <= 0) {
        g_printFailure = GetLastError();
        return 0;
    }
    const BITMAPINFOHEADER& h = bitmap->bmiHeader;
    for (int copy = 0; copy < copies; copy++) {
        // The spooler asks only while it is busy; asking after each page
        // lets a Cancel pressed meanwhile stop the next one.
        bool started = StartPage(dc) > 0;
        if (started)
            StretchDIBits(dc, at.x, at.y, at.width, at.height, 0, 0, h.biWidth, h.biHeight, bits, bitmap,
                          DIB_RGB_COLORS, SRCCOPY);
        if (!started || EndPage(dc) <= 0 || !PrintAbortProc(dc, 0)) {
            if (!g_printAbort) g_printFailure = GetLastError();
            AbortDoc(dc);
            return 0;
        }
    }
    if (EndDoc(dc) > 0) return 1;
    g_printFailure = GetLastError();
    return 0;
}

// Runs the abort box over the disabled viewer while the pages print.
static void PrintOnDevice(HWND viewer, HDC dc, const uint8_t* dib, const PrintPlacement& at, int copies)
{
    EnableWindow(viewer, FALSE);
    g_printAbort = 0;
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(viewer, GWLP_HINSTANCE));
    g_abortDialog = CreateDialogParamA(module, "printdlg", viewer, PrintAbortDialogProc, 0);
    SetAbortProc(dc, PrintAbortProc);
    const BITMAPINFO* bitmap = reinterpret_cast<const BITMAPINFO*>(dib);
    int ok = PrintPages(dc, bitmap, dib + dibHeaderSize(&bitmap->bmiHeader), at, copies);
    DeleteDC(dc);
    if (!ok && !g_printAbort) {
        char text[300] = "An error occurred during printing.";
        appendSystemReason(text, sizeof text, g_printFailure);
        ReportPrintProblem(viewer, text);
    }
    EnableWindow(viewer, TRUE);
    if (g_abortDialog) DestroyWindow(g_abortDialog);
    g_abortDialog = nullptr;
}

static HDC AskPrinter(HWND viewer, int* copies)
{
    g_printer.lStructSize = sizeof g_printer;
    g_printer.hwndOwner = viewer;
    g_printer.Flags = PD_HIDEPRINTTOFILE | PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    g_printer.nCopies = 1;
    if (!PrintDlgA(&g_printer)) return nullptr;
    *copies = g_printer.nCopies > 0 ? g_printer.nCopies : 1;
    return g_printer.hDC;
}

void PrintBitmap(HWND viewer, const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride)
{
    size_t bytes = info ? packedDibBytes(info, stride) : 0;
    if (!bytes) return;
    uint8_t* dib = static_cast<uint8_t*>(malloc(bytes));
    if (!dib) {
        ReportPrintNoMemory(viewer);
        return;
    }
    packDib(info, rows, stride, dib, bytes);
    int copies = 1;
    HDC dc = AskPrinter(viewer, &copies);
    if (dc && !(GetDeviceCaps(dc, RASTERCAPS) & RC_STRETCHDIB)) {
        DeleteDC(dc);
        ReportPrintProblem(viewer, "Printer doesn't support a required bitmap function.");
    } else if (dc) {
        const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
        PrintPlacement at = {};
        if (placeOnPage(h->biWidth, h->biHeight, h->biXPelsPerMeter, h->biYPelsPerMeter,
                        GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(dc, HORZRES),
                        GetDeviceCaps(dc, VERTRES), &at)) {
            PrintOnDevice(viewer, dc, dib, at, copies);
        } else {
            DeleteDC(dc);
            ReportPrintProblem(viewer, "An error occurred during printing.");
        }
    }
    g_printer.hDC = nullptr;
    free(dib);
}
