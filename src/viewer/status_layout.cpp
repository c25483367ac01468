#include "viewer/status_layout.h"

// While comparing, the values part holds the whole of the comparison's
// readout: three values and their labels.
static int32_t valuesWidth(const StatusWidths& w, int comparing)
{
    return comparing && w.compareValues > w.values ? w.compareValues : w.values;
}

void statusPartEdges(int32_t clientWidth, const StatusWidths& w, int comparing, int32_t edges[STATUS_PARTS])
{
    const int32_t least = statusMinimumWidth(w, comparing);
    if (clientWidth < least) clientWidth = least;
    edges[4] = clientWidth - w.grip;
    edges[3] = edges[4] - w.progress;
    edges[2] = edges[3] - valuesWidth(w, comparing);
    edges[1] = edges[2] - w.coordinates;
    edges[0] = edges[1] - w.zoom;
}

int32_t statusMinimumWidth(const StatusWidths& w, int comparing)
{
    return w.minName + (comparing ? w.reference : 0) + w.zoom + w.coordinates + valuesWidth(w, comparing) + w.progress +
           w.grip;
}

size_t charactersBeforeEllipsis(const int32_t* prefix, size_t length, int32_t ellipsisWidth, int32_t width)
{
    if (length == 0 || prefix[length - 1] <= width) return length;
    size_t n = length - 1;
    while (n > 0 && prefix[n - 1] + ellipsisWidth > width) n--;
    return n;
}
