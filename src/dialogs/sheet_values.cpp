#include "dialogs/sheet_values.h"

#include <float.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { FLOAT_TEXT_READ = 23 };

int ValuesDiffer(float oldValue, float newValue, int digits)
{
    if (newValue - oldValue == 0.0f) return 0;
    float d = newValue - oldValue;
    int eDiff = 0, eOld = 0;
    frexp(double(d), &eDiff);
    frexp(double(oldValue), &eOld);
    return eOld - digits < eDiff ? 1 : 0;
}

static void dropTrailingZeros(char* text)
{
    char* point = strchr(text, '.');
    if (!point) return;
    size_t end = strlen(text);
    while (end > size_t(point - text) + 2 && text[end - 1] == '0') text[--end] = '\0';
}

// A box shows what OK reads back: where six decimals would not give the
// same single float again (4e-7 would read as 0, 1e30 as its first 23
// digits), nine significant digits do.
void formatFloatText(double value, char* text, size_t size)
{
    if (size == 0) return;
    snprintf(text, size, "%.6f", value);
    dropTrailingZeros(text);
    if (float(parseFloatText(text)) != float(value)) snprintf(text, size, "%.9g", value);
}

double parseFloatText(const char* text)
{
    char head[FLOAT_TEXT_READ + 1];
    snprintf(head, sizeof head, "%s", text ? text : "");
    double v = strtod(head, nullptr);
    if (v != v) return 0.0;  // "nan" is not a number an artist typed
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return v;
}

void formatPercentText(double fraction, char* text, size_t size)
{
    if (size == 0) return;
    snprintf(text, size, "%g%%", fraction * 100.0);
    if (float(parsePercentText(text)) != float(fraction)) snprintf(text, size, "%.9g%%", fraction * 100.0);
}

double parsePercentText(const char* text)
{
    return parseFloatText(text) / 100.0;
}
