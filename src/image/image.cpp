#include "image/image.h"

#include "image/pixel_memory.h"

#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <atomic>

// Every channel's byte size and every sample index must fit a signed
// 32-bit value and a size_t, in the 32-bit build too.
static int sizeIsAcceptable(int width, int height)
{
    const int64_t maxPixels = INT32_MAX / int64_t(sizeof(float));
    return width > 0 && height > 0 && int64_t(width) * height <= maxPixels;
}

// The viewer's thread gives, the host's thread takes.
static std::atomic<Image*> g_recycled;

void recycleImage(Image* image)
{
    freeImage(g_recycled.exchange(image));
}

void releaseRecycledImage()
{
    freeImage(g_recycled.exchange(nullptr));
}

// The recycled image when it has this size, its record cleared and its
// channels kept; otherwise it is freed, and the result is null.
static Image* takeRecycled(int width, int height)
{
    Image* image = g_recycled.exchange(nullptr);
    if (!image || image->width != width || image->height != height) {
        freeImage(image);
        return nullptr;
    }
    float* const channels[4] = {image->red, image->green, image->blue, image->alpha};
    memset(image, 0, sizeof *image);
    image->red = channels[0];
    image->green = channels[1];
    image->blue = channels[2];
    image->alpha = channels[3];
    return image;
}

static Image* allocateImage(int width, int height)
{
    Image* image = static_cast<Image*>(calloc(1, sizeof(Image)));
    if (!image) return nullptr;
    size_t bytes = size_t(width) * size_t(height) * sizeof(float);
    image->red = static_cast<float*>(allocatePixels(bytes));
    image->green = static_cast<float*>(allocatePixels(bytes));
    image->blue = static_cast<float*>(allocatePixels(bytes));
    image->alpha = static_cast<float*>(allocatePixels(bytes));
    if (!image->red || !image->green || !image->blue || !image->alpha) {
        freeImage(image);
        return nullptr;
    }
    return image;
}

Image* newImage(int width, int height, int imageNumber, int renderTime)
{
    if (!sizeIsAcceptable(width, height)) return nullptr;
    Image* image = takeRecycled(width, height);
    if (!image) image = allocateImage(width, height);
    if (!image) return nullptr;
    image->width = width;
    image->height = height;
    image->imageNumber = imageNumber;
    image->renderTime = renderTime;
    image->creationTime = int32_t(time(nullptr));
    image->black = 0.0f;
    image->white = 1.0f;
    return image;
}

void freeImage(Image* image)
{
    if (!image) return;
    releasePixels(image->red);
    releasePixels(image->green);
    releasePixels(image->blue);
    releasePixels(image->alpha);
    free(image);
}

void storeImageRow(Image* image, int row, const float* red, const float* green, const float* blue,
                   const float* alpha)
{
    if (!image || row < 0 || row >= image->height) return;
    size_t at = size_t(row) * size_t(image->width);
    size_t bytes = size_t(image->width) * sizeof(float);
    memcpy(image->red + at, red, bytes);
    memcpy(image->green + at, green, bytes);
    memcpy(image->blue + at, blue, bytes);
    memcpy(image->alpha + at, alpha, bytes);
}

static int rectInside(const Image* image, int x, int y, int w, int h)
{
    return x >= 0 && y >= 0 && w > 0 && h > 0 && w <= image->width - x && h <= image->height - y;
}

// Copies h rows of w floats of all four channels between two images.
static void copyRows(const Image* from, int fx, int fy, Image* to, int tx, int ty, int w, int h)
{
    const float* const src[4] = {from->red, from->green, from->blue, from->alpha};
    float* const dst[4] = {to->red, to->green, to->blue, to->alpha};
    size_t bytes = size_t(w) * sizeof(float);
    for (int r = 0; r < h; r++) {
        size_t s = size_t(fy + r) * size_t(from->width) + size_t(fx);
        size_t d = size_t(ty + r) * size_t(to->width) + size_t(tx);
        for (int c = 0; c < 4; c++) memcpy(dst[c] + d, src[c] + s, bytes);
    }
}

Image* copyImageRegion(const Image* source, int x, int y, int w, int h)
{
    if (!source || !rectInside(source, x, y, w, h)) return nullptr;
    Image* piece = newImage(w, h, 0, 0);
    if (!piece) return nullptr;
    piece->black = source->black;
    piece->white = source->white;
    copyRows(source, x, y, piece, 0, 0, w, h);
    return piece;
}

void pasteImageRegion(const Image* piece, Image* target, int x, int y)
{
    if (!piece || !target || !rectInside(target, x, y, piece->width, piece->height)) return;
    copyRows(piece, 0, 0, target, x, y, piece->width, piece->height);
}

int32_t sceneFactInt(const Image* image, SceneFact fact)
{
    int32_t v;
    memcpy(&v, image->sceneFacts + fact, sizeof v);
    return v;
}

double sceneFactDouble(const Image* image, SceneFact fact)
{
    double v;
    memcpy(&v, image->sceneFacts + fact, sizeof v);
    return v;
}
