// The host services a frame buffer plug-in asks the Global lookup for, and
// the records they return.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "lwio.h"

extern "C" {

#define LWHOSTDISPLAYINFO_GLOBAL "Host Display Info"
#define LWDIRINFOFUNC_GLOBAL "Directory Info"
#define LWIMAGEUTIL_GLOBAL "Image Utility"
#define LWFILEIOFUNCS_GLOBAL "File IO"
#define LWINTERFACEINFO_GLOBAL "LW Interface Info 3"
#define LWSCENEINFO_GLOBAL "LW Scene Info 3"

struct HostDisplayInfo {
    void* instance;  // the host's module handle; unread
    void* window;    // the host's main window (an HWND)
};

// "Directory Info" is the function itself: kind ("Settings", "Output") to
// folder path, or null.
typedef const char* (*LWDirInfoFunc)(const char* kind);

typedef void* LWPixmapID;
enum {
    LWIMTYP_RGB24 = 0,
    LWIMTYP_GREY8 = 1,
    LWIMTYP_INDEX8 = 2,
    LWIMTYP_GREYFP = 3,  // one float per pixel
    LWIMTYP_RGBFP = 4,
    LWIMTYP_RGBA32 = 5,
    LWIMTYP_RGBAFP = 6,  // four floats per pixel: red, green, blue, alpha
};

struct LWImageUtil {
    LWPixmapID (*create)(int width, int height, int type);
    void (*destroy)(LWPixmapID pixmap);
    int (*save)(LWPixmapID pixmap, int saver, const char* name);  // 1 on success
    void (*setPixel)(LWPixmapID pixmap, int x, int y, void* pixel);
    void (*getPixel)(LWPixmapID pixmap, int x, int y, void* pixel);  // not called
    void* (*getInfo)(LWPixmapID pixmap, int* type, int* width, int* height);  // not called
    LWPixmapID (*resample)(LWPixmapID pixmap, int width, int height, int mode);  // not called
    int (*saverCount)(void);
    const char* (*saverName)(int index);
};

struct LWFileIOFuncs {
    LWSaveState* (*openSave)(const char* name, int ioMode);
    void (*closeSave)(LWSaveState* ss);
    LWLoadState* (*openLoad)(const char* name, int ioMode);
    void (*closeLoad)(LWLoadState* ls);
};

struct LWInterfaceInfo {
    double curTime;  // seconds; the only field the plug-in reads
    uint32_t selItems;
    uint32_t generalFlags;
};

// "LW Scene Info 3", as far as the plug-in keeps it: the image's Scene facts
// are a raw copy of this record, whose fields are read by offsetof.
struct LWSceneInfo {
    const char* name;  // never read: the pointers do not outlive the render
    const char* filename;
    int32_t numPoints;
    int32_t numPolygons;
    int32_t renderType;
    int32_t renderOpts;
    int32_t frameStart;
    int32_t frameEnd;
    int32_t frameStep;
    double framesPerSecond;
    int32_t frameWidth;
    int32_t frameHeight;
    double pixelAspect;
    int32_t minSamplesPerPixel;
    int32_t maxSamplesPerPixel;  // anti-aliasing passes
    int32_t limitedRegion[4];
    int32_t recursionDepth;
    int32_t reserved[3];
};

// Render option bits of LWSceneInfo::renderOpts.
enum {
    LWROPT_SHADOWTRACE = 1 << 0,
    LWROPT_REFLECTTRACE = 1 << 1,
    LWROPT_REFRACTTRACE = 1 << 2,
    LWROPT_FIELDS = 1 << 3,
    LWROPT_EVENFIELDS = 1 << 4,
    LWROPT_MOTIONBLUR = 1 << 5,
    LWROPT_DEPTHOFFIELD = 1 << 6,
    LWROPT_LIMITEDREGION = 1 << 7,
};

}  // extern "C"

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(HostDisplayInfo, window) == 4, "host display info: window is field 2");
static_assert(sizeof(LWImageUtil) == 36, "image utility: nine slots");
static_assert(offsetof(LWImageUtil, save) == 8, "image utility: save is slot 3");
static_assert(offsetof(LWImageUtil, setPixel) == 12, "image utility: set pixel is slot 4");
static_assert(offsetof(LWImageUtil, saverCount) == 28, "image utility: saver count is slot 8");
static_assert(offsetof(LWImageUtil, saverName) == 32, "image utility: saver name is slot 9");
static_assert(sizeof(LWFileIOFuncs) == 16, "file I/O: four functions");
static_assert(offsetof(LWFileIOFuncs, openLoad) == 8, "file I/O: open for loading is slot 3");
static_assert(sizeof(LWSceneInfo) == 104, "scene info: the 104 bytes kept as Scene facts");
static_assert(offsetof(LWSceneInfo, numPoints) == 8, "scene info: points at 8");
static_assert(offsetof(LWSceneInfo, numPolygons) == 12, "scene info: polygons at 12");
static_assert(offsetof(LWSceneInfo, renderOpts) == 20, "scene info: render options at 20");
static_assert(offsetof(LWSceneInfo, framesPerSecond) == 40, "scene info: frames per second at 40");
static_assert(offsetof(LWSceneInfo, maxSamplesPerPixel) == 68, "scene info: AA passes at 68");
static_assert(offsetof(LWSceneInfo, recursionDepth) == 88, "scene info: recursion depth at 88");
#endif
