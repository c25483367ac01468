// Saving through the host's own image savers: the image's float samples as
// rendered, handed to a pixmap of the host's image-utility service and
// saved by the saver the artist chose. The service is a parameter: null
// when the host does not offer it.
#pragma once

#include "image/view.h"
#include "sdk/lwservices.h"

int hostSaverCount(const LWImageUtil* util);
const char* hostSaverName(const LWImageUtil* util, int index);  // null when there is none

// Red, green, blue and alpha (or alpha alone) of every pixel, top row first,
// without levels or clamping. progress, when given, starts with the height
// + 1 and steps after each row and after the host's save. The host's save
// result; 0 when there is no service or no pixmap.
int saveThroughHostColour(const LWImageUtil* util, const View* view, const char* path, int saver,
                          void (*progress)(int n));
int saveThroughHostAlpha(const LWImageUtil* util, const View* view, const char* path, int saver,
                         void (*progress)(int n));
