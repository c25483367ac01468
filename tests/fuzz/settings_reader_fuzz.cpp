// libFuzzer target: the settings block reader against any input.
// The first byte chooses the host: even, the stand-in host's text form
// parsed from the rest; odd, a scripted host whose every read returns the
// next input bytes, including block identifiers no list holds.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "settings/settings_io.h"
#include "zrhost/text_state.h"

namespace {

struct Script {
    const uint8_t* p;
    size_t left;
    int depth;
};

Script* scriptOf(void* data)
{
    return static_cast<Script*>(data);
}

uint8_t next(void* data)
{
    Script* s = scriptOf(data);
    if (!s->left) return 0;
    s->left--;
    return *s->p++;
}

template <typename T>
int fill(void* data, T* vals, int n)
{
    int count = next(data) % (n + 1);  // a host may deliver fewer than asked
    for (int i = 0; i < count; i++) {
        T v;
        uint8_t* b = reinterpret_cast<uint8_t*>(&v);
        for (size_t k = 0; k < sizeof v; k++) b[k] = next(data);
        vals[i] = v;
    }
    return count;
}

int readRaw(void* d, char* v, int n) { return fill(d, v, n); }
int readI1(void* d, char* v, int n) { return fill(d, v, n); }
int readI2(void* d, int16_t* v, int n) { return fill(d, v, n); }
int readI4(void* d, int32_t* v, int n) { return fill(d, v, n); }
int readU1(void* d, uint8_t* v, int n) { return fill(d, v, n); }
int readU2(void* d, uint16_t* v, int n) { return fill(d, v, n); }
int readU4(void* d, uint32_t* v, int n) { return fill(d, v, n); }
int readFP(void* d, float* v, int n) { return fill(d, v, n); }

// Honours max (a host that writes past it is beyond any plug-in's help),
// but may leave the text unterminated.
int readStr(void* data, char* buf, int max)
{
    int n = next(data);
    if (n > max) n = max;
    for (int i = 0; i < n; i++) buf[i] = char(next(data) | 1);
    return n;
}

LWID pick(void* data, const LWBlockIdent* list)
{
    uint8_t choice = next(data);
    if (choice < 32) return 0;
    if (choice < 200) {
        int count = 0;
        while (list[count].id) count++;
        return list[choice % count].id;
    }
    return LWID(next(data)) << 24 | LWID(next(data)) << 16 | LWID(next(data)) << 8 | next(data);
}

LWID readID(void* data, const LWBlockIdent* list) { return pick(data, list); }

LWID findBlk(void* data, const LWBlockIdent* list)
{
    LWID id = pick(data, list);
    if (id) scriptOf(data)->depth++;
    return id;
}

void endBlk(void* data)
{
    Script* s = scriptOf(data);
    if (s->depth > 0) s->depth--;
}

int depth(void* data) { return scriptOf(data)->depth; }

void checkStrings(const Settings& s)
{
    if (!memchr(s.text.font.lfFaceName, 0, sizeof s.text.font.lfFaceName)) abort();
    if (!memchr(s.text.text, 0, sizeof s.text.text)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    Settings settings;
    memset(&settings, 0x5A, sizeof settings);
    applyDefaultSettings(&settings);
    if (data[0] % 2 == 0) {
        LWLoadState* ls = newTextLoadState(reinterpret_cast<const char*>(data + 1), size - 1, LWIO_SCENE);
        readSettings(&settings, ls);
        freeTextLoadState(ls);
    } else {
        Script script = {data + 1, size - 1, 0};
        LWLoadState ls = {LWIO_SCENE, &script, readRaw, readI1, readI2, readI4, readU1, readU2, readU4,
                          readFP, readStr, readID, findBlk, endBlk, depth};
        readSettings(&settings, &ls);
    }
    checkStrings(settings);
    return 0;
}
