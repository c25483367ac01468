// The zoom rule: 129 steps from 1/65 (index 0) through one to one (64) to
// 65 times (128); each step changes the magnification or the divisor by one.
#pragma once

#include <stdint.h>

enum { ZOOM_MIN = 0, ZOOM_ONE = 64, ZOOM_MAX = 128 };

float zoomScaleOf(int zoomIndex);

// Displayed size of an image dimension, truncated; in whole numbers, so
// that it agrees with painting and the readout at every step.
int32_t scaledSize(int32_t size, int zoomIndex);

// The wheel's ladder: one notch in (direction > 0) or out to the next power
// of two of the magnification or the divisor, with 65x and 1/65x as the
// ends. The index itself at an end.
int wheelZoomIndex(int zoomIndex, int direction);

// Partial turns of a smooth wheel add up to whole notches of 120; a turn
// the other way drops what was left, so it is never swallowed by it. rest
// is what one wheel (one axis) has left over. The whole notches, signed.
int wheelNotches(int* rest, int delta);
