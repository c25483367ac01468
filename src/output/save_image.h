// Writing a view as one save type: the host's savers get the float samples
// as rendered; ZR BMP and ZR IFF get the display bytes at full range (black
// 0, white 1, whatever levels the viewer shows), or the grey alpha bitmap
// when the alpha channel is shown.
#pragma once

#include "image/view.h"
#include "output/byte_sink.h"
#include "sdk/lwservices.h"

enum SaveOutcome {
    SAVE_FAILED = 0,     // the writer or the host's saver failed: no file
    SAVE_WRITTEN = 1,
    SAVE_NO_MEMORY = 2,  // no memory for the full-range copy: nothing was tried
};

// type: TYPE_ZR_BMP, TYPE_ZR_IFF or a host saver's index; channelView as
// the viewer's. progress, when given, drives the progress meter.
SaveOutcome saveImageAs(const View* view, int channelView, int type, const FileDestination& to,
                        const LWImageUtil* util, void (*progress)(int n));
