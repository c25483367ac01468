#include "dialogs/notes_texts.h"

#include <stdio.h>
#include <string.h>

void formatCreationTime(const struct tm& when, char* text, size_t size)
{
    static const char months[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int month = when.tm_mon >= 0 && when.tm_mon < 12 ? when.tm_mon : 0;
    snprintf(text, size, "%s %02d %02d:%02d:%02d", months[month], when.tm_mday, when.tm_hour, when.tm_min,
             when.tm_sec);
}

void formatRenderTimeText(int32_t t, char* text, size_t size)
{
    snprintf(text, size, "%dh %dm %d.%ds", int(t / 36000), int(t / 600 % 60), int(t / 10 % 60), int(t % 10));
}

static const char* onOff(int32_t options, int bit)
{
    return (options >> bit) & 1 ? "On" : "Off";
}

void formatSceneInfo(const SceneSummary& s, char* text, size_t size)
{
    snprintf(text, size,
             "Frame Number:  %d\r\nPoints:  %d\r\nPolygons:  %d\r\nAA Passes:  %d\r\n"
             "Raytrace Shadows:  %s\r\nRaytrace Reflections:  %s\r\nRaytrace Refraction:  %s\r\n"
             "Recursion Depth:  %d\r\nField Rendering:  %s\r\nMotion Blur:  %s\r\nDepth of Field:  %s\r\n",
             int(s.frameNumber), int(s.points), int(s.polygons), int(s.aaPasses), onOff(s.renderOptions, 0),
             onOff(s.renderOptions, 1), onOff(s.renderOptions, 2), int(s.recursionDepth), onOff(s.renderOptions, 3),
             onOff(s.renderOptions, 5), onOff(s.renderOptions, 6));
}

void appendToNotes(char* notes, size_t size, const char* addition)
{
    if (size == 0) return;
    size_t length = strnlen(notes, size - 1);
    notes[length] = '\0';
    if (length > 0) length += strlen(strncat(notes + length, "\r\n", size - 1 - length));
    if (length < size - 1) strncat(notes + length, addition, size - 1 - length);
}
