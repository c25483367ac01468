// One rendered frame at full float precision, with the facts of its render.
// Channels are row-major, row 0 at the top of the picture, stored exactly as
// the host delivered them (no clamping, no scaling).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "sdk/lwservices.h"

// The host's scene record, copied raw: 104 bytes in a 32-bit host, the
// same declaration's natural size in a 64-bit one.
enum { SCENE_FACTS_SIZE = sizeof(LWSceneInfo) };
enum SceneFact : size_t {
    SCENE_POINTS = offsetof(LWSceneInfo, numPoints),
    SCENE_POLYGONS = offsetof(LWSceneInfo, numPolygons),
    SCENE_RENDER_OPTS = offsetof(LWSceneInfo, renderOpts),
    SCENE_FPS = offsetof(LWSceneInfo, framesPerSecond),
    SCENE_AA_PASSES = offsetof(LWSceneInfo, maxSamplesPerPixel),
    SCENE_RECURSION = offsetof(LWSceneInfo, recursionDepth),
};

struct Image {
    int32_t width;
    int32_t height;
    int32_t imageNumber;   // the session's begin count; 0 for a region copy
    int32_t creationTime;  // seconds since 1970
    int32_t renderTime;    // tenths of a second
    int32_t frameNumber;
    uint8_t sceneFacts[SCENE_FACTS_SIZE];
    float black;
    float white;
    float* red;
    float* green;
    float* blue;
    float* alpha;
};

// Null when the size is not positive, its buffers cannot be sized, or
// memory runs out; in every failure nothing stays allocated. The channels'
// contents are undefined until rows are stored.
Image* newImage(int width, int height, int imageNumber, int renderTime);
void freeImage(Image* image);

// An image a new frame replaces in the viewer: its channels serve the next
// newImage of the same size, so that frame is written into memory the
// process already has instead of new pages. One image at most is kept (an
// earlier one is freed); any thread may give or take.
void recycleImage(Image* image);
// Frees the image kept for reuse, if any.
void releaseRecycledImage();

// Copies width floats of each channel into row; rows outside the image are
// ignored.
void storeImageRow(Image* image, int row, const float* red, const float* green, const float* blue,
                   const float* alpha);

// The caller keeps the rectangle inside the source (and the piece inside the
// target); both functions also refuse rectangles that are not.
Image* copyImageRegion(const Image* source, int x, int y, int w, int h);
void pasteImageRegion(const Image* piece, Image* target, int x, int y);

int32_t sceneFactInt(const Image* image, SceneFact fact);
double sceneFactDouble(const Image* image, SceneFact fact);
