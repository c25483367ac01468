// Windows' way of creating temporaries and replacing files.
#pragma once

#include "platform/file_replace.h"

const FileReplacer* windowsFiles();
