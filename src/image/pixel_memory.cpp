#include "image/pixel_memory.h"

#include <stdlib.h>

#include <atomic>

static int g_failAfter = -1;
static std::atomic<int> g_live;  // the host's thread allocates channels while the viewer frees

static void* allocate(size_t bytes, bool cleared)
{
    if (g_failAfter == 0) {
        g_failAfter = -1;
        return nullptr;
    }
    if (g_failAfter > 0) g_failAfter--;
    void* pixels = cleared ? calloc(bytes, 1) : malloc(bytes);
    if (pixels) g_live++;
    return pixels;
}

void* allocatePixels(size_t bytes)
{
    return allocate(bytes, false);
}

void* allocateClearedPixels(size_t bytes)
{
    return allocate(bytes, true);
}

void releasePixels(void* pixels)
{
    if (pixels) g_live--;
    free(pixels);
}

int livePixelBuffers()
{
    return g_live;
}

void failPixelAllocationAfter(int n)
{
    g_failAfter = n;
}
