// The configuration file zr4.cfg: where it is looked for, and its reading
// at activation and writing (at unload, and whenever the viewer changes the
// settings) through the host's file-I/O service.
#pragma once

#include "platform/file_replace.h"
#include "sdk/lwservices.h"
#include "settings/settings.h"

#define CONFIG_FILE_NAME "zr4.cfg"

// Tries, in order: name in the current folder, the host's "Settings"
// folder (settingsDir; null or empty when the host gave none), USERPROFILE,
// and the folder of modulePath (the plug-in file). Returns 1 when a
// candidate exists; path keeps the last candidate tried either way. A
// candidate that does not fit in size characters is skipped: a cut path
// would name some other file.
int findConfigFile(const char* settingsDir, const char* modulePath, const char* name, char* path, int size);

// Defaults first, then the file over them when it is found, read through
// the host's file-I/O service.
void loadConfigFile(const LWFileIOFuncs* io, const char* settingsDir, const char* modulePath, Settings* settings);

// Writes to the path that the last load settled on, replacing the file in
// one step: a failure leaves it as it was. Silent; 1 when written.
int saveConfigFile(const LWFileIOFuncs* io, const Settings* settings, const FileReplacer* files);
