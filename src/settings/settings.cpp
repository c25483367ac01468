#include "settings/settings.h"

#include <stdio.h>
#include <string.h>

static Settings g_settings;

Settings* settingsRecord()
{
    return &g_settings;
}

static void copyText(char* dst, size_t size, const char* src)
{
    snprintf(dst, size, "%s", src);
}

void applyDefaultSettings(Settings* s)
{
    copyText(s->configPath, sizeof s->configPath, "zr4.cfg");

    TextOptions* t = &s->text;
    t->font.lfHeight = -24;
    t->font.lfWeight = 400;
    copyText(t->font.lfFaceName, sizeof t->font.lfFaceName, "Arial");
    t->text[0] = 0;
    t->colour = 0x00FFFFFF;
    t->anchorX = 10;
    t->baselineY = 30;
    t->alignment = ALIGN_LEFT;
    t->shadowEnabled = 1;
    t->shadowDx = 2;
    t->shadowDy = 2;

    s->hot.videoStandard = VIDEO_NTSC;
    s->hot.pedestal = 7.5f;
    s->hot.compositeLimit = 110.0f;
    s->hot.chromaLimit = 50.0f;

    s->safe.frameAspect = 1.85f;
    s->safe.frameMargin = 0.02f;
    s->safe.kinds = SAFE_VIDEO;
    s->safe.style = SAFE_OUTLINE;

    s->defaultBlack = 0.0f;
    s->defaultWhite = 1.0f;
    s->pixelDisplayType = 0;
    s->closeRenderStatus = 1;
}
