// The stand-in host's scenes: frames it renders into the plug-in, as four
// float planes, row 0 at the top. Portable.
#pragma once

#include <string>
#include <vector>

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<float> red, green, blue, alpha;
};

// "bars" (colour bars with broadcast-illegal colours), "ramps", "hdr"
// (values above 1, negative values, NaN and infinity), "spheres" (lit
// spheres on a plane) or "file:PATH" (a Portable Float Map). The frame
// number moves the scene along. 0 with a reason when the name is unknown
// or the file cannot be read.
int renderPattern(const std::string& name, int width, int height, int frameIndex, Frame* frame, std::string* error);

// Reads a Portable Float Map ("PF" colour or "Pf" grey, either byte order).
int readPfm(const std::string& path, Frame* frame, std::string* error);
