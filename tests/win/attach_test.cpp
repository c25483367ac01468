// What the library does when it is attached to and detached from a process:
// its icons, and window classes that go with it.
#include "plugin_fixture.h"
#include "zrhost/render.h"
#include "zrhost/viewer_remote.h"

namespace {

SIZE iconSize(HICON icon)
{
    ICONINFO info = {};
    SIZE size = {0, 0};
    if (!GetIconInfo(icon, &info)) return size;
    BITMAP bm = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    size.cx = bm.bmWidth;
    size.cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

}  // namespace

using LibraryAttachTest = PluginTest;

TEST_F(LibraryAttachTest, CarriesBothIconsAtTheirSizes)
{
    for (auto icon : {std::pair<const char*, int>{"lgicon", 32}, {"smicon", 16}}) {
        HICON h = static_cast<HICON>(LoadImageA(session.plugin.module, icon.first, IMAGE_ICON, icon.second,
                                                icon.second, 0));
        ASSERT_NE(h, nullptr) << icon.first;
        SIZE s = iconSize(h);
        EXPECT_EQ(s.cx, icon.second) << icon.first;
        EXPECT_EQ(s.cy, icon.second) << icon.first;
        DestroyIcon(h);
    }
}

// A library loaded again, often at the same address, must find neither of
// its classes still registered with the icons it destroyed: the viewer of
// every load shows icons that exist.
TEST_F(LibraryAttachTest, UnloadsAndReloadsWithOrWithoutActivation)
{
    HINSTANCE first = session.plugin.module;
    unload();  // never activated
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    EXPECT_FALSE(GetClassInfoExA(first, "ZRImageViewMain", &wc)) << "the main class stayed registered";
    EXPECT_FALSE(GetClassInfoExA(first, "ZRImageViewDraw", &wc)) << "the pane class stayed registered";
    for (int cycle = 0; cycle < 2; cycle++) {
        load();
        activateServers(&session, 4);
        ASSERT_EQ(session.handlerResult, 0);
        LWInstance instance = session.instanceFuncs.create(nullptr, nullptr, nullptr);
        RenderOptions options;
        options.width = 32;
        options.height = 24;
        options.pattern = "ramps";
        options.renderStatus = false;
        std::string error;
        ASSERT_TRUE(renderFrames(&session, instance, options, &error)) << error;
        HWND viewer = findViewer(5000);
        ASSERT_NE(viewer, nullptr) << "cycle " << cycle;
        ICONINFO info = {};
        HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(viewer, GCLP_HICON));
        ASSERT_TRUE(GetIconInfo(icon, &info)) << "cycle " << cycle << ": the class icon was destroyed";
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        HICON small = reinterpret_cast<HICON>(GetClassLongPtrA(viewer, GCLP_HICONSM));
        ASSERT_TRUE(GetIconInfo(small, &info)) << "cycle " << cycle << ": the small icon was destroyed";
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        ASSERT_TRUE(closeOpenViewers());
        session.instanceFuncs.destroy(instance);
        unload();
        waitUntilUnloaded(inPlugin("zr40.p").c_str(), 5000);
        ASSERT_EQ(GetModuleHandleA(inPlugin("zr40.p").c_str()), nullptr);
    }
    load();
}
