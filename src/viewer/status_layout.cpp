#include "viewer/status_layout.h"

void statusPartEdges(int32_t clientWidth, const StatusWidths& w, int comparing, int32_t edges[STATUS_PARTS])
{
    const int32_t least = statusMinimumWidth(w, comparing);
    if (clientWidth < least) clientWidth = least;
    int32_t values = w.values;
    if (comparing && w.compareValues > values) {
        int32_t room = clientWidth - (least - w.values);
        values = w.compareValues < room ? w.compareValues : room;
        if (values < w.values) values = w.values;
    }
    edges[4] = clientWidth - w.grip;
    edges[3] = edges[4] - w.progress;
    edges[2] = edges[3] - values;
    edges[1] = edges[2] - w.coordinates;
    edges[0] = edges[1] - w.zoom;
}

int32_t statusMinimumWidth(const StatusWidths& w, int comparing)
{
    return w.minName + (comparing ? w.reference : 0) + w.zoom + w.coordinates + w.values + w.progress + w.grip;
}

size_t charactersBeforeEllipsis(const int32_t* prefix, size_t length, int32_t ellipsisWidth, int32_t width)
{
    if (length == 0 || prefix[length - 1] <= width) return length;
    size_t n = length - 1;
    while (n > 0 && prefix[n - 1] + ellipsisWidth > width) n--;
    return n;
}
