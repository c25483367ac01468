#include "output/save_types.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

// Copies at most size - 1 characters of from and ends the copy.
static void copyCut(char* to, size_t size, const char* from, size_t length)
{
    if (size == 0) return;
    if (length > size - 1) length = size - 1;
    memcpy(to, from, length);
    to[length] = '\0';
}

void parseSaverName(const char* saverName, SaveType* type)
{
    const char* name = saverName ? saverName : "";
    const char* open = strrchr(name, '(');
    if (!open) {
        copyCut(type->name, sizeof type->name, name, strlen(name));
        copyCut(type->extension, sizeof type->extension, "*", 1);
        return;
    }
    copyCut(type->name, sizeof type->name, name, size_t(open - name));
    const char* extension = open + 1;
    if (*extension == '.') extension++;
    const char* close = strrchr(extension, ')');
    copyCut(type->extension, sizeof type->extension, extension, close ? size_t(close - extension) : strlen(extension));
}

int buildSaveTypes(SaveType* types, int capacity, int count, const char* (*name)(void* context, int k),
                   void* context)
{
    static const SaveType own[2] = {{"ZR BMP", "bmp"}, {"ZR IFF", "iff"}};
    int filled = 0;
    for (int i = 0; i < 2 && filled < capacity; i++) types[filled++] = own[i];
    for (int k = 0; k < count && filled < capacity; k++) parseSaverName(name(context, k), &types[filled++]);
    return filled;
}

size_t buildSaveFilter(const SaveType* types, int count, char* filter, size_t size)
{
    size_t used = 0;
    for (int i = 0; i < count; i++) {
        const SaveType& t = types[i];
        size_t need = strlen(t.name) + 2 * strlen(t.extension) + 8;  // " (.", ")", 0, "*.", 0
        if (used + need + 1 > size) return 0;
        int n = snprintf(filter + used, size - used, "%s (.%s)%c*.%s%c", t.name, t.extension, 0, t.extension, 0);
        if (n < 0) return 0;
        used += size_t(n);
    }
    if (used + 1 > size) return 0;
    filter[used++] = '\0';
    return used;
}

int findSaveType(const SaveType* types, int count, const char* remembered)
{
    for (int i = 0; i < count; i++)
        if (strncmp(types[i].name, remembered, sizeof types[i].name - 1) == 0) return i;
    return 0;
}

void offeredFileName(const char* imageName, char* name, size_t size)
{
    const char* dot = strrchr(imageName, '.');
    copyCut(name, size, imageName, dot ? size_t(dot - imageName) : strlen(imageName));
}

// Whether text ends in "." and extension, in any case.
static bool endsWithExtension(const char* text, const char* extension)
{
    size_t length = strlen(text), extensionLength = strlen(extension);
    if (length < extensionLength + 1 || text[length - extensionLength - 1] != '.') return false;
    const char* tail = text + length - extensionLength;
    for (size_t i = 0; i < extensionLength; i++)
        if (tolower(static_cast<unsigned char>(tail[i])) != tolower(static_cast<unsigned char>(extension[i])))
            return false;
    return true;
}

int addExtension(const SaveType& type, char* path, size_t pathSize, char* title, size_t titleSize)
{
    if (type.extension[0] == '*' || endsWithExtension(title, type.extension)) return 1;
    size_t added = 1 + strlen(type.extension);
    size_t pathLength = strlen(path), titleLength = strlen(title);
    if (pathLength + added >= pathSize || titleLength + added >= titleSize) return 0;
    snprintf(path + pathLength, pathSize - pathLength, ".%s", type.extension);
    snprintf(title + titleLength, titleSize - titleLength, ".%s", type.extension);
    return 1;
}
