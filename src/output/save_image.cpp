#include "output/save_image.h"

#include "display/levels.h"
#include "image/view_state.h"
#include "output/bmp_writer.h"
#include "output/host_savers.h"
#include "output/iff_writer.h"
#include "output/save_types.h"

static int writeBitmap(const DisplayBitmap* bitmap, int type, const FileDestination& to, void (*progress)(int n))
{
    if (type == TYPE_ZR_IFF) {
        int bytesPerPixel = bitmap->header.biBitCount == 8 ? 1 : 3;
        return writeIff(to.path, to.files, bitmap->pixels, bitmap->width, bitmap->height, bitmap->stride,
                        bytesPerPixel, progress);
    }
    return WriteBmpFile(to.path, to.files, &bitmap->header, bitmap->pixels, bitmap->stride);
}

// The colour bitmap as it would be at black 0 and white 1; the view's own
// when those are its levels, else a new one the caller frees.
static DisplayBitmap* fullRangeColour(const View* view, bool* made)
{
    const Image* image = view->image;
    *made = false;
    if (image->black == 0.0f && image->white == 1.0f) return view->colour;
    DisplayBitmap* bitmap = newColourBitmap(image->width, image->height);
    if (!bitmap) return nullptr;
    Image fullRange = *image;  // shares the channels, which convertColour only reads
    fullRange.black = 0.0f;
    fullRange.white = 1.0f;
    convertColour(&fullRange, bitmap);
    *made = true;
    return bitmap;
}

static SaveOutcome outcome(int ok)
{
    return ok ? SAVE_WRITTEN : SAVE_FAILED;
}

SaveOutcome saveImageAs(const View* view, int channelView, int type, const FileDestination& to,
                        const LWImageUtil* util, void (*progress)(int n))
{
    if (!view || !view->image || !to.path || !to.files) return SAVE_FAILED;
    bool alpha = channelView == CHANNEL_ALPHA;
    if (type >= 0) {
        return outcome(alpha ? saveThroughHostAlpha(util, view, to, type, progress)
                             : saveThroughHostColour(util, view, to, type, progress));
    }
    if (type != TYPE_ZR_BMP && type != TYPE_ZR_IFF) return SAVE_FAILED;
    if (alpha) return outcome(view->alpha && writeBitmap(view->alpha, type, to, progress));
    bool made;
    DisplayBitmap* colour = fullRangeColour(view, &made);
    if (!colour) return SAVE_NO_MEMORY;
    SaveOutcome result = outcome(writeBitmap(colour, type, to, progress));
    if (made) freeDisplayBitmap(colour);
    return result;
}
