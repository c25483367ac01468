#include "display/safe_areas.h"

#include <math.h>

// Truncation toward zero of a value that may lie beyond 32 bits.
static int32_t truncated(double v)
{
    if (!(v > -1e9)) return v != v ? 0 : -1000000000;
    if (v > 1e9) return 1000000000;
    return int32_t(v);
}

static SafeShape insetShape(int32_t width, int32_t height, int32_t mx, int32_t my)
{
    SafeShape s = {mx, my, width - mx, height - my, 0};
    s.corner = (s.bottom - s.top) / 2;
    return s;
}

// The frame spans the width inside the margin and is centred vertically
// when the image is narrower than the frame, else the height (equal
// aspects included), centred horizontally. In single precision.
static SafeShape frameShape(int32_t width, int32_t height, float aspect, float margin)
{
    SafeShape s = {0, 0, 0, 0, 0};
    if (float(width) / float(height) < aspect) {
        s.left = truncated(margin * float(width));
        s.right = width - s.left;
        int32_t inner = s.right - s.left + 1;
        int32_t h = truncated(float(inner) / aspect);
        s.top = (height - h) / 2;
        s.bottom = s.top + h;
    } else {
        s.top = truncated(margin * float(height));
        s.bottom = height - s.top;
        int32_t inner = s.bottom - s.top + 1;
        int32_t w = truncated(float(inner) * aspect);
        s.left = (width - w) / 2;
        s.right = s.left + w;
    }
    return s;
}

SafeShapes safeShapes(int32_t width, int32_t height, const SafeParams& p)
{
    SafeShapes shapes = {};
    if (width <= 0 || height <= 0) return shapes;
    if (p.kinds & SAFE_VIDEO) {
        int32_t mx = int32_t(int64_t(width) * 5 / 100), my = int32_t(int64_t(height) * 5 / 100);
        shapes.video = true;
        shapes.action = insetShape(width, height, mx, my);
        shapes.title = insetShape(width, height, 2 * mx, 2 * my);
    }
    if ((p.kinds & SAFE_CUSTOM) && p.frameAspect > 0.0f && isfinite(p.frameAspect)) {
        float margin = p.frameMargin >= 0.0f ? (p.frameMargin <= 0.5f ? p.frameMargin : 0.5f) : 0.0f;
        shapes.custom = true;
        shapes.frame = frameShape(width, height, p.frameAspect, margin);
    }
    return shapes;
}
