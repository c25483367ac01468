// A file takes its place in one step: its bytes go to a new temporary file
// beside it, which replaces the file only once it is whole. The temporary
// is created exclusively, under a name no file had, so the only existing
// file a write ever replaces is the one it was asked to write. How files
// are created and replaced is the platform's, handed down in a record so
// the writers stay portable.
#pragma once

#include <stddef.h>

struct FileReplacer {
    // Creates a new, empty file in target's folder whose name ends in
    // extension (the target's own when null); its path goes to temporary.
    // 0 when none could be made there.
    int (*createTemporary)(const char* target, const char* extension, char* temporary, size_t size);
    // Puts temporary in target's place in one step, replacing target when
    // it exists. 0 leaves both files as they were.
    int (*replace)(const char* temporary, const char* target);
    // Called as a write or the replace has just failed, before anything
    // else runs, so the platform can keep the system's reason; may be null.
    void (*noteFailure)();
};

// Has fill write the whole file into a new temporary beside path (with
// that extension; the path's own when null), which then takes path's place
// in one step. When fill fails, or the replace does, the temporary goes and
// every file stays as it was. 1 when path holds the new file.
int replaceFileThrough(const FileReplacer* files, const char* path, const char* extension,
                       int (*fill)(const char* temporary, void* context), void* context);

// Room for the path of a temporary beside target.
size_t temporaryPathSize(const char* target, const char* extension);

// Candidate number n for a temporary beside target: the folder of target,
// then '~', base-36 digits of n and the extension. Its name is no longer
// than target's (a file the folder can hold, its temporary can too) as
// long as that leaves a '~' and one digit before the extension. 0 when
// the path does not fit in size characters.
int temporaryPath(const char* target, const char* extension, unsigned n, char* path, size_t size);

// The extension of path's file name from its last dot ("" for none).
const char* fileExtension(const char* path);
