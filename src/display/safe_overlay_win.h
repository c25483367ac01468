// The safe overlay drawn with GDI, and the display rebuilds that include
// it: the portable conversions cannot draw rounded rectangles and dotted
// pens, so the platform side draws the overlay after them.
#pragma once

#include <windows.h>

struct View;

// Redraws the whole one-bit overlay from the view's safe-area parameters.
// Afterwards a bit of 1 marks a pixel the pane shows inverted. When GDI
// cannot give a drawing surface the overlay is cleared (no area at all),
// never left showing the parameters it was drawn for before.
void drawSafeOverlay(View* view);

// An 8 × 8 one-pixel checkerboard pattern brush; null when it cannot be made.
HBRUSH makeCheckerBrush();

// rebuildDisplay and refreshDisplay, with the overlay drawn when the view
// is made and when its safe-area parameters changed (REFRESH_SAFE).
void rebuildViewDisplay(View* view);
void refreshViewDisplay(View* view, unsigned flags);
