// A long session: two hundred frames into the viewer while keys are
// pressed. Nothing may leak and no frame may be lost.
#include <windows.h>

#include "viewer_fixture.h"

TEST_F(ViewerTest, TwoHundredFramesWithKeysLeakNothingAndLoseNothing)
{
    // Frames this large put every pixel block in its own allocation, so the
    // reading moves by well under a frame from heap fragmentation, while the
    // loss of any one block per image over 190 images is several frames.
    const int width = 1280, height = 720;
    const SIZE_T frameBytes = SIZE_T(width) * height * (16 + 3 + 1) + SIZE_T(width) * height / 4;
    const char* keys[] = {"+", "r", "h", ",", ".", "{RIGHT}", "g", "i", "a", "-", "f", "{SHIFT+DOWN}", "3", "b", "j"};
    ASSERT_TRUE(render(10, "spheres,bars,hdr", width, height));
    // Every key once first: fitting the viewer resizes it, and the platform
    // keeps a drawing surface of the window's size.
    for (const char* k : keys) sendKeys(viewer, k);
    render(1, "ramps", width, height);
    SIZE_T afterTen = committedBytes();
    for (int batch = 0; batch < 19; batch++) {  // 190 more; the warm-up frame makes 201
        for (int i = 0; i < 10; i++) {
            // A key, then a frame: the batch ends with a new image, which becomes current.
            sendKeys(viewer, keys[(batch * 10 + i) % (sizeof keys / sizeof keys[0])]);
            handOver(1, i % 2 ? "ramps" : "hdr", width, height);
            // One frame in flight at a time, as a render of real scenes goes: the
            // memory measured is then the viewer's, not the depth of its queue.
            ASSERT_TRUE(waitForName("Untitled" + std::to_string(framesRendered), 10000)) << statusText(viewer, 0);
        }
        ASSERT_TRUE(IsWindow(viewer));
    }
    EXPECT_EQ(framesRendered, 201);
    EXPECT_EQ(enabledSlots(viewer), 10);
    SIZE_T after = committedBytes();
    EXPECT_LT(after, afterTen + frameBytes) << "after ten frames " << afterTen << ", after two hundred " << after;
}
