// Where the file writers put their bytes: a file on disk, or memory in the
// tests. Every call answers 1 on success.
#pragma once

#include <stddef.h>
#include <stdio.h>

#include "platform/file_replace.h"

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

// Where a save goes: the file, the extension its temporary gets (for
// writers that look at it; null: the path's own) and how files take their
// place.
struct FileDestination {
    const char* path;
    const char* extension;
    const FileReplacer* files;
};

// Writes a file through a new temporary one beside it, which takes the
// path's place in one step only once write has put every byte: a failed
// save leaves no partial file, a file it was to replace stays as it was,
// and no other file is touched. 1 on success.
int writeFileReplacing(const char* path, const FileReplacer* files,
                       int (*write)(ByteSink* sink, const void* context), const void* context);
