#include "output/byte_sink.h"

static int fileWrite(void* context, const void* bytes, size_t count)
{
    return fwrite(bytes, 1, count, static_cast<FILE*>(context)) == count ? 1 : 0;
}

static long fileTell(void* context)
{
    return ftell(static_cast<FILE*>(context));
}

static int fileSeek(void* context, long position)
{
    return fseek(static_cast<FILE*>(context), position, SEEK_SET) == 0 ? 1 : 0;
}

ByteSink fileSink(FILE* file)
{
    return ByteSink{file, fileWrite, fileTell, fileSeek};
}

int writeBigEndian(ByteSink* sink, unsigned long value, int bytes)
{
    unsigned char b[4];
    for (int i = 0; i < bytes; i++) b[i] = static_cast<unsigned char>(value >> (8 * (bytes - 1 - i)));
    return sink->write(sink->context, b, size_t(bytes));
}
