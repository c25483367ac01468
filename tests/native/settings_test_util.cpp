#include "settings_test_util.h"

#include <string.h>

#include "settings/settings_io.h"
#include "zrhost/text_state.h"

std::string settingsText(const Settings& settings)
{
    LWSaveState* ss = newTextSaveState(LWIO_SCENE);
    writeSettings(&settings, ss);
    std::string text = textSaveStateText(ss);
    freeTextSaveState(ss);
    return text;
}

int readSettingsText(Settings* settings, const std::string& text)
{
    LWLoadState* ls = newTextLoadState(text.data(), text.size(), LWIO_SCENE);
    readSettings(settings, ls);
    int depth = ls->depth(ls->readData);
    freeTextLoadState(ls);
    return depth;
}

Settings defaultSettings()
{
    Settings s;
    memset(&s, 0, sizeof s);
    applyDefaultSettings(&s);
    return s;
}

Settings unusualSettings()
{
    Settings s;
    memset(&s, 0, sizeof s);
    applyDefaultSettings(&s);
    LOGFONTA& f = s.text.font;
    f.lfHeight = -37;
    f.lfWidth = 11;
    f.lfEscapement = 900;
    f.lfOrientation = -900;
    f.lfWeight = 700;
    f.lfItalic = 1;
    f.lfUnderline = 1;
    f.lfStrikeOut = 0;
    f.lfCharSet = 0xFF;  // OEM: a byte above 127 survives the signed transfer
    f.lfOutPrecision = 3;
    f.lfClipPrecision = 2;
    f.lfQuality = 0x85;
    f.lfPitchAndFamily = 0x22;
    memset(f.lfFaceName, 0, sizeof f.lfFaceName);
    memset(f.lfFaceName, 'F', sizeof f.lfFaceName - 1);  // the longest face that fits
    s.text.colour = 0x01123456;  // a fourth byte other than 0 as well
    s.text.anchorX = -15;
    s.text.baselineY = 1234;
    s.text.alignment = 2;
    s.text.leftX = 77;
    memset(s.text.text, 0, sizeof s.text.text);
    std::string caption = "Shot 12 \"final\" \\ tab\there";
    while (caption.size() < sizeof s.text.text - 1) caption += char('a' + caption.size() % 26);
    memcpy(s.text.text, caption.data(), sizeof s.text.text - 1);
    s.text.shadowEnabled = 0;
    s.text.shadowDx = -3;
    s.text.shadowDy = 5;
    s.hot.videoStandard = 1;
    s.hot.pedestal = 0.1f;
    s.hot.compositeLimit = 1.0f / 3.0f;
    s.hot.chromaLimit = 123.456f;
    s.safe.frameAspect = 2.39f;
    s.safe.frameMargin = 1e-7f;
    s.safe.kinds = 3;
    s.safe.style = 1;
    s.defaultBlack = -0.125f;
    s.defaultWhite = 16.5f;
    s.pixelDisplayType = 1;
    s.closeRenderStatus = 0;
    return s;
}

bool storedFieldsEqual(const Settings& a, const Settings& b)
{
    size_t from = offsetof(Settings, text);
    return memcmp(reinterpret_cast<const char*>(&a) + from, reinterpret_cast<const char*>(&b) + from,
                  sizeof(Settings) - from) == 0;
}
