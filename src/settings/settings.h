// The program-wide options: caption, per-image defaults for levels,
// hot-pixel check and safe areas, the readout's number format and whether
// pause closes the host's render status window. There is exactly one record;
// images copy what they need when they enter a slot.
#pragma once

#include <stdint.h>

#include "platform/wintypes.h"
#include "settings/display_params.h"

enum { SETTINGS_PATH_SIZE = 260, CAPTION_SIZE = 256 };

enum TextAlignment { ALIGN_LEFT = 0, ALIGN_CENTRE = 1, ALIGN_RIGHT = 2 };

struct TextOptions {
    LOGFONTA font;
    COLORREF colour;
    int32_t anchorX;
    int32_t baselineY;
    int32_t alignment;
    int32_t leftX;  // computed at every caption drawing
    char text[CAPTION_SIZE];
    int32_t shadowEnabled;
    int32_t shadowDx;
    int32_t shadowDy;
};

struct Settings {
    char configPath[SETTINGS_PATH_SIZE];
    TextOptions text;
    HotParams hot;
    SafeParams safe;
    float defaultBlack;
    float defaultWhite;
    int32_t pixelDisplayType;  // 0 display bytes, otherwise float samples
    int32_t closeRenderStatus;
};

Settings* settingsRecord();

// Writes every default; leaves the unlisted font fields and left x alone.
void applyDefaultSettings(Settings* settings);
