// The stand-in host's scene files: a header and one block per frame buffer
// instance, inside which the plug-in saves and loads its own data.
#pragma once

#include "zrhost/host_session.h"

// 1 when the scene was written.
int saveScene(const HostSession* session, LWInstance instance, const char* path);

// 1 when the scene was read and held a frame buffer block for the plug-in.
int loadScene(const HostSession* session, LWInstance instance, const char* path);
