// The records that frame buffer activation fills: the handler record with
// its instance-function table, and the interface record. The host owns
// them; the plug-in writes only the slots named below.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "lwio.h"
#include "lwmodule.h"

extern "C" {

#define LWFRAMEBUFFER_HCLASS "FrameBufferHandler"
#define LWFRAMEBUFFER_ICLASS "FrameBufferInterface"
enum { LWFRAMEBUFFER_VERSION = 4 };

struct LWInstanceFuncs {
    void* priv;  // the host's; not written by the plug-in
    LWInstance (*create)(void* priv, void* context, LWError* err);
    void (*destroy)(LWInstance inst);
    LWError (*copy)(LWInstance to, LWInstance from);
    LWError (*load)(LWInstance inst, const LWLoadState* ls);
    LWError (*save)(LWInstance inst, const LWSaveState* ss);
    const char* (*descln)(LWInstance inst);  // not written by the plug-in
};

enum { LWFBT_FLOAT = 1 };  // rows arrive as single-precision floats

struct LWFrameBufferHandler {
    LWInstanceFuncs* inst;
    void* item;  // the host's; not written by the plug-in
    int type;
    LWError (*open)(LWInstance inst, int width, int height);
    void (*close)(LWInstance inst);
    LWError (*begin)(LWInstance inst);
    // Each argument points to width floats of one channel of one row.
    LWError (*write)(LWInstance inst, const void* red, const void* green, const void* blue, const void* alpha);
    void (*pause)(LWInstance inst);
};

struct LWInterface {
    LWInstance inst;  // the host's; not written by the plug-in
    void* panel;
    LWError (*options)(LWInstance inst);
    LWError (*command)(LWInstance inst, const char* cmd);
};

}  // extern "C"

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(LWInstanceFuncs, create) == 4, "instance functions: create is slot 2");
static_assert(offsetof(LWInstanceFuncs, destroy) == 8, "instance functions: destroy is slot 3");
static_assert(offsetof(LWInstanceFuncs, copy) == 12, "instance functions: copy is slot 4");
static_assert(offsetof(LWInstanceFuncs, load) == 16, "instance functions: load is slot 5");
static_assert(offsetof(LWInstanceFuncs, save) == 20, "instance functions: save is slot 6");
static_assert(sizeof(LWFrameBufferHandler) == 32, "handler record: eight slots");
static_assert(offsetof(LWFrameBufferHandler, type) == 8, "handler record: buffer type is slot 3");
static_assert(offsetof(LWFrameBufferHandler, open) == 12, "handler record: open is slot 4");
static_assert(offsetof(LWFrameBufferHandler, close) == 16, "handler record: close is slot 5");
static_assert(offsetof(LWFrameBufferHandler, begin) == 20, "handler record: begin is slot 6");
static_assert(offsetof(LWFrameBufferHandler, write) == 24, "handler record: write is slot 7");
static_assert(offsetof(LWFrameBufferHandler, pause) == 28, "handler record: pause is slot 8");
static_assert(sizeof(LWInterface) == 16, "interface record: four slots");
static_assert(offsetof(LWInterface, options) == 8, "interface record: options is slot 3");
#endif
