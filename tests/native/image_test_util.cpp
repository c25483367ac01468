#include "image_test_util.h"

#include <math.h>
#include <string.h>

#include <initializer_list>

Image* randomImage(int width, int height, uint32_t seed)
{
    Image* image = newImage(width, height, 1, 0);
    TestRandom rng(seed);
    float* channels[4] = {image->red, image->green, image->blue, image->alpha};
    size_t n = size_t(width) * size_t(height);
    for (float* c : channels) {
        for (size_t i = 0; i < n; i++) {
            uint32_t kind = rng.next() % 64;
            if (kind == 0) c[i] = NAN;
            else if (kind == 1) c[i] = INFINITY;
            else if (kind == 2) c[i] = -INFINITY;
            else if (kind == 3) c[i] = float(rng.next() % 256) / 255.0f;
            else c[i] = rng.unit() * 2.0f - 0.5f;
        }
    }
    return image;
}

View* canaryView(Image* image, uint8_t canary)
{
    View* view = newView(image);
    if (!view) return nullptr;
    for (DisplayBitmap* bm : {view->colour, view->alpha, view->hotMask, view->safeOverlay})
        memset(bm->pixels, canary, size_t(bm->stride) * size_t(bm->height));
    return view;
}
