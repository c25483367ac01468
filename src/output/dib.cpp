#include "output/dib.h"

#include <string.h>

uint32_t dibHeaderSize(const BITMAPINFOHEADER* info)
{
    return info->biBitCount == 8 ? 40 + 256 * 4 : 40;
}

size_t packedDibBytes(const BITMAPINFOHEADER* info, int32_t stride)
{
    if (info->biHeight <= 0 || stride <= 0) return 0;
    uint64_t bytes = dibHeaderSize(info) + uint64_t(uint32_t(info->biHeight)) * uint32_t(stride);
    return bytes > 0xFFFFFFFFu ? 0 : size_t(bytes);
}

size_t packDib(const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride, uint8_t* out, size_t size)
{
    size_t bytes = packedDibBytes(info, stride);
    if (bytes == 0 || bytes > size) return 0;
    const uint32_t header = dibHeaderSize(info);
    memcpy(out, info, header);  // the palette follows the header in memory
    memcpy(out + header, rows, bytes - header);
    return bytes;
}
