// Where the file writers put their bytes: a file on disk, or memory in the
// tests. Every call answers 1 on success.
#pragma once

#include <stddef.h>
#include <stdio.h>

struct ByteSink {
    void* context;
    int (*write)(void* context, const void* bytes, size_t count);  // all of them, or failure
    long (*tell)(void* context);                                    // -1 on failure
    int (*seek)(void* context, long position);
};

// A sink over an open stdio file.
ByteSink fileSink(FILE* file);

// Writes a big-endian number of 2 or 4 bytes.
int writeBigEndian(ByteSink* sink, unsigned long value, int bytes);

// Writes a file through a temporary one beside it, which takes the path's
// place only once write has put every byte: a failed save leaves no partial
// file, and a file it was to replace stays as it was. 1 on success.
int writeFileReplacing(const char* path, int (*write)(ByteSink* sink, const void* context), const void* context);
