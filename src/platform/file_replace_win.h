// Windows' way of creating temporaries and replacing files.
#pragma once

#include "platform/file_replace.h"

const FileReplacer* windowsFiles();

// The system's error code of the last failed file write
// (0 when it gave none: a writer that refused, a saver that said no);
// clearFileFailure before a write.
unsigned lastFileFailure();
void clearFileFailure();
