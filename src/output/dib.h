// A display bitmap as one packed device-independent bitmap: its info
// header (with the 256-entry palette of an 8-bit bitmap) followed at once
// by its rows, bottom row first, as the clipboard's CF_DIB holds it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/wintypes.h"

// 1064 for an 8-bit bitmap (header and palette), else 40.
uint32_t dibHeaderSize(const BITMAPINFOHEADER* info);

// Bytes of the packed form; 0 when the header's height is not positive or
// the size would not fit in memory's 32 bits.
size_t packedDibBytes(const BITMAPINFOHEADER* info, int32_t stride);

// Writes the packed form into out of size bytes; 0 when it does not fit.
size_t packDib(const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride, uint8_t* out, size_t size);
