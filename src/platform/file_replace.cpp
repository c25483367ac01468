#include "platform/file_replace.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char* fileNameOf(const char* path)
{
    const char* name = path;
    for (const char* c = path; *c; c++)
        if (*c == '\\' || *c == '/' || *c == ':') name = c + 1;
    return name;
}

const char* fileExtension(const char* path)
{
    const char* name = fileNameOf(path);
    const char* dot = strrchr(name, '.');
    return dot ? dot : name + strlen(name);
}

enum { STEM_DIGITS = 10 };  // '~' and up to 10 digits: more than enough for an unsigned

size_t temporaryPathSize(const char* target, const char* extension)
{
    return strlen(target) + strlen(extension ? extension : "") + STEM_DIGITS + 2;
}

int temporaryPath(const char* target, const char* extension, unsigned n, char* path, size_t size)
{
    if (!extension) extension = fileExtension(target);
    const char* name = fileNameOf(target);
    size_t folder = size_t(name - target);
    size_t nameLength = strlen(name), extensionLength = strlen(extension);

    // Base-36 digits of n, lowest first; the lowest vary first between
    // candidates, so a short stem keeps them.
    char digits[STEM_DIGITS];
    size_t count = 0;
    do {
        digits[count++] = "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36];
        n /= 36;
    } while (n && count < STEM_DIGITS);
    size_t room = nameLength > extensionLength + 1 ? nameLength - extensionLength - 1 : 1;
    if (count > room) count = room;

    size_t length = folder + 1 + count + extensionLength;
    if (length + 1 > size) return 0;
    memmove(path, target, folder);
    char* at = path + folder;
    *at++ = '~';
    while (count) *at++ = digits[--count];
    memcpy(at, extension, extensionLength + 1);
    return 1;
}

int replaceFileThrough(const FileReplacer* files, const char* path, const char* extension,
                       int (*fill)(const char* temporary, void* context), void* context)
{
    size_t size = temporaryPathSize(path, extension);
    char* temporary = static_cast<char*>(malloc(size));
    if (!temporary) return 0;
    int ok = 0;
    if (files->createTemporary(path, extension, temporary, size)) {
        ok = fill(temporary, context) && files->replace(temporary, path);
        if (!ok && files->noteFailure) files->noteFailure();
        if (!ok) remove(temporary);  // ours alone: the one file no one else had
    }
    free(temporary);
    return ok;
}
