#include "output/iff_writer.h"

#include <stdlib.h>
#include <string.h>

enum { MAX_LITERAL = 128, MAX_RUN = 128, IFF_MAX_SIDE = 65535, BMHD_SIZE = 20 };

// ---- ByteRun1 --------------------------------------------------------------

static uint8_t* emitLiteral(uint8_t* out, const uint8_t* from, size_t n)
{
    *out++ = uint8_t(n - 1);
    memcpy(out, from, n);
    return out + n;
}

static uint8_t* emitRun(uint8_t* out, uint8_t value, size_t n)
{
    *out++ = uint8_t(1 - int(n));  // -1 .. -127 as a byte
    *out++ = value;
    return out;
}

// A segment starts at the first byte not yet written; k bytes of it are
// seen, and the group of equal bytes that may become a run begins at s.
// Runs of three or more, and of two at a segment's start, are repeated.
size_t packByteRun1(const uint8_t* src, uint8_t* dst, size_t count)
{
    if (count == 0) return 0;
    uint8_t* out = dst;
    const uint8_t* segment = src;
    size_t k = 1, s = 0;
    bool run = false;
    uint8_t last = src[0];
    for (size_t i = 1; i < count; i++) {
        const uint8_t b = src[i];
        k++;
        if (!run) {
            if (k > MAX_LITERAL) {
                out = emitLiteral(out, segment, MAX_LITERAL);
                segment = src + i, k = 1, s = 0;
            } else if (b == last) {
                if (k - s >= 3) {
                    if (s > 0) out = emitLiteral(out, segment, s);
                    run = true;
                } else if (s == 0) {
                    run = true;
                }
            } else {
                s = k - 1;
            }
        } else if (b != last || k - s > MAX_RUN) {
            out = emitRun(out, last, k - 1 - s);
            segment = src + i, k = 1, s = 0;
            run = false;
        }
        last = b;
    }
    out = run ? emitRun(out, last, k - s) : emitLiteral(out, segment, k);
    return size_t(out - dst);
}

// ---- bit planes ------------------------------------------------------------

// Entry v of table k spreads the four bits of nibble v over four plane
// bytes of a word (byte b for bit b), each at bit 7 - k.
struct NibbleTables {
    uint32_t entry[8][16];
    constexpr NibbleTables() : entry()
    {
        for (int k = 0; k < 8; k++)
            for (int v = 0; v < 16; v++)
                for (int b = 0; b < 4; b++)
                    if (v & (1 << b)) entry[k][v] |= uint32_t(0x80u >> k) << (8 * b);
    }
};
static constexpr NibbleTables NIBBLES;

void splitPlanes(const uint8_t pixels[8], uint8_t* dst, size_t planeStride)
{
    uint32_t low = 0, high = 0;
    for (int k = 0; k < 8; k++) {
        low |= NIBBLES.entry[k][pixels[k] & 15];
        high |= NIBBLES.entry[k][pixels[k] >> 4];
    }
    for (int b = 0; b < 4; b++) {
        dst[size_t(b) * planeStride] = uint8_t(low >> (8 * b));
        dst[size_t(b + 4) * planeStride] = uint8_t(high >> (8 * b));
    }
}

int32_t planeRowBytes(int32_t width)
{
    return int32_t(((int64_t(width) + 15) & ~int64_t(15)) / 8);
}

// ---- the file --------------------------------------------------------------

// One channel line (one byte a pixel, zero beyond the width) as eight
// compressed plane rows, written at once. The compressed size, 0 on failure.
static size_t writeChannel(ByteSink* sink, uint8_t* work, size_t R)
{
    uint8_t* line = work;
    uint8_t* planes = work + 8 * R;
    uint8_t* packed = work + 16 * R;
    for (size_t g = 0; g < R; g++) splitPlanes(line + 8 * g, planes + g, R);
    size_t n = 0;
    for (int p = 0; p < 8; p++) n += packByteRun1(planes + size_t(p) * R, packed + n, R);
    return sink->write(sink->context, packed, n) ? n : 0;
}

// The BODY chunk; its size with header and pad, 0 on failure.
static long writeBody(ByteSink* sink, const uint8_t* rows, int32_t width, int32_t height, int32_t stride, int bpp,
                      void (*progress)(int))
{
    long lengthAt = sink->tell(sink->context) + 4;
    sink->write(sink->context, "BODY", 4);
    writeBigEndian(sink, 0, 4);
    const size_t R = size_t(planeRowBytes(width));
    // The channel line is 8R bytes; 18R leaves the packer room for the
    // worst case of eight rows that do not compress.
    uint8_t* work = static_cast<uint8_t*>(calloc(34, R));
    if (!work) return 0;
    if (progress) progress(height);
    unsigned long n = 0;
    for (int32_t y = 0; y < height; y++) {
        const uint8_t* row = rows + size_t(height - 1 - y) * size_t(stride);
        for (int c = 0; c < (bpp == 3 ? 3 : 1); c++) {
            int component = bpp == 3 ? 2 - c : 0;  // red, green, blue from blue, green, red
            for (int32_t x = 0; x < width; x++) work[x] = row[size_t(x) * size_t(bpp) + size_t(component)];
            size_t written = writeChannel(sink, work, R);
            if (written == 0) {
                free(work);
                return 0;
            }
            n += written;
        }
        if (progress) progress(0);
    }
    free(work);
    if (n % 2 && !sink->write(sink->context, "", 1)) return 0;
    long end = sink->tell(sink->context);
    if (!sink->seek(sink->context, lengthAt) || !writeBigEndian(sink, n, 4) || !sink->seek(sink->context, end))
        return 0;
    return long(n + n % 2 + 8);
}

static int writeHeader(ByteSink* sink, int32_t width, int32_t height, int bpp)
{
    const uint8_t bmhd[28] = {'B', 'M', 'H', 'D', 0, 0, 0, BMHD_SIZE,
                              uint8_t(width >> 8), uint8_t(width), uint8_t(height >> 8), uint8_t(height),
                              0, 0, 0, 0,  // origin
                              uint8_t(8 * bpp), 0, 1, 0,  // planes, no mask, ByteRun1
                              0, 0, 1, 1,  // transparent colour, aspect
                              uint8_t(width >> 8), uint8_t(width), uint8_t(height >> 8), uint8_t(height)};
    return sink->write(sink->context, bmhd, sizeof bmhd);
}

int writeIffTo(ByteSink* sink, const uint8_t* rows, int32_t width, int32_t height, int32_t stride,
               int bytesPerPixel, void (*progress)(int n))
{
    if (width <= 0 || height <= 0 || width > IFF_MAX_SIDE || height > IFF_MAX_SIDE) return 0;
    if (bytesPerPixel != 1 && bytesPerPixel != 3) return 0;
    if (!sink->write(sink->context, "FORM", 4) || !writeBigEndian(sink, 0, 4) ||
        !sink->write(sink->context, "ILBM", 4))
        return 0;
    writeHeader(sink, width, height, bytesPerPixel);
    long body = writeBody(sink, rows, width, height, stride, bytesPerPixel, progress);
    if (body == 0) return 0;
    unsigned long formLength = 4 + 28 + static_cast<unsigned long>(body);
    return sink->seek(sink->context, 4) && writeBigEndian(sink, formLength, 4);
}

struct IffSource {
    const uint8_t* rows;
    int32_t width, height, stride;
    int bytesPerPixel;
    void (*progress)(int n);
};

static int writeIffSource(ByteSink* sink, const void* context)
{
    const IffSource* s = static_cast<const IffSource*>(context);
    return writeIffTo(sink, s->rows, s->width, s->height, s->stride, s->bytesPerPixel, s->progress);
}

int writeIff(const char* path, const FileReplacer* files, const uint8_t* rows, int32_t width, int32_t height,
             int32_t stride, int bytesPerPixel, void (*progress)(int n))
{
    const IffSource source = {rows, width, height, stride, bytesPerPixel, progress};
    return writeFileReplacing(path, files, writeIffSource, &source);
}
