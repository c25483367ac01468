#include "dialogs/sheet_copy.h"

#include <stdio.h>
#include <string.h>

#include "dialogs/sheet_values.h"

static bool differ(float oldValue, float newValue)
{
    return ValuesDiffer(oldValue, newValue, SHEET_DIGITS) != 0;
}

static bool levelsDiffer(const Image* old, float black, float white)
{
    return differ(old->black, black) || differ(old->white, white);
}

static bool hotDiffers(const HotParams& old, const HotParams& edited)
{
    return differ(old.pedestal, edited.pedestal) || differ(old.compositeLimit, edited.compositeLimit) ||
           differ(old.chromaLimit, edited.chromaLimit) || old.videoStandard != edited.videoStandard;
}

static bool safeDiffers(const SafeParams& old, const SafeParams& edited)
{
    return differ(old.frameAspect, edited.frameAspect) || differ(old.frameMargin, edited.frameMargin) ||
           old.kinds != edited.kinds || old.style != edited.style;
}

void LoadSheetCopy(SheetCopy* copy, const View* view, const Settings* settings)
{
    memset(copy, 0, sizeof *copy);
    const Image* image = view->image;
    snprintf(copy->name, sizeof copy->name, "%s", view->name);
    snprintf(copy->notes, sizeof copy->notes, "%s", view->notes);
    copy->creationTime = time_t(image->creationTime);
    copy->renderTime = image->renderTime;
    copy->imageNumber = image->imageNumber;
    copy->frameNumber = image->frameNumber;
    copy->points = sceneFactInt(image, SCENE_POINTS);
    copy->polygons = sceneFactInt(image, SCENE_POLYGONS);
    copy->renderOptions = sceneFactInt(image, SCENE_RENDER_OPTS);
    copy->aaPasses = sceneFactInt(image, SCENE_AA_PASSES);
    copy->recursionDepth = sceneFactInt(image, SCENE_RECURSION);
    copy->black = image->black;
    copy->white = image->white;
    copy->pixelDisplayType = settings->pixelDisplayType;
    copy->hot = view->hot;
    copy->safe = view->safe;
}

unsigned ApplySheetCopy(const SheetCopy* copy, View* view, Settings* settings, unsigned* allImages)
{
    unsigned changed = 0, all = 0;
    Image* image = view->image;
    settings->pixelDisplayType = copy->pixelDisplayType;
    snprintf(view->name, sizeof view->name, "%s", copy->name);
    snprintf(view->notes, sizeof view->notes, "%s", copy->notes);

    if (levelsDiffer(image, copy->black, copy->white)) {
        changed |= GROUP_LEVELS;
        image->black = copy->black;
        image->white = copy->white;
    }
    if (copy->makeDefault[0]) {  // as entered, whether or not the image took them
        settings->defaultBlack = copy->black;
        settings->defaultWhite = copy->white;
    }
    if (copy->applyToAll[0]) all |= GROUP_LEVELS;

    if (hotDiffers(view->hot, copy->hot)) {
        changed |= GROUP_HOT;
        view->hot = copy->hot;
    }
    if (copy->makeDefault[1]) settings->hot = view->hot;
    if (copy->applyToAll[1]) all |= GROUP_HOT;

    if (safeDiffers(view->safe, copy->safe)) {
        changed |= GROUP_SAFE;
        view->safe = copy->safe;
    }
    if (copy->makeDefault[2]) settings->safe = view->safe;
    if (copy->applyToAll[2]) all |= GROUP_SAFE;

    *allImages = all;
    return changed;
}

void ApplyToAllImages(const View* current, unsigned flags, View* const* views, int count,
                      void (*refresh)(View* view, unsigned groups))
{
    for (int i = 0; i < count; i++) {
        View* other = views[i];
        if (!other || other == current) continue;
        unsigned changed = 0;
        if ((flags & GROUP_LEVELS) && levelsDiffer(other->image, current->image->black, current->image->white)) {
            other->image->black = current->image->black;
            other->image->white = current->image->white;
            changed |= GROUP_LEVELS;
        }
        if ((flags & GROUP_HOT) && hotDiffers(other->hot, current->hot)) {
            other->hot = current->hot;
            changed |= GROUP_HOT;
        }
        if ((flags & GROUP_SAFE) && safeDiffers(other->safe, current->safe)) {
            other->safe = current->safe;
            changed |= GROUP_SAFE;
        }
        refresh(other, changed);
    }
}
