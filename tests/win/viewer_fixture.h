// The plug-in activated in the stand-in host, rendering frames into its
// viewer, with the viewer read back through its controls.
#pragma once

#include <string>

#include "plugin_fixture.h"
#include "zrhost/render.h"
#include "zrhost/viewer_remote.h"

class ViewerTest : public PluginTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Renders n frames (one open and close, from scene frame firstFrame)
    // and waits until the viewer shows the last of them.
    HWND render(int n, const char* pattern = "ramps", int width = 64, int height = 48, int firstFrame = 0);
    // The same without waiting for the viewer.
    void handOver(int n, const char* pattern = "ramps", int width = 64, int height = 48, int firstFrame = 0);

    // Waits until the viewer's status bar names that image; 1 when it does.
    int waitForName(const std::string& name, int timeoutMs = 5000);

    // Starts again with a configuration file of these leaves in the current
    // folder: the viewer closed, the plug-in reloaded and activated.
    void restartWithConfig(const std::string& leaves);

    // Closes the viewer, if open, and waits for its thread to end.
    void closeViewer();

    // Waits until the window is gone; 1 when it went. Generous: with the
    // tests running two at a time under one Wine server, a dialog's thread
    // beside the two-hundred-frame soak has taken over five seconds.
    static int waitGone(HWND window, int timeoutMs = 15000);

    LWInstance instance = nullptr;
    HWND viewer = nullptr;
    int framesRendered = 0;  // image numbers of this instance so far
};
