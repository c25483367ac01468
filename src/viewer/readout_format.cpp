#include "viewer/readout_format.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "display/difference.h"
#include "image/view.h"

static int g_displayType;

void SetPixelDisplayType(int type)
{
    g_displayType = type;
}

int pixelDisplayType()
{
    return g_displayType;
}

// A pixel's bytes for the channel view: red, green, blue for RGB, else the
// one value in out[0].
static void pickChannel(const uint8_t bgr[3], uint8_t alpha, int channel, uint8_t out[3])
{
    switch (channel) {
    case 1: out[0] = alpha; break;
    case 2: out[0] = bgr[2]; break;
    case 3: out[0] = bgr[1]; break;
    case 4: out[0] = bgr[0]; break;
    default:
        out[0] = bgr[2];
        out[1] = bgr[1];
        out[2] = bgr[0];
        break;
    }
}

void ReadDisplayPixel(const View* view, int x, int y, int channel, uint8_t out[3])
{
    pickChannel(bitmapRow(view->colour, y) + 3 * x, bitmapRow(view->alpha, y)[x], channel, out);
}

void ReadImagePixel(const View* view, int x, int y, int channel, float out[3])
{
    const Image* im = view->image;
    size_t i = size_t(im->width) * size_t(y) + size_t(x);
    switch (channel) {
    case 1: out[0] = im->alpha[i]; break;
    case 2: out[0] = im->red[i]; break;
    case 3: out[0] = im->green[i]; break;
    case 4: out[0] = im->blue[i]; break;
    default:
        out[0] = im->red[i];
        out[1] = im->green[i];
        out[2] = im->blue[i];
        break;
    }
}

// Each threshold is the smallest magnitude that the finer form would print
// with one digit too many (99.9995 prints as 100.000).
void formatFloatValue(float f, char* text, size_t size)
{
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    if ((bits & 0x7F800000u) == 0x7F800000u) {
        // An infinity keeps its sign: a black pixel that reads "INF" beside
        // a white one would be plainly wrong. NaN has no meaningful sign.
        const char* name = (bits & 0x007FFFFFu) ? "NAN" : (bits & 0x80000000u) ? "-INF" : "INF";
        snprintf(text, size, "%s", name);
        return;
    }
    float a = fabsf(f);
    if (a < 99.9995f) {
        snprintf(text, size, "%.3f", double(f));
    } else if (a < 999.995f) {
        snprintf(text, size, "%.2f", double(f));
    } else if (a < 9999.95f) {
        snprintf(text, size, "%.1f", double(f));
    } else if (a < 999999.5f) {
        snprintf(text, size, "%d", int(f + 0.5f));
    } else {
        int e = int(log10f(a));
        float m = f / powf(10.0f, float(e));
        // The mantissa would print as 10.00: carry into the exponent, for
        // negative values as for positive ones.
        if (fabsf(m) > 9.995f) {
            m = m > 0 ? 1.0f : -1.0f;
            e++;
        }
        snprintf(text, size, a < 9.95e9f ? "%.2fe%d" : "%.1fe%d", double(m), e);
    }
}

const char* FormatFloatValue(float f)
{
    static char text[16];
    formatFloatValue(f, text, sizeof text);
    return text;
}

void FormatFloatTriple(char* text, size_t size, int channel, const float values[3])
{
    if (channel != 0) {
        snprintf(text, size, "%s", FormatFloatValue(values[0]));
        return;
    }
    snprintf(text, size, "%s, ", FormatFloatValue(values[0]));
    size_t n = strlen(text);
    snprintf(text + n, size - n, "%s, ", FormatFloatValue(values[1]));
    n = strlen(text);
    snprintf(text + n, size - n, "%s", FormatFloatValue(values[2]));
}

static void formatBytes(char* text, size_t size, int channel, const uint8_t v[3])
{
    if (channel != 0)
        snprintf(text, size, "%d", v[0]);
    else
        snprintf(text, size, "%d, %d, %d", v[0], v[1], v[2]);
}

void formatPixelValues(const View* view, int x, int y, int channel, char* text, size_t size)
{
    if (g_displayType == 0) {
        uint8_t v[3];
        ReadDisplayPixel(view, x, y, channel, v);
        formatBytes(text, size, channel, v);
    } else {
        float v[3];
        ReadImagePixel(view, x, y, channel, v);
        FormatFloatTriple(text, size, channel, v);
    }
}

// The bytes the difference view shows at (x, y), picked for the channel view
// as ReadDisplayPixel picks them.
static void differenceBytes(const View* current, const View* reference, int x, int y, int channel, uint8_t out[3])
{
    const Image* a = current->image;
    const Image* b = reference->image;
    const size_t i = size_t(a->width) * size_t(y) + size_t(x), j = size_t(b->width) * size_t(y) + size_t(x);
    const float cur[4] = {a->red[i], a->green[i], a->blue[i], a->alpha[i]};
    const float ref[4] = {b->red[j], b->green[j], b->blue[j], b->alpha[j]};
    uint8_t bgr[3], alpha;
    differencePixel(cur, ref, a->black, a->white - a->black, bgr, &alpha);
    pickChannel(bgr, alpha, channel, out);
}

void formatCompareValues(const View* current, const View* reference, int x, int y, int channel, char* text,
                         size_t size)
{
    const Image* r = reference ? reference->image : nullptr;
    if (!r || x >= r->width || y >= r->height) {
        formatPixelValues(current, x, y, channel, text, size);
        return;
    }
    char parts[3][32];
    // A single channel fills the first of each three; the others are zero,
    // never read unset.
    if (g_displayType == 0) {
        uint8_t v[3][3] = {};
        ReadDisplayPixel(current, x, y, channel, v[0]);
        ReadDisplayPixel(reference, x, y, channel, v[1]);
        differenceBytes(current, reference, x, y, channel, v[2]);
        for (int k = 0; k < 3; k++) formatBytes(parts[k], sizeof parts[k], channel, v[k]);
    } else {
        float v[3][3] = {};
        ReadImagePixel(current, x, y, channel, v[0]);
        ReadImagePixel(reference, x, y, channel, v[1]);
        for (int c = 0; c < 3; c++) v[2][c] = fabsf(v[0][c] - v[1][c]);
        for (int k = 0; k < 3; k++) FormatFloatTriple(parts[k], sizeof parts[k], channel, v[k]);
    }
    snprintf(text, size, "%s | ref %s | diff %s", parts[0], parts[1], parts[2]);
}
