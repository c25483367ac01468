// Creating temporaries and replacing files on the test machine's disk, for
// the writers under test, a recording stand-in that touches no disk, and
// folder helpers.
#pragma once

#include <string>
#include <vector>

#include "platform/file_replace.h"

// Exclusive creation and a one-step replace: rename(2) natively, the
// plug-in's own Windows functions in the Windows build.
const FileReplacer* diskFiles();

// Hands out temporaryPath's candidate 0 and remembers what it was asked;
// a replace succeeds unless refused.
struct RecordedFiles {
    std::vector<std::string> temporaries;
    std::vector<std::pair<std::string, std::string>> replaced;  // temporary, target
    bool refuseReplace = false;
};
const FileReplacer* recordingFiles(RecordedFiles* record);

// An empty folder of that name (path ends in a separator).
void makeEmptyFolder(const std::string& folder);
// The names in folder, sorted.
std::vector<std::string> filesIn(const std::string& folder);
