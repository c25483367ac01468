// Images and views for the tests.
#pragma once

#include <stdint.h>

#include <memory>

#include "image/slots.h"

struct ImageDeleter {
    void operator()(Image* image) const { freeImage(image); }
};
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

struct ViewDeleter {
    void operator()(View* view) const { freeView(view); }
};
using ViewPtr = std::unique_ptr<View, ViewDeleter>;

// A small deterministic generator, the same on every platform.
struct TestRandom {
    uint32_t state;
    explicit TestRandom(uint32_t seed) : state(seed ? seed : 1) {}
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    float unit() { return float(next() >> 8) / float(1 << 24); }
};

// An image of random samples in [-0.5, 1.5] with NaN, infinities and
// exact byte boundaries mixed in.
Image* randomImage(int width, int height, uint32_t seed);

// A view whose display bitmaps are filled with canary bytes, padding
// included, so tests can tell written bytes from untouched ones.
View* canaryView(Image* image, uint8_t canary);
