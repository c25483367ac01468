// Saving through the host's own image savers: the image's float samples as
// rendered, handed to a pixmap of the host's image-utility service and
// saved by the saver the artist chose. The service is a parameter: null
// when the host does not offer it.
#pragma once

#include "image/view.h"
#include "output/byte_sink.h"
#include "sdk/lwservices.h"

int hostSaverCount(const LWImageUtil* util);
const char* hostSaverName(const LWImageUtil* util, int index);  // null when there is none

// Red, green, blue and alpha (or alpha alone) of every pixel, top row first,
// without levels or clamping. The saver writes a new temporary beside the
// destination, which replaces it only when the saver reports success: a
// saver failing half-way leaves no partial file and the old one whole.
// progress, when given, starts with the height + 1 and steps after each
// row and after the host's save. 1 when the file is in place; 0 when there
// is no service or no pixmap, or the saver or the replace failed.
int saveThroughHostColour(const LWImageUtil* util, const View* view, const FileDestination& to, int saver,
                          void (*progress)(int n));
int saveThroughHostAlpha(const LWImageUtil* util, const View* view, const FileDestination& to, int saver,
                         void (*progress)(int n));
