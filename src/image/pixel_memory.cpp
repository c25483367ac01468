#include "image/pixel_memory.h"

#include <stdlib.h>

#include <atomic>

static int g_failAfter = -1;
static std::atomic<int> g_live;  // the host's thread allocates channels while the viewer frees

void* allocatePixels(size_t bytes)
{
    if (g_failAfter == 0) {
        g_failAfter = -1;
        return nullptr;
    }
    if (g_failAfter > 0) g_failAfter--;
    void* pixels = malloc(bytes);
    if (pixels) g_live++;
    return pixels;
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
