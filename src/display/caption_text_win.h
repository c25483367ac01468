// Rasterising a caption with the platform's anti-aliased glyph outlines,
// and drawing it into a view.
#pragma once

#include <windows.h>

#include "display/caption.h"

// The text as 8-bit coverage in the font; 0 when the bitmap cannot be made.
int renderTextBitmap(const LOGFONTA* font, const char* text, TextBitmap* out);

// Adds one character's glyph at pen x; its advance, or 0 when it has none.
int renderGlyph(HDC dc, unsigned char character, TextBitmap* bitmap, int penX, int ascent);

// Renders and stamps the caption (options->leftX is set); 1 when drawn.
int drawCaption(TextOptions* options, View* view);
