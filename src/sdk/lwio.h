// The host's load and save states: typed transfers and nested, identified
// blocks, used for the settings block in scenes and in the configuration
// file. Every function takes the state's own handle first.
#pragma once

#include <stddef.h>
#include <stdint.h>

extern "C" {

typedef uint32_t LWID;

constexpr LWID LWIDMAKE(char a, char b, char c, char d)
{
    return (LWID(uint8_t(a)) << 24) | (LWID(uint8_t(b)) << 16) | (LWID(uint8_t(c)) << 8) | LWID(uint8_t(d));
}

// A block identifier; lists of them end with {0, null}.
struct LWBlockIdent {
    LWID id;
    const char* token;
};

enum { LWIO_OBJECT = 0, LWIO_SCENE = 1 };  // 1: the host's text form

struct LWLoadState {
    int ioMode;
    void* readData;
    int (*read)(void* data, char* buf, int len);
    int (*readI1)(void* data, char* vals, int n);
    int (*readI2)(void* data, int16_t* vals, int n);
    int (*readI4)(void* data, int32_t* vals, int n);
    int (*readU1)(void* data, uint8_t* vals, int n);
    int (*readU2)(void* data, uint16_t* vals, int n);
    int (*readU4)(void* data, uint32_t* vals, int n);
    int (*readFP)(void* data, float* vals, int n);
    int (*readStr)(void* data, char* buf, int max);
    LWID (*readID)(void* data, const LWBlockIdent* list);
    LWID (*findBlk)(void* data, const LWBlockIdent* list);  // 0: none left
    void (*endBlk)(void* data);
    int (*depth)(void* data);
};

struct LWSaveState {
    int ioMode;
    void* writeData;
    void (*write)(void* data, const char* buf, int len);
    void (*writeI1)(void* data, const char* vals, int n);
    void (*writeI2)(void* data, const int16_t* vals, int n);
    void (*writeI4)(void* data, const int32_t* vals, int n);
    void (*writeU1)(void* data, const uint8_t* vals, int n);
    void (*writeU2)(void* data, const uint16_t* vals, int n);
    void (*writeU4)(void* data, const uint32_t* vals, int n);
    void (*writeFP)(void* data, const float* vals, int n);
    void (*writeStr)(void* data, const char* str);
    void (*writeID)(void* data, const LWBlockIdent* id);
    void (*beginBlk)(void* data, const LWBlockIdent* id, int leaf);
    void (*endBlk)(void* data);
    int (*depth)(void* data);
};

}  // extern "C"

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(LWBlockIdent) == 8, "block identifier: id and token");
static_assert(sizeof(LWLoadState) == 60, "load state: mode, handle, 13 functions");
static_assert(offsetof(LWLoadState, readI1) == 12, "load state: signed 8-bit read");
static_assert(offsetof(LWLoadState, readI4) == 20, "load state: signed 32-bit read");
static_assert(offsetof(LWLoadState, readFP) == 36, "load state: float read");
static_assert(offsetof(LWLoadState, readStr) == 40, "load state: string read");
static_assert(offsetof(LWLoadState, findBlk) == 48, "load state: find block");
static_assert(offsetof(LWLoadState, endBlk) == 52, "load state: end block");
static_assert(offsetof(LWLoadState, depth) == 56, "load state: depth");
static_assert(sizeof(LWSaveState) == 60, "save state: mode, handle, 13 functions");
static_assert(offsetof(LWSaveState, writeI1) == 12, "save state: signed 8-bit write");
static_assert(offsetof(LWSaveState, writeI4) == 20, "save state: signed 32-bit write");
static_assert(offsetof(LWSaveState, writeFP) == 36, "save state: float write");
static_assert(offsetof(LWSaveState, writeStr) == 40, "save state: string write");
static_assert(offsetof(LWSaveState, beginBlk) == 48, "save state: begin block");
static_assert(offsetof(LWSaveState, endBlk) == 52, "save state: end block");
static_assert(offsetof(LWSaveState, depth) == 56, "save state: depth");
#endif
