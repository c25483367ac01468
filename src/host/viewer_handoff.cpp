#include "host/viewer_handoff.h"

#include "image/image.h"

// No viewer yet: a finished frame is accepted and dropped.
void handImageToViewer(Image* image)
{
    freeImage(image);
}
