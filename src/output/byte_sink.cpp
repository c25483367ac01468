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

struct SinkWrite {
    int (*write)(ByteSink* sink, const void* context);
    const void* context;
};

// Into the empty file just made for it.
static int writeInto(const char* temporary, void* context)
{
    const SinkWrite* w = static_cast<const SinkWrite*>(context);
    FILE* file = fopen(temporary, "wb");
    if (!file) return 0;
    ByteSink sink = fileSink(file);
    int ok = w->write(&sink, w->context);
    return fclose(file) == 0 && ok;
}

int writeFileReplacing(const char* path, const FileReplacer* files,
                       int (*write)(ByteSink* sink, const void* context), const void* context)
{
    SinkWrite w = {write, context};
    return replaceFileThrough(files, path, nullptr, writeInto, &w);
}
