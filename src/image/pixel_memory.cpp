#include "image/pixel_memory.h"

#include <stdlib.h>

static int g_failAfter = -1;

void* allocatePixels(size_t bytes)
{
    if (g_failAfter == 0) {
        g_failAfter = -1;
        return nullptr;
    }
    if (g_failAfter > 0) g_failAfter--;
    return malloc(bytes);
}

void releasePixels(void* pixels)
{
    free(pixels);
}

void failPixelAllocationAfter(int n)
{
    g_failAfter = n;
}
