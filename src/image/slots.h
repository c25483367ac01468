// The ten image slots of the viewer. Display thread only.
#pragma once

#include "image/view.h"
#include "image/view_state.h"
#include "settings/settings.h"

enum { SLOT_COUNT = 10 };

// Wraps image in a View record in slot, with the settings' default levels
// and hot-pixel and safe-area parameters, and has fillBitmaps fill its
// display bitmaps (the display pipeline, which lies above the records).
// On success (1) the slot owns the image. On failure (0) the slot is empty
// and the image is still the caller's, so it can make room and try again.
// An occupied slot must be freed first.
int storeImageInSlot(Image* image, const Settings* settings, int slot, void (*fillBitmaps)(View* view));

void freeSlot(int slot);

// Empties a slot whose image a new one replaces: its image is recycled for
// the host's next frame, and its display bitmaps wait for the next store.
void retireSlot(int slot);

// Frees what the slots keep for reuse: when memory runs short.
void releaseRetired();

// Every slot and everything kept for reuse.
void freeAllSlots();
int isSlotEmpty(int slot);
View* viewInSlot(int slot);  // null when the slot is empty

// Among the occupied slots, the one whose image came first (or last); no
// image gives 0. Arrival, not the creation time, orders them: frames
// rendered within one second would otherwise tie, and the same slot would
// take every new frame while older ones stayed.
int oldestSlot();
int newestSlot();

// The oldest slot other than the reference, which the artist keeps to
// compare later renders with; the reference only when it is the sole image.
int oldestReplaceableSlot();

// The first empty slot, else the oldest replaceable one.
int chooseSlotForNewImage();

// Makes the slot's View record the one the View state shows.
void loadViewState(int slot);

// The reference image other images are compared with: any occupied slot.
// Marking the reference slot again, freeing it or replacing its image
// clears the mark, and with it the View state's compare mode. None at
// first; nothing of it is stored.
void toggleReferenceSlot(int slot);
int referenceSlot();  // -1 when none
View* referenceView();  // null when none
