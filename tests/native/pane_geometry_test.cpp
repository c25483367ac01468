// The image pane's arithmetic: zoom anchoring, scroll steps, scroll bars,
// the bitmap rectangle behind a paint rectangle, and fitting to the screen.
#include <gtest/gtest.h>
#include <string.h>

#include "viewer/pane_geometry.h"
#include "viewer/zoom.h"

TEST(ScrollToKeep, MagnifiedTheKeptPixelCoversThePoint)
{
    // A 1280-pixel row in a pane 601 wide, at every magnification and at
    // points across the pane, for pixels well inside the row.
    for (int zoom = ZOOM_ONE; zoom <= ZOOM_MAX; zoom++) {
        int32_t sw = scaledSize(1280, zoom);
        for (int at : {0, 1, 150, 300, 301, 599, 600})
            for (int64_t pixel : {int64_t(600), int64_t(640), int64_t(641)}) {
                int32_t s = scrollToKeep(pixel, at, zoom, 601, sw);
                if (s == 0 || s >= sw - 601 - (zoom - 63)) continue;  // held at an end
                ASSERT_EQ(imagePixelAt(s, at, zoom), pixel) << zoom << " at " << at;
                ASSERT_EQ(s % (zoom - 63), 0) << zoom << ": a whole image pixel";
            }
    }
}

TEST(ScrollToKeep, ZoomedOutTheScreenPixelCoversTheKeptPixel)
{
    for (int zoom = ZOOM_MIN; zoom < ZOOM_ONE; zoom++) {
        int d = 65 - zoom;
        int32_t sw = scaledSize(100000, zoom);
        for (int at : {0, 7, 300})
            for (int64_t pixel : {int64_t(50000), int64_t(50001), int64_t(50000 + d - 1)}) {
                int32_t s = scrollToKeep(pixel, at, zoom, 601, sw);
                int64_t shown = imagePixelAt(s, at, zoom);
                ASSERT_LE(shown, pixel) << "1/" << d;
                ASSERT_GT(shown + d, pixel) << "1/" << d;
            }
    }
}

TEST(ScrollToKeep, ClampsAtTheImagesEndsAndNeverScrollsASmallImage)
{
    EXPECT_EQ(scrollToKeep(3, 300, 70, 601, 7 * 1280), 0) << "near the start";
    // At 7x the far end is 8960 - 601 = 8359, snapped down to 8358.
    EXPECT_EQ(scrollToKeep(1279, 300, 70, 601, 7 * 1280), 8358);
    EXPECT_EQ(scrollToKeep(50, 10, 64, 601, 100), 0) << "narrower than the pane";
    EXPECT_EQ(scrollToKeep(-40, 10, 64, 601, 10000), 0) << "a pixel before the image";
    EXPECT_EQ(scrollToKeep(301, 300, 64, 601, 10000), 1) << "the least scroll there is";
}

TEST(ScrollToKeep, KeyZoomStepsReturnToTheCentrePixel)
{
    // Pixel 640 of a 1280 row at the middle of a 1011-wide pane, 64 steps in
    // and 64 out, each step reading the centre pixel anew.
    int zoom = ZOOM_ONE, at = 505;
    int32_t s = scrollToKeep(640, at, zoom, 1011, 1280);
    ASSERT_EQ(imagePixelAt(s, at, zoom), 640);
    for (int step = 0; step < 64; step++) {
        int64_t centre = imagePixelAt(s, at, zoom);
        zoom++;
        s = scrollToKeep(centre, at, zoom, 1011, scaledSize(1280, zoom));
        ASSERT_EQ(imagePixelAt(s, at, zoom), 640) << zoom;
    }
    for (int step = 0; step < 64; step++) {
        int64_t centre = imagePixelAt(s, at, zoom);
        zoom--;
        s = scrollToKeep(centre, at, zoom, 1011, scaledSize(1280, zoom));
    }
    EXPECT_EQ(imagePixelAt(s, at, zoom), 640);
}

TEST(ScrollToKeep, ImagePixelAtCountsBeforeTheImageToo)
{
    EXPECT_EQ(imagePixelAt(0, -1, 66), -1) << "3x: the screen pixel before the image";
    EXPECT_EQ(imagePixelAt(0, -3, 66), -1);
    EXPECT_EQ(imagePixelAt(0, -4, 66), -2);
    EXPECT_EQ(imagePixelAt(10, 5, 61), 60) << "1/4x";
}

TEST(WheelZoom, PowersOfTwoWithTheEndsAt65)
{
    // In from 1/65x to 65x and back out: the text of each notch.
    const int ladder[] = {-65, -64, -32, -16, -8, -4, -2, 1, 2, 4, 8, 16, 32, 64, 65};
    auto indexOf = [](int level) { return level > 0 ? level + 63 : 65 + level; };
    for (size_t i = 0; i + 1 < sizeof ladder / sizeof ladder[0]; i++) {
        EXPECT_EQ(wheelZoomIndex(indexOf(ladder[i]), +1), indexOf(ladder[i + 1])) << ladder[i];
        EXPECT_EQ(wheelZoomIndex(indexOf(ladder[i + 1]), -1), indexOf(ladder[i])) << ladder[i + 1];
    }
    EXPECT_EQ(wheelZoomIndex(ZOOM_MAX, +1), ZOOM_MAX);
    EXPECT_EQ(wheelZoomIndex(ZOOM_MIN, -1), ZOOM_MIN);
    // From a step between powers, to the next power either way.
    EXPECT_EQ(wheelZoomIndex(66, +1), 67) << "3x in: 4x";
    EXPECT_EQ(wheelZoomIndex(66, -1), 65) << "3x out: 2x";
    EXPECT_EQ(wheelZoomIndex(62, +1), 63) << "1/3x in: 1/2x";
    EXPECT_EQ(wheelZoomIndex(62, -1), 61) << "1/3x out: 1/4x";
    EXPECT_EQ(wheelZoomIndex(100, 0), 100);
}

// A smooth wheel's turns, one after another on one wheel, and the notches
// each gives: halves add up, and a turn back is never swallowed.
TEST(WheelZoom, PartialTurnsAddUpAndATurnBackStartsAfresh)
{
    const struct {
        int delta, notches;
    } turns[] = {{60, 0}, {60, 1}, {60, 0}, {-120, -1}, {-60, 0}, {-60, -1}, {-30, 0},
                 {240, 2}, {-360, -3}, {359, 2}, {1, 1}, {0, 0}, {-30, 0}, {0, 0}, {-90, -1}};
    int rest = 0;
    for (const auto& t : turns) EXPECT_EQ(wheelNotches(&rest, t.delta), t.notches) << t.delta;
    EXPECT_EQ(rest, 0);
}

TEST(ScrollPosition, LinesPagesAndEnds)
{
    EXPECT_EQ(scrollPositionFor(1, 0, 1000, 64, 1.0f, 0), 4);
    EXPECT_EQ(scrollPositionFor(3, 0, 1000, 64, 1.0f, 0), 64);
    EXPECT_EQ(scrollPositionFor(0, 2, 1000, 64, 1.0f, 0), 0);
    EXPECT_EQ(scrollPositionFor(7, 5, 1000, 64, 1.0f, 0), 1000);
    EXPECT_EQ(scrollPositionFor(6, 500, 1000, 64, 1.0f, 0), 0);
    EXPECT_EQ(scrollPositionFor(5, 0, 1000, 64, 1.0f, 700), 700);
    EXPECT_EQ(scrollPositionFor(5, 0, 1000, 64, 1.0f, 7000), 1000);
    EXPECT_EQ(scrollPositionFor(8, 123, 1000, 64, 1.0f, 0), 123) << "SB_ENDSCROLL";
    // Below one to one a line is still 4 displayed pixels.
    EXPECT_EQ(scrollPositionFor(1, 0, 1000, 60, 0.2f, 0), 4);
}

TEST(ScrollPosition, MagnifiedStepsAreWholeImagePixels)
{
    // 3x: a line is 4 image pixels = 12 displayed pixels.
    EXPECT_EQ(scrollPositionFor(1, 0, 10000, 66, 3.0f, 0), 12);
    EXPECT_EQ(scrollPositionFor(3, 0, 10000, 66, 3.0f, 0), 192);
    EXPECT_EQ(scrollPositionFor(5, 0, 10000, 66, 3.0f, 1001), 999);
    // The far edge itself is snapped when it is not a multiple.
    EXPECT_EQ(scrollPositionFor(7, 0, 1000, 66, 3.0f, 0), 999);
}

TEST(ScrollPosition, WideOffsetsReachTheFarEdgeAt65x)
{
    // A 4K frame at 65x: 249600 displayed pixels, far beyond 16 bits.
    int32_t sw = scaledSize(3840, 128);
    int32_t max = sw - 1000;
    int32_t end = scrollPositionFor(7, 0, max, 128, 65.0f, 0);
    EXPECT_EQ(end, max - max % 65);
    EXPECT_GT(end, 200000);
    EXPECT_EQ(scrollPositionFor(5, 0, max, 128, 65.0f, 240000), 240000 - 240000 % 65);
}

// A 400 x 300 window with 16-pixel bars: a bar that one overflow brings
// can cost the other side the room it needed, and a side left with exactly
// its image's size needs no bar.
TEST(ScrollRanges, EachBarWhereItsSideOverflowsOnceTheOtherTakesItsShare)
{
    const struct {
        int32_t sw, sh;
        ScrollRanges want;
    } cases[] = {
        {300, 200, {400, 300, 0, 0, true}},      // fits: the whole window is the picture's
        {500, 290, {384, 284, 116, 6, false}},   // too wide, then too low for the bar
        {395, 500, {384, 284, 11, 216, false}},  // too tall, then too narrow
        {500, 500, {384, 284, 116, 216, false}},
        {100, 1000, {384, 300, 0, 700, false}},  // narrower than the view: no sideways scrolling
        {1000, 100, {400, 284, 600, 0, false}},  // height to spare: one bar
        {1000, 284, {400, 284, 600, 0, false}},  // exactly the height the bar leaves
        {384, 1000, {384, 300, 0, 700, false}},  // exactly the width the bar leaves
        {385, 1000, {384, 284, 1, 716, false}},  // one column more brings the second bar
    };
    for (const auto& t : cases) {
        ScrollRanges r = scrollRangesFor(t.sw, t.sh, 400, 300, 16);
        EXPECT_EQ(r.none, t.want.none) << t.sw << " x " << t.sh;
        EXPECT_EQ(r.viewWidth, t.want.viewWidth) << t.sw << " x " << t.sh;
        EXPECT_EQ(r.viewHeight, t.want.viewHeight) << t.sw << " x " << t.sh;
        EXPECT_EQ(r.maxX, t.want.maxX) << t.sw << " x " << t.sh;
        EXPECT_EQ(r.maxY, t.want.maxY) << t.sw << " x " << t.sh;
    }
}

// The source rectangle (x from the left, y from the bottom row) and where
// it lands, for strips at 1x, magnified (whole image pixels from the
// scroll) and reduced (whole screen pixels only); strips beside the image
// map to nothing.
TEST(PaintMapping, StripsMapToWholePixelsAndStopAtTheImage)
{
    const struct {
        PaneRect paint;
        int32_t scrollX, zoom, width, height;
        PaintMapping want;  // srcX, srcY, srcWidth, srcHeight, dstX, dstY, dstWidth, dstHeight
    } cases[] = {
        {{10, 20, 110, 70}, 0, 64, 640, 480, {10, 410, 100, 50, 10, 20, 100, 50}},
        {{0, 0, 500, 500}, 0, 64, 320, 240, {0, 0, 320, 240, 0, 0, 320, 240}},      // cut at the image
        {{639, 0, 650, 10}, 0, 65, 320, 240, {319, 235, 1, 5, 638, 0, 2, 10}},      // 2x: the last pixel whole
        {{0, 0, 60, 30}, 30, 66, 100, 100, {10, 90, 20, 10, 0, 0, 60, 30}},        // 3x, scrolled 10 pixels
        {{61, 0, 70, 3}, 30, 66, 100, 100, {30, 99, 4, 1, 60, 0, 12, 3}},          // from the pixel under column 61
        {{200, 0, 300, 10}, 0, 61, 1001, 100, {800, 60, 200, 40, 200, 0, 50, 10}},  // 1/4: no 251st column
        {{0, 0, 10, 10}, 0, 63, 8, 7, {0, 1, 8, 6, 0, 0, 4, 3}},                    // 1/2: rows 0 .. 5 of 7
    };
    for (const auto& t : cases) {
        PaintMapping m;
        ASSERT_TRUE(mapPaintRect(t.paint, t.scrollX, 0, t.zoom, t.width, t.height, &m)) << t.paint.left;
        EXPECT_EQ(memcmp(&m, &t.want, sizeof m), 0)
            << t.paint.left << ": " << m.srcX << " " << m.srcY << " " << m.srcWidth << " " << m.srcHeight << " "
            << m.dstX << " " << m.dstY << " " << m.dstWidth << " " << m.dstHeight;
    }
    PaintMapping m;
    for (auto [paint, zoom] : {std::pair<PaneRect, int>{{330, 0, 400, 100}, 64}, {{0, 250, 100, 300}, 64},
                               {{320, 0, 330, 10}, 64}, {{640, 0, 650, 10}, 65}})
        EXPECT_FALSE(mapPaintRect(paint, 0, 0, zoom, 320, 240, &m)) << paint.left << "," << paint.top;
    EXPECT_FALSE(mapPaintRect({250, 0, 260, 10}, 0, 0, 61, 1001, 100, &m));
}

namespace {

// The image column that screen column dst shows. The mapping's ratios are
// exact: below one to one the pane copies every d-th pixel (srcSize is
// d × dstSize), above it GDI repeats each pixel m times.
int32_t stretchedColumn(int32_t dst, int32_t srcStart, int32_t srcSize, int32_t dstStart, int32_t dstSize)
{
    return srcStart + int32_t(int64_t(dst - dstStart) * srcSize / dstSize);
}

}  // namespace

// At every zoom step, each screen pixel that shows the image names in the
// readout the very image pixel painted there, and every other one is
// background with no readout; on both axes, with odd sizes and scrolls.
TEST(PaintMapping, ReadoutNamesThePixelPaintedAtEveryZoomStep)
{
    const int32_t width = 97, height = 61;
    for (int zoom = ZOOM_MIN; zoom <= ZOOM_MAX; zoom++) {
        int32_t sw = scaledSize(width, zoom), sh = scaledSize(height, zoom);
        int32_t step = zoom > ZOOM_ONE ? zoom - 63 : 1;
        int32_t scroll = sw > 200 ? (sw / 3) - (sw / 3) % step : 0;
        for (int32_t p = 0; p < 160; p++) {
            // One screen pixel on the diagonal, painted alone and as part of a wider strip.
            for (int32_t stripStart : {p, p > 7 ? p - 7 : 0}) {
                PaintMapping m;
                int painted = mapPaintRect({stripStart, stripStart, p + 1, p + 1}, scroll, scroll, zoom, width,
                                           height, &m);
                int32_t ix = -1, iy = -1;
                int named = clientToImage(p, p, scroll, scroll, zoom, sw, sh, &ix, &iy);
                bool onImage = scroll + p < sw && scroll + p < sh;
                ASSERT_EQ(named, onImage) << "zoom " << zoom << " at " << p;
                if (!onImage) continue;
                ASSERT_TRUE(painted) << "zoom " << zoom << " at " << p;
                ASSERT_LE(m.dstX, p);
                ASSERT_GT(m.dstX + m.dstWidth, p) << "zoom " << zoom << " at " << p;
                ASSERT_EQ(stretchedColumn(p, m.srcX, m.srcWidth, m.dstX, m.dstWidth), ix)
                    << "zoom " << zoom << " at " << p;
                int32_t row = stretchedColumn(p, height - m.srcY - m.srcHeight, m.srcHeight, m.dstY, m.dstHeight);
                ASSERT_EQ(row, iy) << "zoom " << zoom << " at " << p;
                ASSERT_LT(ix, width);
                ASSERT_LT(iy, height);
            }
        }
    }
}

TEST(ClientToImage, BesideTheImageIsNoPixel)
{
    int32_t x, y;
    EXPECT_TRUE(clientToImage(5, 7, 0, 0, 64, 64, 48, &x, &y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 7);
    EXPECT_FALSE(clientToImage(64, 7, 0, 0, 64, 64, 48, &x, &y));
    EXPECT_FALSE(clientToImage(5, 48, 0, 0, 64, 64, 48, &x, &y));
    EXPECT_FALSE(clientToImage(-1, 7, 0, 0, 64, 64, 48, &x, &y));
    EXPECT_FALSE(clientToImage(5, -1, 0, 0, 64, 64, 48, &x, &y));
    EXPECT_TRUE(clientToImage(10, 10, 300, 30, 66, 3000, 3000, &x, &y));
    EXPECT_EQ(x, 103);
    EXPECT_EQ(y, 13);
    // At 1/3 screen pixel 3 shows image pixel 9, exactly.
    EXPECT_TRUE(clientToImage(3, 3, 0, 0, 62, 30, 30, &x, &y));
    EXPECT_EQ(x, 9);
    EXPECT_EQ(y, 9);
}

TEST(FitZoom, ZoomsOutUntilTheLargerOverflowFits)
{
    // 6000 × 1000 in a 1600 × 1200 work area, 16 and 120 pixels of frame.
    int z = fitZoomIndex(64, 6000, 1000, 16, 120, 1600, 1200);
    EXPECT_EQ(z, 61);  // 1/4: 1500 + 16 < 1600
    EXPECT_EQ(fitZoomIndex(64, 320, 240, 16, 120, 1600, 1200), 64) << "a small image keeps its zoom";
    EXPECT_EQ(fitZoomIndex(65, 320, 240, 16, 120, 1600, 1200), 65) << "and is never zoomed in";
    EXPECT_EQ(fitZoomIndex(70, 320, 240, 16, 120, 1600, 1200), 67) << "a magnified one that overflows zooms out";
    EXPECT_EQ(fitZoomIndex(64, 1000000, 10, 16, 120, 1600, 1200), 0) << "stops at 1/65";
    EXPECT_EQ(fitZoomIndex(64, 1584, 1080, 16, 120, 1600, 1200), 64) << "exactly the work area keeps its zoom";
    // At 1/2, 3000 wide fills 1516 exactly: it must be narrower, so 1/3.
    EXPECT_EQ(fitZoomIndex(64, 3000, 10, 16, 120, 1516, 1200), 62);
}

TEST(FitZoom, AMagnifiedImageThatFitsAtOneToOneComesBackToIt)
{
    // 500 wide at 3x is 1500 + 10: too wide for 1000; 2x is 1010, still
    // too wide; 1x fits.
    EXPECT_EQ(fitZoomIndex(66, 500, 100, 10, 10, 1000, 1000), 64);
}

TEST(FitPlacement, CentresUnlessTheUserPlacedTheWindow)
{
    const PaneRect work = {0, 30, 1920, 1080};  // a taskbar along the top
    WindowPosition p = placeFittedWindow(5, 700, 800, 600, work, false);
    EXPECT_EQ(p.x, 560);
    EXPECT_EQ(p.y, 255);
    p = placeFittedWindow(5, 400, 800, 600, work, true);
    EXPECT_EQ(p.x, 5) << "fits where it is: stays";
    EXPECT_EQ(p.y, 400);
    p = placeFittedWindow(1120, 480, 800, 600, work, true);  // exactly at the right and bottom edges
    EXPECT_EQ(p.x, 1120);
    EXPECT_EQ(p.y, 480);
    p = placeFittedWindow(1500, 700, 800, 600, work, true);
    EXPECT_EQ(p.x, 1120) << "moved just far enough to fit";
    EXPECT_EQ(p.y, 480);
    p = placeFittedWindow(-300, 0, 800, 600, work, true);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 30) << "not under the taskbar";
    p = placeFittedWindow(100, 100, 2500, 1200, work, true);
    EXPECT_EQ(p.x, 0) << "larger than the work area: at its corner";
    EXPECT_EQ(p.y, 30);
    p = placeFittedWindow(0, 0, 400, 200, PaneRect{100, 50, 1100, 850}, false);
    EXPECT_EQ(p.x, 400) << "centred in a work area that does not start at 0";
    EXPECT_EQ(p.y, 350);
    p = placeFittedWindow(100, 100, 2500, 1200, PaneRect{-1920, 0, 0, 1080}, false);
    EXPECT_EQ(p.x, 0) << "a centred corner off the origin's side comes to 0";
}

// The wipe's split lies between the last screen column showing a pixel
// before it and the first showing it or one after, at every zoom.
TEST(FirstColumnShowing, SplitsTheScreenWhereThePixelsDo)
{
    for (int zoom : {0, 1, 40, 62, 63, 64, 65, 66, 70, 128})
        for (int32_t scroll : {0, 1, 7, 250, 4097})
            for (int64_t pixel : {0, 1, 2, 3, 17, 64, 65, 1000, 1919}) {
                int64_t at = firstColumnShowing(pixel, scroll, zoom);
                SCOPED_TRACE(testing::Message() << "zoom " << zoom << " scroll " << scroll << " pixel " << pixel);
                ASSERT_GE(imagePixelAt(scroll, int32_t(at), zoom), pixel);
                ASSERT_LT(imagePixelAt(scroll, int32_t(at - 1), zoom), pixel);
            }
    EXPECT_EQ(firstColumnShowing(10, 0, 64), 10) << "one to one";
    EXPECT_EQ(firstColumnShowing(10, 6, 66), 24) << "three times, scrolled by two pixels";
    EXPECT_EQ(firstColumnShowing(10, 0, 63), 5) << "at a half, column 5 shows pixel 10";
    EXPECT_EQ(firstColumnShowing(11, 0, 63), 6);
}
