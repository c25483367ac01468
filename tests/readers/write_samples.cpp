// Writes IFF and BMP files of bitmaps with known pixels, and the pixels
// themselves as raw RGB (top row first), so that readers that are not ours
// can be asked what the files hold. Run: write_samples OUTDIR
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "image/display_bitmap.h"
#include "output/bmp_writer.h"
#include "output/iff_writer.h"
#include "../native/disk_files.h"

namespace {

uint32_t g_state = 12345;

uint8_t randomByte()
{
    g_state ^= g_state << 13;
    g_state ^= g_state >> 17;
    g_state ^= g_state << 5;
    return uint8_t(g_state >> 11);
}

// The bitmap's pixels as raw red, green, blue bytes, top row first (grey
// as three equal bytes), as the readers are asked to give them.
bool writeExpected(const std::string& path, const DisplayBitmap* b, int bpp)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    for (int y = 0; y < b->height; y++) {
        const uint8_t* row = bitmapRow(b, y);
        for (int x = 0; x < b->width; x++) {
            const uint8_t rgb[3] = {row[bpp * x + (bpp == 3 ? 2 : 0)], row[bpp * x + (bpp == 3 ? 1 : 0)], row[bpp * x]};
            fwrite(rgb, 1, 3, f);
        }
    }
    return fclose(f) == 0;
}

bool writeCase(const std::string& dir, int width, int height, int bpp, bool flat)
{
    DisplayBitmap* b = bpp == 3 ? newColourBitmap(width, height) : newGreyBitmap(width, height);
    if (!b) return false;
    const uint8_t level = randomByte();
    for (int32_t i = 0; i < b->stride * height; i++) b->pixels[i] = flat ? level : randomByte();
    std::string name = dir + "/" + std::to_string(width) + "x" + std::to_string(height) + (bpp == 3 ? "-rgb" : "-grey") +
                       (flat ? "-flat" : "-random");
    bool ok = writeIff((name + ".iff").c_str(), diskFiles(), b->pixels, width, height, b->stride, bpp, nullptr) &&
              WriteBmpFile((name + ".bmp").c_str(), diskFiles(), &b->header, b->pixels, b->stride) &&
              writeExpected(name + ".rgb", b, bpp);
    freeDisplayBitmap(b);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fputs("usage: write_samples OUTDIR\n", stderr);
        return 2;
    }
    const int sizes[][2] = {{1, 1}, {2, 3}, {17, 5}, {255, 7}, {640, 480}, {1920, 1080}};
    for (const auto& s : sizes)
        for (int bpp : {3, 1})
            for (bool flat : {false, true})
                if (!writeCase(argv[1], s[0], s[1], bpp, flat)) {
                    fprintf(stderr, "write_samples: could not write %dx%d\n", s[0], s[1]);
                    return 1;
                }
    return 0;
}
