// The common dialogs the viewer opens, driven from outside as a user would
// drive them: the save dialog, the print dialog, the "Printing..." box and
// message boxes. Each is found among the viewer thread's windows by its
// title.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A visible window of the viewer's thread with exactly that title, waiting
// up to timeoutMs; null when none appeared.
HWND findViewerDialog(HWND viewer, const char* title, int timeoutMs);

// How many visible windows of the viewer's thread have that title.
int countViewerDialogs(HWND viewer, const char* title);

// Waits until the window is gone; 1 when it went.
int waitUntilClosed(HWND window, int timeoutMs);

// The save dialog, opened with the viewer's key; null when it did not
// appear. The key is posted: the viewer stays in the dialog's loop.
HWND openSaveDialog(HWND viewer);

struct SaveDialogState {
    std::string folder;    // the folder the dialog shows
    std::string fileName;  // the name in its file name box
    int typeIndex = -1;    // the selected type, from 0
    std::vector<std::string> types;  // the type list as shown
};
SaveDialogState readSaveDialog(HWND dialog);

// Types name into the file name box, selects the type at index (-1 keeps
// the selection) and presses Save.
void saveAs(HWND dialog, const std::string& name, int typeIndex);
void cancelDialog(HWND dialog);

// The Add Text dialog, opened with t and a left click on the image pane's
// client point; null when it did not appear.
HWND openTextDialog(HWND viewer, int x, int y);

// Presses a button of an open dialog (IDOK, IDCANCEL or one of its own).
void pressDialogButton(HWND dialog, int id);

// The print dialog, opened with the viewer's key; null when it did not
// appear.
HWND openPrintDialog(HWND viewer);

struct PrintDialogState {
    std::string printer;  // the printer selected
    int copies = 0;
};
PrintDialogState readPrintDialog(HWND dialog);

// Selects the printer (empty keeps the selection), sets the copies and
// presses OK.
void printWith(HWND dialog, const std::string& printer, int copies);

// Waits until a print that was started has ended: the viewer enabled again
// and its "Printing..." box gone. A print shows the box as it begins; one
// whose box never showed had ended already.
void waitForPrintToEnd(HWND viewer);

// The text of a message box and its caption; presses its OK after reading.
struct MessageBoxText {
    std::string caption;
    std::string text;
};
int readAndCloseMessageBox(HWND viewer, const char* caption, int timeoutMs, MessageBoxText* out);
