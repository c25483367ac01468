#include "viewer/viewer_commands.h"

#include <stdio.h>

static const struct {
    int command;
    const char* tip;
} tips[] = {
    {CMD_SAVE, "Save As"},
    {CMD_COPY, "Copy to Clipboard"},
    {CMD_PRINT, "Print"},
    {CMD_DELETE, "Delete"},
    {CMD_RGB, "RGB Channels"},
    {CMD_ALPHA, "Alpha Channel"},
    {CMD_RED, "Red Channel"},
    {CMD_GREEN, "Green Channel"},
    {CMD_BLUE, "Blue Channel"},
    {CMD_HOT_PIXELS, "Show Hot Pixels"},
    {CMD_SAFE_OUTLINES, "Show Safe Outlines"},
    {CMD_FIT, "Fit to Screen"},
    {CMD_NOTES, "Notes and Settings"},
    {CMD_ADD_TEXT, "Add Text"},
    {CMD_UNDO_TEXT, "Undo Text"},
    {CMD_WIPE, "Wipe with Reference"},
    {CMD_DIFFERENCE, "Difference from Reference"},
};

const char* toolbarTip(int command)
{
    for (const auto& t : tips)
        if (t.command == command) return t.tip;
    return nullptr;
}

int channelOfCommand(int command)
{
    return command >= CMD_RGB && command <= CMD_BLUE ? command - CMD_RGB : -1;
}

int commandOfChannel(int channel)
{
    return CMD_RGB + channel;
}

// Letters in the order of their commands 101 to 117.
static const char commandLetters[] = "scpdiargbhfjntuwx";

int commandOfCharacter(int code)
{
    if (code >= '0' && code <= '9') return CMD_SLOT_FIRST + (code - 39) % 10;
    for (int i = 0; commandLetters[i]; i++)
        if (code == commandLetters[i]) return CMD_SAVE + i;
    return 0;
}

CharAction actionOfCharacter(int code)
{
    switch (code) {
    case '+': return CHAR_NEXT_SLOT;
    case '-': return CHAR_PREVIOUS_SLOT;
    case ',': return CHAR_ZOOM_OUT;
    case '.': return CHAR_ZOOM_IN;
    case 'q': return CHAR_CLOSE;
    default: return commandOfCharacter(code) ? CHAR_COMMAND : CHAR_NONE;
    }
}

void formatZoom(int zoomIndex, char* text, size_t size)
{
    if (zoomIndex >= 64)
        snprintf(text, size, "%dx", zoomIndex - 63);
    else
        snprintf(text, size, "1/%dx", 65 - zoomIndex);
}

int nextOccupiedSlot(int current, const int occupied[10], int direction)
{
    for (int k = 1; k <= 9; k++) {
        int s = ((current + (direction > 0 ? k : 10 - k)) % 10 + 10) % 10;
        if (occupied[s]) return s;
    }
    return -1;
}

// Tenths of a second as an artist reads a render time: "8.4 s",
// "2 min 5 s", "1 h 12 min".
static void formatRenderTime(char* text, size_t size, int32_t tenths)
{
    int32_t seconds = tenths / 10;
    if (seconds < 60)
        snprintf(text, size, "%d.%d s", int(seconds), int(tenths % 10));
    else if (seconds < 3600)
        snprintf(text, size, "%d min %d s", int(seconds / 60), int(seconds % 60));
    else
        snprintf(text, size, "%d h %d min", int(seconds / 3600), int(seconds / 60 % 60));
}

void formatSlotTip(char* text, size_t size, int slot, const char* name, int32_t width, int32_t height,
                   int32_t renderTenths)
{
    if (!name) {
        snprintf(text, size, "Slot %d: empty", slot + 1);
        return;
    }
    char time[48] = "";
    if (renderTenths > 0) {
        char span[24];
        formatRenderTime(span, sizeof span, renderTenths);
        snprintf(time, sizeof time, ", rendered in %s", span);
    }
    snprintf(text, size, "Slot %d: %s, %d x %d%s", slot + 1, name, int(width), int(height), time);
}
