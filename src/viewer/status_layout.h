// The status bar's layout: part widths from the measured widths of their
// longest texts, and an image name cut to its part with an ellipsis. Pure
// functions; the window code measures in the status bar's own font.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum { STATUS_PARTS = 5 };

// Widths in pixels, each with room for the part's borders.
struct StatusWidths {
    int32_t zoom, coordinates, values, progress;
    int32_t grip;     // the size grip after the last part
    int32_t minName;  // the least the name part keeps
    int32_t compareValues;  // the current pixel's, the reference's and their difference, in the form shown
    int32_t reference;      // what the name part adds while a reference is set
};

// Right edges of the five parts for a client width: the fixed parts at the
// right, the name taking the rest but no less than minName. Narrower than
// statusMinimumWidth, the parts run past the right edge. While comparing
// (a reference is set) the name keeps room for the reference too, and the
// values part is compareValues wide: the least width grows by both, so
// that no readout is ever cut.
void statusPartEdges(int32_t clientWidth, const StatusWidths& widths, int comparing, int32_t edges[STATUS_PARTS]);
int32_t statusMinimumWidth(const StatusWidths& widths, int comparing);

// How many leading characters of a text stay when it is cut to width with
// an ellipsis of ellipsisWidth after them; prefix[i] is the width of the
// first i + 1 characters. length, with no ellipsis, when the whole fits.
size_t charactersBeforeEllipsis(const int32_t* prefix, size_t length, int32_t ellipsisWidth, int32_t width);
