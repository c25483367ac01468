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
