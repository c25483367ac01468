// The safe overlay of an image of a given size, drawn by the plug-in's
// own drawing code for the parameters a test expects, read bit by bit.
#pragma once

#include "display/safe_overlay_win.h"
#include "image/view.h"

struct DrawnOverlay {
    View* view = nullptr;
    explicit DrawnOverlay(int width, int height, SafeParams params)
    {
        view = newView(newImage(width, height, 1, 0));
        if (!view) return;
        view->safe = params;
        drawSafeOverlay(view);
    }
    ~DrawnOverlay() { freeView(view); }
    // 1 where the pane shows the picture inverted; y from the top.
    int bit(int x, int y) const
    {
        const uint8_t* row = bitmapRow(view->safeOverlay, y);
        return (row[x / 8] >> (7 - x % 8)) & 1;
    }
    int count(int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) n += bit(x, y);
        return n;
    }
};
