// The save dialog's file types and names: "ZR BMP", "ZR IFF", then every
// saver the host offers, parsed from its name ("Targa (.tga)" is the type
// "Targa " with the extension "tga"); the filter string built from them;
// the name a file is offered under; and the extension a name gets. Pure
// functions over fixed buffers: texts are cut to fit, never written past.
#pragma once

#include <stddef.h>

enum { SAVE_TYPE_NAME_SIZE = 128, SAVE_TYPE_EXTENSION_SIZE = 32 };

// Type codes: the own types are negative, host saver k is k.
enum { TYPE_ZR_BMP = -2, TYPE_ZR_IFF = -1 };

struct SaveType {
    char name[SAVE_TYPE_NAME_SIZE];
    char extension[SAVE_TYPE_EXTENSION_SIZE];  // "*" for any
};

// A host saver's name as a type: the name up to its last "(", the
// extension after it (without a leading ".") up to the last ")"; no "(" at
// all gives the whole name and "*".
void parseSaverName(const char* saverName, SaveType* type);

// The two own types, then count savers named by name(context, k) (a null
// name gives an empty type). Returns how many were filled, at most capacity.
int buildSaveTypes(SaveType* types, int capacity, int count, const char* (*name)(void* context, int k),
                   void* context);

// "name (.ext)", 0, "*.ext", 0 for each type, and a final 0. The bytes
// used, final zero included; 0 when they do not fit.
size_t buildSaveFilter(const SaveType* types, int count, char* filter, size_t size);

// The position of the type named remembered (exact, case-sensitive, on the
// characters a name holds); 0 when there is none.
int findSaveType(const SaveType* types, int count, const char* remembered);

// The name a file is offered under: the image's name cut at its last ".".
void offeredFileName(const char* imageName, char* name, size_t size);

// After the dialog: a title that does not already end in "." and the
// type's extension (in any case) gets them, on the title and on the path,
// unless the extension is "*". A name the dialog offered (render.0001,
// the image's name cut at its last ".") so becomes a file of its type.
// 0, with both left as they were, when either has no room for all of it:
// a name cut short would be some other file's.
int addExtension(const SaveType& type, char* path, size_t pathSize, char* title, size_t titleSize);
