// Printing the picture the viewer shows: the print dialog, one page a copy,
// the picture centred at 72 pixels per inch and shrunk to fit the page,
// and a "Printing..." box whose Cancel stops the document.
#pragma once

#include <windows.h>
#include <stdint.h>

// Prints the bitmap (info header with palette, rows stride bytes apart)
// from a copy of its own, so a frame that arrives meanwhile and frees the
// original cannot pull it away.
void PrintBitmap(HWND viewer, const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride);

// Tells the artist that the picture could not be copied for printing.
void ReportPrintNoMemory(HWND viewer);

// Releases the printer chosen last; the library's detach calls it.
void FreePrinterSetup();
