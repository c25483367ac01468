// The plug-in's settings as the host sees them: saved into a scene block.
#pragma once

#include <string>

#include "zrhost/host_session.h"

// The settings block that saveInstance writes, as the host's text.
std::string savedSettings(const HostSession& session, LWInstance instance);

// The values of the first leaf with that token ("BlackWhite" gives "0.1 1").
std::string leafValues(const std::string& text, const char* token);

// A configuration file with these leaves, in the host's text form.
std::string configText(const std::string& leaves);
