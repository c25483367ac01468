#include "output/host_savers.h"

int hostSaverCount(const LWImageUtil* util)
{
    return util && util->saverCount ? util->saverCount() : 0;
}

const char* hostSaverName(const LWImageUtil* util, int index)
{
    if (!util || !util->saverName || index < 0 || index >= hostSaverCount(util)) return nullptr;
    return util->saverName(index);
}

struct HostSave {
    const LWImageUtil* util;
    LWPixmapID pixmap;
    int saver;
};

static int hostSaveInto(const char* temporary, void* context)
{
    const HostSave* s = static_cast<const HostSave*>(context);
    return s->util->save(s->pixmap, s->saver, temporary) != 0;
}

static int saveThroughHost(const LWImageUtil* util, const View* view, const FileDestination& to, int saver,
                           void (*progress)(int n), bool colour)
{
    if (!util || !view || !view->image) return 0;
    const Image* image = view->image;
    LWPixmapID pixmap = util->create(image->width, image->height, colour ? LWIMTYP_RGBAFP : LWIMTYP_GREYFP);
    if (!pixmap) return 0;
    if (progress) progress(image->height + 1);
    for (int y = 0; y < image->height; y++) {
        size_t row = size_t(y) * size_t(image->width);
        for (int x = 0; x < image->width; x++) {
            size_t i = row + size_t(x);
            float pixel[4] = {image->red[i], image->green[i], image->blue[i], image->alpha[i]};
            util->setPixel(pixmap, x, y, colour ? pixel : pixel + 3);
        }
        if (progress) progress(0);
    }
    // The saver writes into a temporary of ours, which takes the path's
    // place only once the saver says it is whole.
    HostSave save = {util, pixmap, saver};
    int result = replaceFileThrough(to.files, to.path, to.extension, hostSaveInto, &save);
    if (progress) progress(0);
    util->destroy(pixmap);
    return result;
}

int saveThroughHostColour(const LWImageUtil* util, const View* view, const FileDestination& to, int saver,
                          void (*progress)(int n))
{
    return saveThroughHost(util, view, to, saver, progress, true);
}

int saveThroughHostAlpha(const LWImageUtil* util, const View* view, const FileDestination& to, int saver,
                         void (*progress)(int n))
{
    return saveThroughHost(util, view, to, saver, progress, false);
}
