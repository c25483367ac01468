// The viewer window and its parts, as they call one another on the
// display thread.
#pragma once

#include <windows.h>

#include "image/image.h"
#include "sdk/lwservices.h"

#define WM_NEWIMAGE (WM_USER + 1)  // lParam: an Image record, which passes with the message

// The window classes, registered by the library at attach with the
// window procedures below.
#define VIEWER_MAIN_CLASS "ZRImageViewMain"
#define VIEWER_PANE_CLASS "ZRImageViewDraw"

// ---- viewer window (viewer_window_win.cpp) ----
// What the viewer's owner gives it: the window that owns it, and how it
// hands back, as it closes, the images it was sent but did not keep:
// destroying a window discards the messages still posted to it.
struct ViewerLink {
    HINSTANCE module;  // the library's: its classes and resources
    HWND owner;
    // Called once as the viewer is destroyed; no image may be posted to it
    // after this returns.
    void (*closing)(HWND viewer);
    // Takes back one image that the viewer received but did not keep, in
    // the order they arrived.
    void (*giveBack)(Image* image);
    // The host's services as they are when asked: another activation may
    // have replaced them since the viewer opened.
    const char* (*hostDirectory)(const char* kind);  // null for no folder
    const LWImageUtil* (*imageUtil)();               // null when not offered
    // The viewer's dialogs changed the settings: they are stored at once,
    // and a failure is told over the viewer.
    void (*settingsChanged)(HWND viewer);
};

// Takes ownership of image in every case; null when no viewer could be made.
HWND CreateViewerWindow(const ViewerLink& link, Image* image);
LRESULT CALLBACK ViewerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
const ViewerLink& viewerLink();
// Widens the viewer to its least width when that grew (a reference set).
void KeepMinimumWidth(HWND viewer);

// ---- commands (viewer_commands_win.cpp) ----
void DispatchCommand(HWND viewer, int command);
void HandleKeyDown(HWND viewer, WPARAM key);
void HandleCharKey(HWND viewer, WPARAM code);
void RefreshViewer(HWND viewer, int slot, int repaint);
void AddNewImage(HWND viewer, Image* image);
void EndTextPlacement(HWND viewer, int x, int y, int place);
void setCurrentSlot(int slot);
// A slot button's context: marks its slot as the reference, or unmarks it.
// 0 when the window is not a slot button (the caption's context is the
// window menu, which the default procedure shows).
int ToggleReferenceOfButton(HWND viewer, HWND window);

// Modal operations (dialogs, saving, printing) hold new images back, so
// that none replaces the View record the operation works on.
void BeginModalOperation(HWND viewer);
void EndModalOperation(HWND viewer);
// Hands every image the closing viewer has not stored to giveBack, oldest
// first: those held back, then those still posted to it.
void GiveBackUnstoredImages(HWND viewer, void (*giveBack)(Image* image));

// ---- cursors (cursors_win.cpp) ----
void SetClassCursor(HWND window, LPCSTR cursorId);
void SetBusyCursor(HWND viewer, int busy);

// ---- toolbar (toolbar_win.cpp) ----
HWND CreateToolbar(HWND viewer);
int AutosizeToolbar(HWND viewer);
int ToolbarHeight(HWND viewer);
void CheckToolbarButton(HWND viewer, int command, int on);
struct ViewState;
// The channel, overlay and compare buttons as the View state has them; the
// compare buttons are enabled only while a reference is set.
void UpdateToolbarChecks(HWND viewer, const ViewState* vs, int hasReference);
void SetAddTextChecked(HWND viewer, int on);
int GetToolbarTip(NMHDR* notification);

// ---- status bar and progress meter (status_bar_win.cpp) ----
HWND CreateStatusBar(HWND viewer);
int LayoutStatusBar(int clientWidth, int clientHeight);
int StatusBarHeight();
int StatusBarMinimumWidth();  // the least width that shows every part
void ReleaseStatusBar();
void SetStatusName(const char* text);
// The reference slot the name part names after the image's name; -1 none.
void SetStatusReference(int slot);
// The readout's form changed (display bytes or float samples): the
// comparison's readout is measured in it.
void SetStatusReadoutForm(int floats);
void SetStatusZoom(int zoomIndex);
void SetStatusText(int part, const char* text);
void UpdateStatusBar();
void ProgressStep(int n);

// ---- slot buttons (slot_strip_win.cpp) ----
void CreateSlotStrip(HWND viewer);
void LayoutSlotStrip(HWND viewer, int width, int y);
void UpdateSlotStrip(HWND viewer, int current);
int GetSlotTip(NMHDR* notification);  // 1 when it supplied a slot's tooltip
void ReleaseSlotStrip();

// ---- image view pane (view_pane_win.cpp) ----
LRESULT CALLBACK ViewPaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
void SetZoom(HWND pane, const POINT* anchor, UINT step);
void RefreshZoom(HWND pane);
void FitToScreen(HWND pane);
// Sizes the viewer to a fitted width × height (at least its minimum) and
// places it: where the user put it while it fits on the screen there,
// else as near as fits, and centred in the work area when the user has not
// placed it.
void PlaceFittedViewer(HWND viewer, int width, int height);
void RepaintPane(HWND pane);
int ClientPointToImage(HWND pane, POINT* point, int given);
void UpdateReadout(HWND pane, const POINT* point);
// The pane's picture for a paint rectangle, into any device context.
struct ViewState;
void PaintPaneContent(HDC dc, const ViewState* vs, const RECT& paint, HBRUSH background);
