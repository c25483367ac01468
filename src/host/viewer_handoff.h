// Where a finished frame goes at pause.
#pragma once

struct Image;

// Takes ownership of image.
void handImageToViewer(Image* image);
