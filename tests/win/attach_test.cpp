// What the library does when it is attached to and detached from a process:
// its icons and the viewer's window classes.
#include "plugin_fixture.h"

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

TEST_F(LibraryAttachTest, RegistersTheViewerMainClass)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(session.plugin.module, "ZRImageViewMain", &wc));
    EXPECT_EQ(wc.style, UINT(CS_VREDRAW | CS_HREDRAW));
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_NE(wc.hIconSm, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(16));
    EXPECT_EQ(wc.lpszMenuName, nullptr);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
}

TEST_F(LibraryAttachTest, RegistersTheImagePaneClass)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(session.plugin.module, "ZRImageViewDraw", &wc));
    EXPECT_EQ(wc.style, UINT(CS_VREDRAW | CS_HREDRAW));
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(17));
    EXPECT_EQ(wc.cbWndExtra, 0);
}

TEST_F(LibraryAttachTest, UnloadsAndReloadsWithOrWithoutActivation)
{
    unload();  // never activated
    load();
    activateServers(&session, 4);
    EXPECT_EQ(session.handlerResult, 0);
    unload();  // activated: releases what it holds
    load();
    activateServers(&session, 4);
    EXPECT_EQ(session.handlerResult, 0);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    EXPECT_TRUE(GetClassInfoExA(session.plugin.module, "ZRImageViewMain", &wc));
}
