// The texts of the Notes page: when the image was made, how long it took,
// and the render's scene facts that "Scene Info" appends to the notes.
// Pure functions; every text is cut to its buffer, never written past it.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <time.h>

// "May 05 10:20:30": month, two-digit day, 24-hour time.
void formatCreationTime(const struct tm& when, char* text, size_t size);

// "0h 1m 15.4s" for 754 tenths of a second.
void formatRenderTimeText(int32_t tenths, char* text, size_t size);

// The scene facts, one "Name:  value\r\n" line each.
struct SceneSummary {
    int32_t frameNumber;
    int32_t points, polygons;
    int32_t aaPasses;
    int32_t renderOptions;  // LWROPT_ bits
    int32_t recursionDepth;
};
void formatSceneInfo(const SceneSummary& scene, char* text, size_t size);

// Appends addition to the notes in a buffer of size bytes, after a line
// break when the notes are not empty; what does not fit is cut.
void appendToNotes(char* notes, size_t size, const char* addition);
