#include "output/byte_sink.h"

#include <stdlib.h>
#include <string.h>

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

int writeFileReplacing(const char* path, int (*write)(ByteSink* sink, const void* context), const void* context)
{
    static const char suffix[] = ".part";
    size_t length = strlen(path);
    char* temporary = static_cast<char*>(malloc(length + sizeof suffix));
    if (!temporary) return 0;
    memcpy(temporary, path, length);
    memcpy(temporary + length, suffix, sizeof suffix);
    int ok = 0;
    if (FILE* file = fopen(temporary, "wb")) {
        ByteSink sink = fileSink(file);
        ok = write(&sink, context);
        if (fclose(file) != 0) ok = 0;
        // rename does not replace an existing file everywhere: remove it
        // first, now that the new one is whole.
        if (ok) {
            remove(path);
            ok = rename(temporary, path) == 0;
        }
        if (!ok) remove(temporary);
    }
    free(temporary);
    return ok;
}
