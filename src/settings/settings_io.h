// The settings block: a tree of identified blocks written and read through
// the host's save and load states, in scenes and in the configuration file.
#pragma once

#include "sdk/lwio.h"
#include "settings/settings.h"

void writeSettings(const Settings* settings, const LWSaveState* ss);

// Reads whatever blocks are present, in any order; absent blocks leave
// their fields alone. Strings are bounded by the fields they land in.
void readSettings(Settings* settings, const LWLoadState* ls);
