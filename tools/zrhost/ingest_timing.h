// How fast frames go from the host into a visible viewer: open, then for
// each frame begin, a write per row and pause, until the viewer shows it.
#pragma once

#include "zrhost/host_session.h"

// Milliseconds per frame, or a negative value when the viewer never showed
// a frame. The frame is rendered once beforehand and sent again and again.
double measureIngest(const HostSession* session, int width, int height, int frames);
