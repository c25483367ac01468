// Settings blocks through the host's text-form states, for the tests.
#pragma once

#include <string>

#include "settings/settings.h"

// The settings block that writeSettings produces, as text.
std::string settingsText(const Settings& settings);

// Reads text (a settings block, or anything else) into settings; returns
// the load state's depth after the reader is done.
int readSettingsText(Settings* settings, const std::string& text);

// A zero-filled record with the defaults applied.
Settings defaultSettings();

// A record with every stored field different from its default.
Settings unusualSettings();

// Fields 2 to 23: everything but the configuration path.
bool storedFieldsEqual(const Settings& a, const Settings& b);
