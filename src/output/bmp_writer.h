// The BMP writer: a display bitmap exactly as held in memory, behind a
// 14-byte file header: the info header (with its 256-entry palette for an
// 8-bit bitmap) and the rows, bottom row first.
#pragma once

#include <stdint.h>

#include "output/byte_sink.h"
#include "platform/wintypes.h"

// info is followed in memory by its palette when its bit count is 8.
int writeBmpTo(ByteSink* sink, const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride);

// 1 when the whole file was written; otherwise no partial file is left,
// and a file it was to replace stays as it was.
int WriteBmpFile(const char* path, const FileReplacer* files, const BITMAPINFOHEADER* info, const uint8_t* rows,
                 int32_t stride);
