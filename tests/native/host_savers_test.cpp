// Saving through the host's savers: what the host's pixmap receives.
#include <gtest/gtest.h>
#include <math.h>

#include <string>
#include <vector>

#include "image_test_util.h"
#include "output/host_savers.h"
#include "disk_files.h"

namespace {

// A host image-utility service that records what it is given.
struct FakeHost {
    int width = 0, height = 0, type = 0;
    std::vector<float> pixels;
    std::string savedPath;
    int savedWith = -1, destroyed = 0, saveResult = 1;
    bool refuseCreate = false;
};
FakeHost g_host;

LWImageUtil fakeUtil()
{
    LWImageUtil u = {};
    u.create = [](int w, int h, int type) -> LWPixmapID {
        if (g_host.refuseCreate) return nullptr;
        g_host.width = w, g_host.height = h, g_host.type = type;
        g_host.pixels.assign(size_t(w * h * (type == LWIMTYP_RGBAFP ? 4 : 1)), -7.0f);
        return &g_host;
    };
    u.destroy = [](LWPixmapID) { g_host.destroyed++; };
    u.save = [](LWPixmapID, int saver, const char* path) {
        g_host.savedWith = saver;
        g_host.savedPath = path;
        return g_host.saveResult;
    };
    u.setPixel = [](LWPixmapID, int x, int y, void* pixel) {
        int n = g_host.type == LWIMTYP_RGBAFP ? 4 : 1;
        const float* f = static_cast<const float*>(pixel);
        for (int c = 0; c < n; c++) g_host.pixels[size_t((y * g_host.width + x) * n + c)] = f[c];
    };
    u.saverCount = []() { return 2; };
    u.saverName = [](int i) { return i == 0 ? "Targa (.tga)" : "Portable Float Map"; };
    return u;
}

int g_start, g_steps;
void progress(int n)
{
    if (n)
        g_start = n, g_steps = 0;
    else
        g_steps++;
}

}  // namespace

TEST(HostSavers, ColourPassesEverySampleAsRenderedTopRowFirst)
{
    g_host = FakeHost();
    LWImageUtil util = fakeUtil();
    ViewPtr view(newView(randomImage(5, 3, 11)));  // NaN, infinities and out-of-range values included
    ASSERT_TRUE(view);
    RecordedFiles files;
    const FileDestination to = {"C:/out/render.0001", ".tga", recordingFiles(&files)};
    EXPECT_EQ(saveThroughHostColour(&util, view.get(), to, 1, progress), 1);
    EXPECT_EQ(g_host.type, LWIMTYP_RGBAFP);
    EXPECT_EQ(g_host.width, 5);
    EXPECT_EQ(g_host.height, 3);
    const Image* image = view->image;
    for (int i = 0; i < 15; i++) {
        const float expected[4] = {image->red[i], image->green[i], image->blue[i], image->alpha[i]};
        for (int c = 0; c < 4; c++) {
            float got = g_host.pixels[size_t(i * 4 + c)];
            if (isnan(expected[c]))
                EXPECT_TRUE(isnan(got)) << i;
            else
                EXPECT_EQ(got, expected[c]) << i << " channel " << c;
        }
    }
    EXPECT_EQ(g_host.savedWith, 1);
    // The saver writes a temporary beside the file, with the type's
    // extension, which then replaces the file.
    EXPECT_EQ(g_host.savedPath, "C:/out/~0.tga");
    ASSERT_EQ(files.replaced.size(), 1u);
    EXPECT_EQ(files.replaced[0].first, g_host.savedPath);
    EXPECT_EQ(files.replaced[0].second, "C:/out/render.0001");
    EXPECT_EQ(g_host.destroyed, 1);
    EXPECT_EQ(g_start, 4) << "height + 1";
    EXPECT_EQ(g_steps, 4) << "a step a row and one for the host's save";
}

TEST(HostSavers, AlphaPassesTheAlphaAloneAndTheHostsResult)
{
    g_host = FakeHost();
    g_host.saveResult = 0;
    LWImageUtil util = fakeUtil();
    ViewPtr view(newView(randomImage(4, 2, 3)));
    ASSERT_TRUE(view);
    RecordedFiles files;
    EXPECT_EQ(saveThroughHostAlpha(&util, view.get(), {"b.pfm", nullptr, recordingFiles(&files)}, 0, nullptr), 0)
        << "the host's failure";
    EXPECT_TRUE(files.replaced.empty()) << "a failed saver's file replaces nothing";
    EXPECT_EQ(g_host.savedPath, "~0.pfm");
    g_host.saveResult = 1;
    files.refuseReplace = true;
    EXPECT_EQ(saveThroughHostAlpha(&util, view.get(), {"b.pfm", nullptr, recordingFiles(&files)}, 0, nullptr), 0)
        << "the replace refused";
    EXPECT_EQ(g_host.type, LWIMTYP_GREYFP);
    ASSERT_EQ(g_host.pixels.size(), 8u);
    for (int i = 0; i < 8; i++) {
        if (isnan(view->image->alpha[i])) continue;
        EXPECT_EQ(g_host.pixels[size_t(i)], view->image->alpha[i]) << i;
    }
    EXPECT_EQ(g_host.destroyed, 2);
}

TEST(HostSavers, NoServiceOrNoPixmapAsksTheHostNothing)
{
    g_host = FakeHost();
    ViewPtr view(newView(randomImage(2, 2, 5)));
    ASSERT_TRUE(view);
    g_start = 0;
    RecordedFiles files;
    const FileDestination to = {"x", nullptr, recordingFiles(&files)};
    EXPECT_EQ(saveThroughHostColour(nullptr, view.get(), to, 0, progress), 0);
    LWImageUtil util = fakeUtil();
    View bare = {};
    EXPECT_EQ(saveThroughHostColour(&util, &bare, to, 0, progress), 0) << "a view without its image";
    g_host.refuseCreate = true;
    EXPECT_EQ(saveThroughHostColour(&util, view.get(), to, 0, progress), 0);
    EXPECT_TRUE(files.temporaries.empty());
    EXPECT_EQ(g_host.savedWith, -1);
    EXPECT_EQ(g_start, 0) << "no meter without a pixmap";
    EXPECT_EQ(hostSaverCount(nullptr), 0);
    EXPECT_EQ(hostSaverName(nullptr, 0), nullptr);
    EXPECT_EQ(hostSaverCount(&util), 2);
    EXPECT_STREQ(hostSaverName(&util, 0), "Targa (.tga)");
    EXPECT_EQ(hostSaverName(&util, 2), nullptr) << "past the list";
    EXPECT_EQ(hostSaverName(&util, -1), nullptr);
}
