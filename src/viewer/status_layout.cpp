#include "viewer/status_layout.h"

void statusPartEdges(int32_t clientWidth, const StatusWidths& w, int32_t edges[STATUS_PARTS])
{
    if (clientWidth < statusMinimumWidth(w)) clientWidth = statusMinimumWidth(w);
    edges[4] = clientWidth - w.grip;
    edges[3] = edges[4] - w.progress;
    edges[2] = edges[3] - w.values;
    edges[1] = edges[2] - w.coordinates;
    edges[0] = edges[1] - w.zoom;
}

int32_t statusMinimumWidth(const StatusWidths& w)
{
    return w.minName + w.zoom + w.coordinates + w.values + w.progress + w.grip;
}

size_t charactersBeforeEllipsis(const int32_t* prefix, size_t length, int32_t ellipsisWidth, int32_t width)
{
    if (length == 0 || prefix[length - 1] <= width) return length;
    size_t n = length - 1;
    while (n > 0 && prefix[n - 1] + ellipsisWidth > width) n--;
    return n;
}
