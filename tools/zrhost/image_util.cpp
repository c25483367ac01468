// "Image Utility": float pixmaps and the host's own image savers: a
// Portable Float Map writer, a Targa writer, and raw float samples, whose
// name gives no extension, as some hosts' savers do not.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "zrhost/host_services.h"

struct Pixmap {
    int width;
    int height;
    int channels;  // 1 for grey, 3 for RGB, 4 for RGBA
    float* samples;
};

static int channelsOf(int type)
{
    switch (type) {
    case LWIMTYP_GREYFP: return 1;
    case LWIMTYP_RGBFP: return 3;
    case LWIMTYP_RGBAFP: return 4;
    default: return 0;
    }
}

static LWPixmapID pixmapCreate(int width, int height, int type)
{
    int channels = channelsOf(type);
    if (channels == 0 || width <= 0 || height <= 0) return nullptr;
    if (size_t(width) * size_t(height) > SIZE_MAX / sizeof(float) / channels) return nullptr;
    Pixmap* p = static_cast<Pixmap*>(calloc(1, sizeof(Pixmap)));
    if (!p) return nullptr;
    p->samples = static_cast<float*>(calloc(size_t(width) * height * channels, sizeof(float)));
    if (!p->samples) {
        free(p);
        return nullptr;
    }
    p->width = width;
    p->height = height;
    p->channels = channels;
    return p;
}

static void pixmapDestroy(LWPixmapID id)
{
    Pixmap* p = static_cast<Pixmap*>(id);
    if (!p) return;
    free(p->samples);
    free(p);
}

static void pixmapSetPixel(LWPixmapID id, int x, int y, void* pixel)
{
    Pixmap* p = static_cast<Pixmap*>(id);
    if (!p || !pixel || x < 0 || y < 0 || x >= p->width || y >= p->height) return;
    const float* in = static_cast<const float*>(pixel);
    float* out = p->samples + (size_t(y) * p->width + x) * p->channels;
    for (int c = 0; c < p->channels; c++) out[c] = in[c];
}

static void pixmapGetPixel(LWPixmapID id, int x, int y, void* pixel)
{
    const Pixmap* p = static_cast<const Pixmap*>(id);
    if (!p || !pixel || x < 0 || y < 0 || x >= p->width || y >= p->height) return;
    const float* in = p->samples + (size_t(y) * p->width + x) * p->channels;
    float* out = static_cast<float*>(pixel);
    for (int c = 0; c < p->channels; c++) out[c] = in[c];
}

static float sampleAt(const Pixmap* p, int x, int y, int c)
{
    if (p->channels == 1) c = 0;
    if (c >= p->channels) return 1.0f;  // opaque when there is no alpha
    return p->samples[(size_t(y) * p->width + x) * p->channels + c];
}

// Portable Float Map: rows bottom-up, little-endian (negative scale).
static int savePfm(const Pixmap* p, FILE* f)
{
    int grey = p->channels == 1;
    fprintf(f, "%s\n%d %d\n-1.0\n", grey ? "Pf" : "PF", p->width, p->height);
    for (int y = p->height - 1; y >= 0; y--)
        for (int x = 0; x < p->width; x++)
            for (int c = 0; c < (grey ? 1 : 3); c++) {
                float v = sampleAt(p, x, y, c);
                fwrite(&v, sizeof v, 1, f);
            }
    return 1;
}

static unsigned char toByte(float v)
{
    if (!(v > 0.0f)) return 0;
    if (v >= 1.0f) return 255;
    return static_cast<unsigned char>(v * 255.0f);
}

// Uncompressed 32-bit Targa, top-left origin.
static int saveTga(const Pixmap* p, FILE* f)
{
    unsigned char header[18] = {0, 0, 2};
    header[12] = p->width & 0xFF;
    header[13] = (p->width >> 8) & 0xFF;
    header[14] = p->height & 0xFF;
    header[15] = (p->height >> 8) & 0xFF;
    header[16] = 32;
    header[17] = 0x28;  // 8 alpha bits, rows top first
    if (p->width > 0xFFFF || p->height > 0xFFFF) return 0;
    fwrite(header, 1, sizeof header, f);
    for (int y = 0; y < p->height; y++)
        for (int x = 0; x < p->width; x++) {
            unsigned char bgra[4] = {toByte(sampleAt(p, x, y, 2)), toByte(sampleAt(p, x, y, 1)),
                                     toByte(sampleAt(p, x, y, 0)), toByte(sampleAt(p, x, y, 3))};
            fwrite(bgra, 1, 4, f);
        }
    return 1;
}

// "ZRAW", width and height as 32-bit little-endian numbers, then every
// sample of every channel, row by row from the top.
static int saveRaw(const Pixmap* p, FILE* f)
{
    uint32_t header[3] = {0x5741525Au, uint32_t(p->width), uint32_t(p->height)};
    if (fwrite(header, sizeof header, 1, f) != 1) return 0;
    size_t count = size_t(p->width) * size_t(p->height) * size_t(p->channels);
    return fwrite(p->samples, sizeof(float), count, f) == count;
}

static const struct {
    const char* name;
    int (*write)(const Pixmap*, FILE*);
} savers[] = {
    {"Portable Float Map (.pfm)", savePfm},
    {"Targa (.tga)", saveTga},
    {"Raw float samples", saveRaw},
};
static const int saverTotal = sizeof savers / sizeof savers[0];

static int pixmapSave(LWPixmapID id, int saver, const char* name)
{
    const Pixmap* p = static_cast<const Pixmap*>(id);
    if (!p || !name || saver < 0 || saver >= saverTotal) return 0;
    FILE* f = fopen(name, "wb");
    if (!f) return 0;
    int ok = savers[saver].write(p, f);
    ok = (fclose(f) == 0) && ok;
    if (!ok) remove(name);
    return ok;
}

static int saverCount(void)
{
    return saverTotal;
}

static const char* saverName(int index)
{
    return index >= 0 && index < saverTotal ? savers[index].name : nullptr;
}

static LWImageUtil g_imageUtil = {
    pixmapCreate, pixmapDestroy, pixmapSave, pixmapSetPixel, pixmapGetPixel, nullptr, nullptr, saverCount, saverName,
};

LWImageUtil* hostImageUtil()
{
    return &g_imageUtil;
}
