// The View state: what the viewer window and its image pane share about the
// picture on screen. Selecting a slot changes only the view, the size and
// the name; channel view, overlays, zoom and scroll belong to the viewer.
#pragma once

#include <stdint.h>

struct View;

enum ChannelView { CHANNEL_RGB = 0, CHANNEL_ALPHA = 1, CHANNEL_RED = 2, CHANNEL_GREEN = 3, CHANNEL_BLUE = 4 };
enum OverlayFlag { OVERLAY_HOT = 1, OVERLAY_SAFE = 2 };
// How the current image is compared with the reference: not at all, by a
// wipe (the reference left of a vertical split, the current image right of
// it), or as their difference.
enum CompareMode { COMPARE_NONE = 0, COMPARE_WIPE = 1, COMPARE_DIFFERENCE = 2 };

struct ViewState {
    View* view;  // null when there is no image
    int32_t imageWidth;
    int32_t imageHeight;
    int32_t channelView;
    uint32_t overlays;
    const char* name;
    // Scroll offsets in displayed pixels; 32-bit, since a large image at a
    // high zoom is far wider than 32767 displayed pixels.
    int32_t scrollX;
    int32_t scrollY;
    int32_t maxScrollX;
    int32_t maxScrollY;
    float zoomScale;
    int32_t zoomIndex;  // 0 to 128; 64 is one to one
    int16_t mouseX;
    int16_t mouseY;
    uint32_t dragging;
    uint32_t placingText;
    int32_t compareMode;  // COMPARE_NONE whenever no reference is set
    int32_t wipeX;        // the image column where the wipe's current image begins
};

ViewState* viewState();
