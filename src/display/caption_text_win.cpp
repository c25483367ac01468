#include "display/caption_text_win.h"

#include <stdlib.h>
#include <string.h>

static const MAT2 IDENTITY = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

int renderGlyph(HDC dc, unsigned char character, TextBitmap* bitmap, int penX, int ascent)
{
    GLYPHMETRICS gm;
    DWORD size = GetGlyphOutlineA(dc, character, GGO_GRAY8_BITMAP, &gm, 0, nullptr, &IDENTITY);
    if (size == GDI_ERROR) return 0;
    if (size == 0 || gm.gmBlackBoxY == 0) return gm.gmCellIncX;  // a blank glyph (tab, no-break space) still advances
    int pitch = int(size / gm.gmBlackBoxY);
    int columns = int(gm.gmBlackBoxX) < pitch ? int(gm.gmBlackBoxX) : pitch;
    uint8_t* levels = static_cast<uint8_t*>(malloc(size));
    if (!levels) return 0;
    if (GetGlyphOutlineA(dc, character, GGO_GRAY8_BITMAP, &gm, size, levels, &IDENTITY) == GDI_ERROR) {
        free(levels);
        return 0;
    }
    addGlyphCoverage(bitmap, levels, pitch, columns, int(gm.gmBlackBoxY), penX + gm.gmptGlyphOrigin.x,
                     ascent - gm.gmptGlyphOrigin.y);
    free(levels);
    return gm.gmCellIncX;
}

int renderTextBitmap(const LOGFONTA* font, const char* text, TextBitmap* out)
{
    *out = TextBitmap{};
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return 0;
    HFONT handle = CreateFontIndirectA(font);
    HGDIOBJ previous = handle ? SelectObject(dc, handle) : nullptr;
    int length = int(strnlen(text, CAPTION_SIZE - 1));
    SIZE extent = {0, 0}, space = {0, 0};
    TEXTMETRICA metrics = {};
    GetTextExtentPoint32A(dc, text, length, &extent);
    GetTextMetricsA(dc, &metrics);
    int ok = allocateTextBitmap(out, extent.cx + (metrics.tmItalic ? 2 : 0), extent.cy, metrics.tmAscent);
    if (ok) {
        GetTextExtentPoint32A(dc, " ", 1, &space);
        int penX = 0;
        for (int i = 0; i < length; i++) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            penX += c == ' ' ? space.cx : renderGlyph(dc, c, out, penX, metrics.tmAscent);
        }
    }
    if (previous) SelectObject(dc, previous);
    if (handle) DeleteObject(handle);
    DeleteDC(dc);
    return ok;
}

int drawCaption(TextOptions* options, View* view)
{
    TextBitmap bitmap;
    if (!renderTextBitmap(&options->font, options->text, &bitmap)) return 0;
    int drawn = stampCaption(&bitmap, options, view);
    freeTextBitmap(&bitmap);
    return drawn;
}
