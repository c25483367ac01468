// What the viewer does: commands from the toolbar, the slot buttons and the
// keyboard, new images, and bringing the controls in line with the slot.
#include <stdlib.h>
#include <string.h>

#include "dialogs/settings_sheet_win.h"
#include "dialogs/text_dialog_win.h"
#include "display/caption_text_win.h"
#include "display/safe_overlay_win.h"
#include "image/slots.h"
#include "output/clipboard_win.h"
#include "output/print_win.h"
#include "output/save_command_win.h"
#include "settings/settings.h"
#include "viewer/compare.h"
#include "viewer/held_frames.h"
#include "viewer/readout_format.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"

static int g_currentSlot;

static int g_modalDepth;
static HeldFrames g_held;  // new images that arrived during a modal operation

void setCurrentSlot(int slot)
{
    g_currentSlot = slot;
}

static HWND pane(HWND viewer)
{
    return GetDlgItem(viewer, ID_PANE);
}

void RefreshViewer(HWND viewer, int slot, int repaint)
{
    if (isSlotEmpty(slot)) return;
    loadViewState(slot);
    UpdateSlotStrip(viewer, slot);
    ViewState* vs = viewState();
    refreshComparison(vs);  // short of memory, the difference view turns itself off
    UpdateToolbarChecks(viewer, vs, referenceSlot() >= 0);
    SetStatusReference(referenceSlot());
    SetStatusName(vs->name);
    SetStatusZoom(vs->zoomIndex);
    if (repaint) RefreshZoom(pane(viewer));
}

static void SelectSlot(HWND viewer, int slot)
{
    if (slot < 0 || slot >= SLOT_COUNT || isSlotEmpty(slot)) return;
    g_currentSlot = slot;
    RefreshViewer(viewer, slot, 1);
}

static void StepSlot(HWND viewer, int direction)
{
    int occupied[SLOT_COUNT];
    for (int i = 0; i < SLOT_COUNT; i++) occupied[i] = !isSlotEmpty(i);
    int next = nextOccupiedSlot(g_currentSlot, occupied, direction);
    if (next >= 0) SelectSlot(viewer, next);
}

// 1 while an image is left to show.
static int DeleteCurrentImage(HWND viewer)
{
    freeSlot(g_currentSlot);
    int newest = newestSlot();
    if (isSlotEmpty(newest)) return 0;
    g_currentSlot = newest;
    RefreshViewer(viewer, newest, 1);
    return 1;
}

static void ToggleChannelView(HWND viewer, int channel)
{
    ViewState* vs = viewState();
    vs->channelView = vs->channelView == channel ? CHANNEL_RGB : channel;
    RefreshViewer(viewer, g_currentSlot, 1);
}

static void ToggleOverlay(HWND viewer, unsigned flag)
{
    viewState()->overlays ^= flag;
    RefreshViewer(viewer, g_currentSlot, 1);
}

// Marks the slot as the reference, or clears the mark when it is already.
static void ToggleReference(HWND viewer, int slot)
{
    toggleReferenceSlot(slot);
    RefreshViewer(viewer, g_currentSlot, 1);
    KeepMinimumWidth(viewer);
}

// The wipe or the difference view on, or off again; nothing without a
// reference. A wipe starts with its split in the middle of the common area.
static void ToggleCompare(HWND viewer, int mode)
{
    ViewState* vs = viewState();
    const View* reference = referenceView();
    if (reference) {
        if (mode == COMPARE_WIPE && vs->compareMode != COMPARE_WIPE)
            vs->wipeX = wipeColumnFor(INT64_MAX, vs->imageWidth, reference->image->width) / 2;
        vs->compareMode = vs->compareMode == mode ? COMPARE_NONE : mode;
    }
    RefreshViewer(viewer, g_currentSlot, 1);  // also unchecks a button pressed without a reference
}

// A dialog's changes to the settings reach the configuration file at once.
static void StoreSettingsIfChanged(HWND viewer, const Settings& before)
{
    if (memcmp(&before, settingsRecord(), sizeof before) != 0 && viewerLink().settingsChanged)
        viewerLink().settingsChanged(IsWindow(viewer) ? viewer : nullptr);  // it may have closed under a dialog
}

static void BeginTextPlacement(HWND viewer)
{
    viewState()->placingText = 1;
    SetClassCursor(pane(viewer), IDC_IBEAM);
    SetAddTextChecked(viewer, 1);
}

// The caption goes where the artist clicked, as the Add Text dialog sets
// it. New frames wait while the dialog is open, so the image it was opened
// on is the one the caption is drawn into.
static void PlaceCaption(HWND viewer, int x, int y)
{
    View* view = viewInSlot(g_currentSlot);
    if (!view) return;
    Settings before;
    memcpy(&before, settingsRecord(), sizeof before);
    TextOptions* text = &settingsRecord()->text;
    text->anchorX = x;
    text->baselineY = y;
    BeginModalOperation(viewer);
    // The viewer may have closed under the dialog and freed its images.
    if (runTextDialog(viewer, text) && IsWindow(viewer) && viewInSlot(g_currentSlot) == view) {
        SetBusyCursor(viewer, 1);
        int drawn = drawCaption(text, view);
        SetBusyCursor(viewer, 0);
        if (drawn) RefreshViewer(viewer, g_currentSlot, 1);
    }
    StoreSettingsIfChanged(viewer, before);
    EndModalOperation(viewer);
}

void EndTextPlacement(HWND viewer, int x, int y, int place)
{
    viewState()->placingText = 0;
    SetAddTextChecked(viewer, 0);
    SetClassCursor(pane(viewer), IDC_CROSS);
    if (place) PlaceCaption(viewer, x, y);
}

// Undo, and the next time redo, of the current image's last caption.
static void UndoCaption(HWND viewer)
{
    View* view = viewInSlot(g_currentSlot);
    if (!view || !view->undo.piece) return;
    swapUndoRegion(view);
    RefreshViewer(viewer, g_currentSlot, 1);
}

// New frames wait while the sheet is open, so none can take the slot of
// the image it edits.
static void EditSettings(HWND viewer)
{
    if (isSlotEmpty(g_currentSlot)) return;
    const SheetHooks hooks = {refreshViewDisplay, SetBusyCursor, viewInSlot, SLOT_COUNT};
    Settings before;
    memcpy(&before, settingsRecord(), sizeof before);
    BeginModalOperation(viewer);
    EditNotesAndSettings(viewer, settingsRecord(), viewInSlot(g_currentSlot), hooks);
    StoreSettingsIfChanged(viewer, before);
    SetPixelDisplayType(settingsRecord()->pixelDisplayType);
    SetStatusReadoutForm(pixelDisplayType());
    RefreshViewer(viewer, g_currentSlot, 1);
    KeepMinimumWidth(viewer);
    EndModalOperation(viewer);
}

// What copying and printing take: the picture the pane shows, at full
// size. Colour (levels applied), or the grey alpha in the alpha view; the
// difference in the difference view; the two images as the split divides
// them in the wipe, made for the purpose (*made, freed by the caller; null
// when memory is short).
static const DisplayBitmap* shownPicture(DisplayBitmap** made)
{
    *made = nullptr;
    const ViewState* vs = viewState();
    if (!vs->view) return nullptr;
    const bool alpha = vs->channelView == CHANNEL_ALPHA;
    const DifferenceDisplay* difference = comparedDifference();
    if (vs->compareMode == COMPARE_DIFFERENCE && difference) return alpha ? difference->alpha : difference->colour;
    const DisplayBitmap* own = alpha ? vs->view->alpha : vs->view->colour;
    const View* reference = referenceView();
    if (vs->compareMode != COMPARE_WIPE || !reference) return own;
    *made = composeWipe(own, alpha ? reference->alpha : reference->colour, vs->wipeX);
    return *made;
}

static void CopyCurrentImage(HWND viewer)
{
    DisplayBitmap* made;
    const DisplayBitmap* b = shownPicture(&made);
    if (b) CopyBitmapToClipboard(viewer, &b->header, b->pixels, b->stride);
    freeDisplayBitmap(made);
}

// New frames wait while the save dialog is open, so the image the artist
// named is the one written.
static void SaveImage(HWND viewer)
{
    if (isSlotEmpty(g_currentSlot)) return;
    const ViewerLink& link = viewerLink();
    const SaveHooks hooks = {link.hostDirectory, link.imageUtil, SetBusyCursor, SetStatusName, ProgressStep};
    BeginModalOperation(viewer);
    SaveCurrentImage(viewer, hooks);
    RefreshViewer(viewer, g_currentSlot, 0);
    EndModalOperation(viewer);
}

static void PrintCurrentImage(HWND viewer)
{
    DisplayBitmap* made;
    const DisplayBitmap* b = shownPicture(&made);
    if (b)
        PrintBitmap(viewer, &b->header, b->pixels, b->stride);
    else if (viewState()->view)
        ReportPrintNoMemory(viewer);  // the wipe's picture could not be made
    freeDisplayBitmap(made);
}

static void FitViewer(HWND viewer)
{
    if (IsZoomed(viewer)) ShowWindow(viewer, SW_RESTORE);
    FitToScreen(pane(viewer));
}

void DispatchCommand(HWND viewer, int command)
{
    int channel = channelOfCommand(command);
    if (channel >= 0) {
        ToggleChannelView(viewer, channel);
        return;
    }
    if (command >= CMD_SLOT_FIRST && command < CMD_SLOT_FIRST + SLOT_COUNT) {
        SelectSlot(viewer, command - CMD_SLOT_FIRST);
        return;
    }
    switch (command) {
    case CMD_DELETE:
        if (!DeleteCurrentImage(viewer)) SendMessageA(viewer, WM_CLOSE, 0, 0);
        break;
    case CMD_HOT_PIXELS: ToggleOverlay(viewer, OVERLAY_HOT); break;
    case CMD_SAFE_OUTLINES: ToggleOverlay(viewer, OVERLAY_SAFE); break;
    case CMD_FIT: FitViewer(viewer); break;
    case CMD_NOTES: EditSettings(viewer); break;
    case CMD_ADD_TEXT:
        if (viewState()->placingText)
            EndTextPlacement(viewer, 0, 0, 0);
        else
            BeginTextPlacement(viewer);
        break;
    case CMD_UNDO_TEXT: UndoCaption(viewer); break;
    case CMD_WIPE: ToggleCompare(viewer, COMPARE_WIPE); break;
    case CMD_DIFFERENCE: ToggleCompare(viewer, COMPARE_DIFFERENCE); break;
    case CMD_COPY: CopyCurrentImage(viewer); break;
    case CMD_SAVE: SaveImage(viewer); break;
    case CMD_PRINT: PrintCurrentImage(viewer); break;
    default: break;
    }
}

static void ScrollPane(HWND viewer, UINT message, int code)
{
    SendMessageA(pane(viewer), message, code, 0);
}

void HandleKeyDown(HWND viewer, WPARAM key)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    if (key >= '0' && key <= '9' && GetKeyState(VK_CONTROL) < 0) {  // Ctrl with a slot's digit
        ToggleReference(viewer, key == '0' ? 9 : int(key - '1'));
        return;
    }
    switch (key) {
    case VK_ESCAPE:
        if (viewState()->placingText)
            EndTextPlacement(viewer, 0, 0, 0);
        else
            SendMessageA(viewer, WM_CLOSE, 0, 0);
        break;
    case VK_DELETE: DispatchCommand(viewer, CMD_DELETE); break;
    case VK_PRIOR: if (!shift) ScrollPane(viewer, WM_VSCROLL, SB_TOP); break;
    case VK_NEXT: if (!shift) ScrollPane(viewer, WM_VSCROLL, SB_BOTTOM); break;
    case VK_END: if (!shift) ScrollPane(viewer, WM_HSCROLL, SB_BOTTOM); break;
    case VK_HOME: if (!shift) ScrollPane(viewer, WM_HSCROLL, SB_TOP); break;
    case VK_LEFT: ScrollPane(viewer, WM_HSCROLL, shift ? SB_PAGEUP : SB_LINEUP); break;
    case VK_UP: ScrollPane(viewer, WM_VSCROLL, shift ? SB_PAGEUP : SB_LINEUP); break;
    case VK_RIGHT: ScrollPane(viewer, WM_HSCROLL, shift ? SB_PAGEDOWN : SB_LINEDOWN); break;
    case VK_DOWN: ScrollPane(viewer, WM_VSCROLL, shift ? SB_PAGEDOWN : SB_LINEDOWN); break;
    default: break;
    }
}

void HandleCharKey(HWND viewer, WPARAM code)
{
    switch (actionOfCharacter(int(code))) {
    case CHAR_COMMAND: DispatchCommand(viewer, commandOfCharacter(int(code))); break;
    case CHAR_NEXT_SLOT: StepSlot(viewer, +1); break;
    case CHAR_PREVIOUS_SLOT: StepSlot(viewer, -1); break;
    case CHAR_ZOOM_OUT: SetZoom(pane(viewer), nullptr, WM_RBUTTONDOWN); break;
    case CHAR_ZOOM_IN: SetZoom(pane(viewer), nullptr, WM_LBUTTONDOWN); break;
    case CHAR_CLOSE: SendMessageA(viewer, WM_CLOSE, 0, 0); break;
    case CHAR_NONE: break;
    }
}

// Frees the oldest image; its bytes, or 0 when no image is left.
static int64_t EvictOldest()
{
    int oldest = oldestReplaceableSlot();
    if (isSlotEmpty(oldest)) return 0;
    int64_t bytes = viewBytes(viewInSlot(oldest));
    freeSlot(oldest);
    return bytes;
}

static void ReportImageNotAdded(HWND viewer)
{
    BeginModalOperation(viewer);
    MessageBoxA(viewer, "The new image couldn't be added.", "ZR", MB_ICONHAND | MB_OK);
    EndModalOperation(viewer);
}

// Stores image in slot, freeing the oldest images one by one while memory is
// short, but never more of them than the new image needs: an image that
// will not fit anyway must not cost the artist the rest. 1 when stored.
static int StoreMakingRoom(Image* image, int slot)
{
    int64_t needed = displayBytes(image->width, image->height);
    int64_t freed = 0;
    while (!storeImageInSlot(image, settingsRecord(), slot, rebuildViewDisplay)) {
        releaseRetired();
        if (freed >= needed) return 0;
        int64_t bytes = EvictOldest();
        if (bytes == 0) return 0;
        freed += bytes;
    }
    return 1;
}

// A new image takes the first empty slot or the oldest one, and shows. One
// that cannot be stored is reported and dropped; the viewer keeps what it
// holds, or closes when nothing is left.
void AddNewImage(HWND viewer, Image* image)
{
    if (!image) return;
    if (g_modalDepth > 0) {
        // The frame that makes room could never have been kept: its memory
        // serves the host's next frame.
        if (Image* dropped = holdFrame(&g_held, image)) recycleImage(dropped);
        return;
    }
    int slot = chooseSlotForNewImage();
    if (!isSlotEmpty(slot)) retireSlot(slot);
    if (!StoreMakingRoom(image, slot)) {
        freeImage(image);
        ReportImageNotAdded(viewer);
        int newest = newestSlot();
        if (isSlotEmpty(newest)) {
            SendMessageA(viewer, WM_CLOSE, 0, 0);
            return;
        }
        slot = newest;
    }
    g_currentSlot = slot;
    RefreshViewer(viewer, slot, 1);
    if (IsIconic(viewer)) ShowWindow(viewer, SW_RESTORE);
}

int ToggleReferenceOfButton(HWND viewer, HWND window)
{
    if (window == viewer || GetParent(window) != viewer) return 0;
    int slot = GetDlgCtrlID(window) - CMD_SLOT_FIRST;
    if (slot < 0 || slot >= SLOT_COUNT) return 0;
    ToggleReference(viewer, slot);
    return 1;
}

void BeginModalOperation(HWND)
{
    g_modalDepth++;
}

void EndModalOperation(HWND viewer)
{
    if (g_modalDepth > 0) g_modalDepth--;
    while (g_modalDepth == 0 && g_held.count > 0) AddNewImage(viewer, takeHeldFrame(&g_held));
}

void GiveBackUnstoredImages(HWND viewer, void (*giveBack)(Image* image))
{
    while (Image* image = takeHeldFrame(&g_held)) giveBack(image);
    g_modalDepth = 0;
    MSG msg;
    while (PeekMessageA(&msg, viewer, WM_NEWIMAGE, WM_NEWIMAGE, PM_REMOVE))
        giveBack(reinterpret_cast<Image*>(msg.lParam));
}
