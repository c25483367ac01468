#include "output/bmp_writer.h"

#include "output/dib.h"

enum { FILE_HEADER_SIZE = 14 };

static int writeLittleEndian(ByteSink* sink, uint32_t value, int bytes)
{
    uint8_t b[4];
    for (int i = 0; i < bytes; i++) b[i] = uint8_t(value >> (8 * i));
    return sink->write(sink->context, b, size_t(bytes));
}

int writeBmpTo(ByteSink* sink, const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride)
{
    const uint64_t dibBytes = packedDibBytes(info, stride);
    if (dibBytes == 0) return 0;
    const uint32_t headerSize = dibHeaderSize(info);
    const uint64_t pixelBytes = dibBytes - headerSize;
    const uint64_t fileSize = FILE_HEADER_SIZE + dibBytes;
    if (fileSize > 0xFFFFFFFFu) return 0;  // the size field holds 32 bits
    return sink->write(sink->context, "BM", 2) && writeLittleEndian(sink, uint32_t(fileSize), 4) &&
           writeLittleEndian(sink, 0, 4) && writeLittleEndian(sink, FILE_HEADER_SIZE + headerSize, 4) &&
           sink->write(sink->context, info, headerSize) && sink->write(sink->context, rows, size_t(pixelBytes));
}

struct BmpSource {
    const BITMAPINFOHEADER* info;
    const uint8_t* rows;
    int32_t stride;
};

static int writeBmpSource(ByteSink* sink, const void* context)
{
    const BmpSource* s = static_cast<const BmpSource*>(context);
    return writeBmpTo(sink, s->info, s->rows, s->stride);
}

int WriteBmpFile(const char* path, const FileReplacer* files, const BITMAPINFOHEADER* info, const uint8_t* rows,
                 int32_t stride)
{
    const BmpSource source = {info, rows, stride};
    return writeFileReplacing(path, files, writeBmpSource, &source);
}
