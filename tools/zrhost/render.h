// The host's render loop: frames go to the plug-in's frame buffer handler
// exactly as LightWave sends them (open; begin, one write per row, pause
// for each frame; close), with a "Render Status" window that the plug-in
// may close at each pause.
#pragma once

#include <string>

#include "zrhost/host_session.h"

struct RenderOptions {
    int frames = 1;
    int width = 640;
    int height = 480;
    double fps = 30.0;
    int firstFrame = 0;
    int intervalMs = 0;  // between frames, while the host handles its messages
    std::string pattern = "spheres";  // or a comma-separated list, one per frame in turn
    bool renderStatus = true;
};

// 1 when every frame was handed over; otherwise 0 with the host's or the
// plug-in's error in error.
int renderFrames(const HostSession* session, LWInstance instance, const RenderOptions& options, std::string* error);

// Handles the host thread's messages for ms milliseconds.
void pumpMessages(int ms);

// How many times the plug-in closed the Render Status window.
int renderStatusClosings();

// Registers the window class of the Render Status window ("WMgrBasic").
void registerRenderStatusClass();
