// Where a printed picture lands on the page.
#include <gtest/gtest.h>

#include "output/print_geometry.h"

namespace {

PrintPlacement place(int w, int h, int dpi, int pageW, int pageH, int pelsX = 0, int pelsY = 0)
{
    PrintPlacement p = {-1, -1, -1, -1};
    EXPECT_EQ(placeOnPage(w, h, pelsX, pelsY, dpi, dpi, pageW, pageH, &p), 1);
    return p;
}

}  // namespace

TEST(PrintGeometry, ALargePictureShrinksToTheWidthItOverflows)
{
    PrintPlacement p = place(720, 360, 100, 800, 1000);  // 10 × 5 inches on an 8 × 10 page
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 300);
    EXPECT_EQ(p.width, 800);
    EXPECT_EQ(p.height, 400);
    p = place(360, 1440, 100, 800, 1000);  // 5 × 20 inches: the height decides
    EXPECT_EQ(p.height, 1000);
    EXPECT_EQ(p.width, 250);
    EXPECT_EQ(p.x, 275);
    EXPECT_EQ(p.y, 0);
}

TEST(PrintGeometry, ASmallPictureIsCentredAt72PixelsPerInchNeverEnlarged)
{
    PrintPlacement p = place(144, 72, 100, 800, 1000);
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(p.y, 450);
    EXPECT_EQ(p.width, 200);
    EXPECT_EQ(p.height, 100);
    p = place(576, 720, 100, 800, 1000);  // exactly the page: no shrinking
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.width, 800);
    EXPECT_EQ(p.height, 1000);
}

TEST(PrintGeometry, ABitmapsOwnResolutionCounts)
{
    // 3937 pixels per metre is 100 per inch: 200 pixels are 2 inches.
    PrintPlacement p = place(200, 100, 300, 2400, 3000, 3937, 0);
    EXPECT_EQ(p.width, 600) << "2 inches at 300 dpi";
    EXPECT_EQ(p.height, 300) << "the vertical resolution follows the horizontal";
}

TEST(PrintGeometry, APrinterWithoutNumbersPlacesNothing)
{
    PrintPlacement p;
    EXPECT_EQ(placeOnPage(10, 10, 0, 0, 0, 100, 800, 1000, &p), 0);
    EXPECT_EQ(placeOnPage(10, 10, 0, 0, 100, 0, 800, 1000, &p), 0);
    EXPECT_EQ(placeOnPage(10, 10, 0, 0, 100, 100, 0, 1000, &p), 0);
    EXPECT_EQ(placeOnPage(10, 10, 0, 0, 100, 100, 800, 0, &p), 0) << "a page of no height";
    EXPECT_EQ(placeOnPage(0, 10, 0, 0, 100, 100, 800, 1000, &p), 0);
    EXPECT_EQ(placeOnPage(10, 0, 0, 0, 100, 100, 800, 1000, &p), 0);
}
