#include "settings/settings_io.h"

#include <string.h>

#define ID_ZRCF LWIDMAKE('Z', 'R', 'C', 'F')
#define ID_VERS LWIDMAKE('V', 'E', 'R', 'S')
#define ID_TXOP LWIDMAKE('T', 'X', 'O', 'P')
#define ID_FONT LWIDMAKE('F', 'O', 'N', 'T')
#define ID_COLR LWIDMAKE('C', 'O', 'L', 'R')
#define ID_POSI LWIDMAKE('P', 'O', 'S', 'I')
#define ID_TEXT LWIDMAKE('T', 'E', 'X', 'T')
#define ID_SHAD LWIDMAKE('S', 'H', 'A', 'D')
#define ID_HOTP LWIDMAKE('H', 'O', 'T', 'P')
#define ID_SAFP LWIDMAKE('S', 'A', 'F', 'P')
#define ID_LEVL LWIDMAKE('L', 'E', 'V', 'L')
#define ID_PTYP LWIDMAKE('P', 'T', 'Y', 'P')
#define ID_CLRS LWIDMAKE('C', 'L', 'R', 'S')

enum { SETTINGS_VERSION = 4 };

static const LWBlockIdent outerBlocks[] = {
    {ID_ZRCF, "ZRConfig"},
    {0, nullptr},
};

static const LWBlockIdent topBlocks[] = {
    {ID_VERS, "Version"},
    {ID_TXOP, "TextOptions"},
    {ID_HOTP, "HotParams"},
    {ID_SAFP, "SafeParams"},
    {ID_LEVL, "BlackWhite"},
    {ID_PTYP, "PixelDisplayType"},
    {ID_CLRS, "CloseRenderStatus"},
    {0, nullptr},
};

static const LWBlockIdent textBlocks[] = {
    {ID_FONT, "Font"},
    {ID_COLR, "Color"},
    {ID_POSI, "Position"},
    {ID_TEXT, "Text"},
    {ID_SHAD, "ShadowOptions"},
    {0, nullptr},
};

// ---- writer -----------------------------------------------------------------

static void writeI4(const LWSaveState* ss, int32_t v)
{
    ss->writeI4(ss->writeData, &v, 1);
}

static void beginLeaf(const LWSaveState* ss, const LWBlockIdent* id)
{
    ss->beginBlk(ss->writeData, id, 1);
}

static void writeFont(const LWSaveState* ss, const LOGFONTA* f)
{
    char face[LF_FACESIZE + 1];
    memcpy(face, f->lfFaceName, LF_FACESIZE);
    face[LF_FACESIZE] = 0;  // a full-width face has no terminator of its own
    ss->writeStr(ss->writeData, face);
    const int32_t metrics[5] = {f->lfHeight, f->lfWidth, f->lfEscapement, f->lfOrientation, f->lfWeight};
    ss->writeI4(ss->writeData, metrics, 5);
    const char flags[8] = {char(f->lfItalic),        char(f->lfUnderline),     char(f->lfStrikeOut),
                           char(f->lfCharSet),       char(f->lfOutPrecision),  char(f->lfClipPrecision),
                           char(f->lfQuality),       char(f->lfPitchAndFamily)};
    ss->writeI1(ss->writeData, flags, 8);
}

static void writeTextOptions(const LWSaveState* ss, const TextOptions* t)
{
    ss->beginBlk(ss->writeData, &topBlocks[1], 0);

    beginLeaf(ss, &textBlocks[0]);
    writeFont(ss, &t->font);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &textBlocks[1]);
    // The fourth byte is 0 unless a block gave it another value: keep that.
    const uint8_t bytes[4] = {uint8_t(t->colour), uint8_t(t->colour >> 8), uint8_t(t->colour >> 16),
                              uint8_t(t->colour >> 24)};
    ss->writeU1(ss->writeData, bytes, 4);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &textBlocks[2]);
    const int32_t pos[4] = {t->anchorX, t->baselineY, t->alignment, t->leftX};
    ss->writeI4(ss->writeData, pos, 4);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &textBlocks[3]);
    char caption[CAPTION_SIZE + 1];
    memcpy(caption, t->text, CAPTION_SIZE);
    caption[CAPTION_SIZE] = 0;
    ss->writeStr(ss->writeData, caption);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &textBlocks[4]);
    const int32_t shadow[3] = {t->shadowEnabled, t->shadowDx, t->shadowDy};
    ss->writeI4(ss->writeData, shadow, 3);
    ss->endBlk(ss->writeData);

    ss->endBlk(ss->writeData);
}

void writeSettings(const Settings* s, const LWSaveState* ss)
{
    ss->beginBlk(ss->writeData, &outerBlocks[0], 0);

    beginLeaf(ss, &topBlocks[0]);
    writeI4(ss, SETTINGS_VERSION);
    ss->endBlk(ss->writeData);

    writeTextOptions(ss, &s->text);

    beginLeaf(ss, &topBlocks[2]);
    const float hot[3] = {s->hot.pedestal, s->hot.compositeLimit, s->hot.chromaLimit};
    ss->writeFP(ss->writeData, hot, 3);
    writeI4(ss, s->hot.videoStandard);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &topBlocks[3]);
    const float safe[2] = {s->safe.frameAspect, s->safe.frameMargin};
    ss->writeFP(ss->writeData, safe, 2);
    const int32_t kinds[2] = {s->safe.kinds, s->safe.style};
    ss->writeI4(ss->writeData, kinds, 2);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &topBlocks[4]);
    const float levels[2] = {s->defaultBlack, s->defaultWhite};
    ss->writeFP(ss->writeData, levels, 2);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &topBlocks[5]);
    writeI4(ss, s->pixelDisplayType);
    ss->endBlk(ss->writeData);

    beginLeaf(ss, &topBlocks[6]);
    writeI4(ss, s->closeRenderStatus);
    ss->endBlk(ss->writeData);

    ss->endBlk(ss->writeData);
}

// ---- reader -----------------------------------------------------------------

// A host read function that stops early leaves the rest of the buffer as it
// was, so values are read into locals that start with the record's own.

// The host is asked for at most the field's size, into a buffer with room
// to spare (hosts differ on whether the maximum counts the terminator),
// and the result is cut to the field and terminated there.
static void readString(const LWLoadState* ls, char* field, int size)
{
    char buf[CAPTION_SIZE + 16];
    memcpy(buf, field, size_t(size));
    ls->readStr(ls->readData, buf, size);
    buf[size - 1] = 0;
    memcpy(field, buf, size_t(size));
}

static void readFont(const LWLoadState* ls, LOGFONTA* f)
{
    readString(ls, f->lfFaceName, LF_FACESIZE);
    int32_t m[5] = {f->lfHeight, f->lfWidth, f->lfEscapement, f->lfOrientation, f->lfWeight};
    ls->readI4(ls->readData, m, 5);
    f->lfHeight = m[0];
    f->lfWidth = m[1];
    f->lfEscapement = m[2];
    f->lfOrientation = m[3];
    f->lfWeight = m[4];
    char b[8] = {char(f->lfItalic),   char(f->lfUnderline),    char(f->lfStrikeOut),     char(f->lfCharSet),
                 char(f->lfOutPrecision), char(f->lfClipPrecision), char(f->lfQuality), char(f->lfPitchAndFamily)};
    ls->readI1(ls->readData, b, 8);
    f->lfItalic = BYTE(b[0]);
    f->lfUnderline = BYTE(b[1]);
    f->lfStrikeOut = BYTE(b[2]);
    f->lfCharSet = BYTE(b[3]);
    f->lfOutPrecision = BYTE(b[4]);
    f->lfClipPrecision = BYTE(b[5]);
    f->lfQuality = BYTE(b[6]);
    f->lfPitchAndFamily = BYTE(b[7]);
}

static void readI4s(const LWLoadState* ls, int32_t* const* fields, int n)
{
    int32_t v[4];
    for (int i = 0; i < n; i++) v[i] = *fields[i];
    ls->readI4(ls->readData, v, n);
    for (int i = 0; i < n; i++) *fields[i] = v[i];
}

static void readFPs(const LWLoadState* ls, float* const* fields, int n)
{
    float v[3];
    for (int i = 0; i < n; i++) v[i] = *fields[i];
    ls->readFP(ls->readData, v, n);
    for (int i = 0; i < n; i++) *fields[i] = v[i];
}

static void readTextOptions(const LWLoadState* ls, TextOptions* t)
{
    for (;;) {
        LWID id = ls->findBlk(ls->readData, textBlocks);
        if (id == 0) break;
        switch (id) {
        case ID_FONT:
            readFont(ls, &t->font);
            break;
        case ID_COLR: {
            uint8_t c[4] = {uint8_t(t->colour), uint8_t(t->colour >> 8), uint8_t(t->colour >> 16),
                            uint8_t(t->colour >> 24)};
            ls->readU1(ls->readData, c, 4);
            t->colour = COLORREF(c[0]) | COLORREF(c[1]) << 8 | COLORREF(c[2]) << 16 | COLORREF(c[3]) << 24;
            break;
        }
        case ID_POSI: {
            int32_t* const f[4] = {&t->anchorX, &t->baselineY, &t->alignment, &t->leftX};
            readI4s(ls, f, 4);
            break;
        }
        case ID_TEXT:
            readString(ls, t->text, CAPTION_SIZE);
            break;
        case ID_SHAD: {
            int32_t* const f[3] = {&t->shadowEnabled, &t->shadowDx, &t->shadowDy};
            readI4s(ls, f, 3);
            break;
        }
        default:
            break;
        }
        ls->endBlk(ls->readData);
    }
}

void readSettings(Settings* s, const LWLoadState* ls)
{
    if (ls->findBlk(ls->readData, outerBlocks) != ID_ZRCF) return;

    for (;;) {
        LWID id = ls->findBlk(ls->readData, topBlocks);
        if (id == 0) break;
        switch (id) {
        case ID_VERS: {
            int32_t version = 0;  // every version is read with this layout
            ls->readI4(ls->readData, &version, 1);
            break;
        }
        case ID_TXOP:
            readTextOptions(ls, &s->text);
            break;
        case ID_HOTP: {
            float* const f[3] = {&s->hot.pedestal, &s->hot.compositeLimit, &s->hot.chromaLimit};
            readFPs(ls, f, 3);
            int32_t* const std[1] = {&s->hot.videoStandard};
            readI4s(ls, std, 1);
            break;
        }
        case ID_SAFP: {
            float* const f[2] = {&s->safe.frameAspect, &s->safe.frameMargin};
            readFPs(ls, f, 2);
            int32_t* const k[2] = {&s->safe.kinds, &s->safe.style};
            readI4s(ls, k, 2);
            break;
        }
        case ID_LEVL: {
            float* const f[2] = {&s->defaultBlack, &s->defaultWhite};
            readFPs(ls, f, 2);
            break;
        }
        case ID_PTYP: {
            int32_t* const f[1] = {&s->pixelDisplayType};
            readI4s(ls, f, 1);
            break;
        }
        case ID_CLRS: {
            int32_t* const f[1] = {&s->closeRenderStatus};
            readI4s(ls, f, 1);
            break;
        }
        default:
            break;
        }
        ls->endBlk(ls->readData);
    }
    ls->endBlk(ls->readData);
}
