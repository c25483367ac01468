// The pixel readout's texts: the coordinates and the values of the pixel
// under the mouse, as display bytes or as the rendered float samples.
// Pure functions of the View record.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct View;

// 0 shows display bytes; anything else shows the float samples.
void SetPixelDisplayType(int type);
int pixelDisplayType();

// The display bytes of (x, y) for the channel view: red, green, blue for
// RGB (0), else the one value in out[0].
void ReadDisplayPixel(const View* view, int x, int y, int channel, uint8_t out[3]);

// The float samples of (x, y) for the channel view, as rendered.
void ReadImagePixel(const View* view, int x, int y, int channel, float out[3]);

// One value in at most eight characters: three decimals below 100, fewer
// as it grows, whole numbers to 999999, then mantissa and exponent
// ("2.50e6"); "NAN" and "INF" for the non-finite.
const char* FormatFloatValue(float f);
void formatFloatValue(float f, char* text, size_t size);

// "r, g, b" for RGB, else the one value.
void FormatFloatTriple(char* text, size_t size, int channel, const float values[3]);

// The values text of (x, y) as the readout shows it, in the current number
// format; text holds at least 32 characters.
void formatPixelValues(const View* view, int x, int y, int channel, char* text, size_t size);

// The same while a reference is set: "current | ref reference | diff
// difference", the difference as the difference view shows it (display
// bytes) or |current - reference| of the samples; the current pixel's text
// alone where the reference has no pixel. text holds at least 112
// characters.
enum { COMPARE_VALUES_SIZE = 112 };
void formatCompareValues(const View* current, const View* reference, int x, int y, int channel, char* text,
                         size_t size);
