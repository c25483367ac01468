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

int writeFileReplacing(const char* path, const FileReplacer* files,
                       int (*write)(ByteSink* sink, const void* context), const void* context)
{
    size_t size = temporaryPathSize(path, nullptr);
    char* temporary = static_cast<char*>(malloc(size));
    if (!temporary) return 0;
    int ok = 0;
    if (files->createTemporary(path, nullptr, temporary, size)) {
        if (FILE* file = fopen(temporary, "wb")) {  // the empty file just made: ours
            ByteSink sink = fileSink(file);
            ok = write(&sink, context);
            if (fclose(file) != 0) ok = 0;
        }
        // One step: path is the old file or the whole new one, never neither.
        if (ok) ok = files->replace(temporary, path);
        if (!ok) remove(temporary);
    }
    free(temporary);
    return ok;
}
