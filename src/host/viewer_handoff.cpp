#include "host/viewer_handoff.h"

#include <chrono>

#include "image/image.h"

static void dropImage(Image* image)
{
    freeImage(image);
}

static void closeNothing() {}

static uint32_t steadyMilliseconds()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

static SessionPlatform g_platform = {dropImage, closeNothing, steadyMilliseconds, nullptr};

void setSessionPlatform(const SessionPlatform& platform)
{
    g_platform = platform;
}

const SessionPlatform& sessionPlatform()
{
    return g_platform;
}
