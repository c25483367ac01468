#include "host/session.h"

#include <string.h>

#include "host/services.h"
#include "host/viewer_handoff.h"
#include "settings/settings.h"

static uint32_t millisecondClock()
{
    return sessionPlatform().milliseconds();
}

int32_t renderTimeTenths(uint32_t since, uint32_t now)
{
    // The unsigned difference survives the clock wrapping in between.
    return int32_t((now - since) / 100u);
}

// The host's time now: it moves on with every frame of a sequence.
static float hostCurrentTime()
{
    const LWInterfaceInfo* info = static_cast<const LWInterfaceInfo*>(lookupService(LWINTERFACEINFO_GLOBAL));
    return info ? float(info->curTime) : 0.0f;
}

int32_t frameNumberAt(double fps, float currentTime)
{
    return int32_t(fps * double(currentTime) + 0.5);
}

LWError fbOpen(LWInstance inst, int width, int height)
{
    FrameBufferSession* s = static_cast<FrameBufferSession*>(inst);
    s->width = width;
    s->height = height;
    s->frameClock = millisecondClock();
    return nullptr;
}

LWError fbBegin(LWInstance inst)
{
    FrameBufferSession* s = static_cast<FrameBufferSession*>(inst);
    freeImage(s->image);  // a frame begun but never paused is dropped
    s->image = nullptr;

    s->beginCount++;
    int32_t renderTime = renderTimeTenths(s->frameClock, millisecondClock());
    s->image = newImage(s->width, s->height, s->beginCount, renderTime);
    if (!s->image) return "ZR couldn't allocate image buffer.";
    s->row = 0;

    const void* scene = lookupService(LWSCENEINFO_GLOBAL);
    if (!scene) return nullptr;
    memcpy(s->image->sceneFacts, scene, SCENE_FACTS_SIZE);
    s->image->frameNumber = frameNumberAt(sceneFactDouble(s->image, SCENE_FPS), hostCurrentTime());
    return nullptr;
}

// After a failed begin the host ends the render; rows without an image
// (or beyond its height) are ignored by storeImageRow.
LWError fbWrite(LWInstance inst, const void* red, const void* green, const void* blue, const void* alpha)
{
    FrameBufferSession* s = static_cast<FrameBufferSession*>(inst);
    storeImageRow(s->image, s->row++, static_cast<const float*>(red), static_cast<const float*>(green),
                  static_cast<const float*>(blue), static_cast<const float*>(alpha));
    return nullptr;
}

void fbPause(LWInstance inst)
{
    FrameBufferSession* s = static_cast<FrameBufferSession*>(inst);
    if (!s->image) return;  // begin failed: the host ends the render
    if (settingsRecord()->closeRenderStatus) sessionPlatform().closeRenderStatus();
    Image* image = s->image;
    s->image = nullptr;
    sessionPlatform().handImageToViewer(image);
    s->frameClock = millisecondClock();  // the next frame's render starts now
}

void fbClose(LWInstance inst)
{
    FrameBufferSession* s = static_cast<FrameBufferSession*>(inst);
    freeImage(s->image);
    s->image = nullptr;
}
