// The viewer's commands and the texts and numbers around them: tooltips,
// keys and the zoom text. Pure functions, shared by the window code and
// the tests.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum ViewerCommand {
    CMD_SAVE = 101,
    CMD_COPY = 102,
    CMD_PRINT = 103,
    CMD_DELETE = 104,
    CMD_RGB = 105,
    CMD_ALPHA = 106,
    CMD_RED = 107,
    CMD_GREEN = 108,
    CMD_BLUE = 109,
    CMD_HOT_PIXELS = 110,
    CMD_SAFE_OUTLINES = 111,
    CMD_FIT = 112,
    CMD_NOTES = 113,
    CMD_ADD_TEXT = 114,
    CMD_UNDO_TEXT = 115,
    CMD_WIPE = 116,        // the reference left of a split, the current image right of it
    CMD_DIFFERENCE = 117,  // |current - reference|
    CMD_SLOT_FIRST = 200,  // 200 + slot, for slots 0 to 9
};

enum ViewerChildId { ID_PANE = 2, ID_STATUS_BAR = 3, ID_TOOLBAR = 20 };

// The tooltip of a command, or null when it has none.
const char* toolbarTip(int command);

// The Channel view a channel command toggles (0 RGB .. 4 blue), -1 for
// other commands; and the command of a Channel view.
int channelOfCommand(int command);
int commandOfChannel(int channel);

// The command of a typed character, 0 when the character has none. Digits
// select slots ('1' slot 0 .. '0' slot 9); lower-case letters run their
// command. '+', '-', ',', '.' and 'q' are handled apart: see CharAction.
int commandOfCharacter(int code);

enum CharAction { CHAR_NONE, CHAR_COMMAND, CHAR_NEXT_SLOT, CHAR_PREVIOUS_SLOT, CHAR_ZOOM_OUT, CHAR_ZOOM_IN, CHAR_CLOSE };
CharAction actionOfCharacter(int code);

// "%dx" for zoom indices from 64 (1x) up, "1/%dx" below (63 is 1/2x).
void formatZoom(int zoomIndex, char* text, size_t size);

// The slot a key switches to from current: the next (or previous) occupied
// one, going round; -1 when no other slot holds an image.
int nextOccupiedSlot(int current, const int occupied[10], int direction);

// The tooltip of a slot button (slot 0 is "Slot 1"): the image's name, size
// and render time, or that the slot is empty when name is null. A render
// time of 0 or less is left out. The text is cut to size.
void formatSlotTip(char* text, size_t size, int slot, const char* name, int32_t width, int32_t height,
                   int32_t renderTenths);
