// Where a zoom drag lands in the picture: within an earlier zoom, and beside
// the black bars of the fitting aspect mode.

#include "ZoomMapping.h"

#include <gtest/gtest.h>

namespace {

const QRect kPicture(0, 0, 400, 200);

TEST(ZoomMappingTest, ASecondZoomSelectsWithinTheFirst)
{
    const QSize surface(200, 100);
    const QRect first = ZoomMapping::pictureRegion(QRect(0, 0, 100, 50), surface, kPicture, 0);
    EXPECT_EQ(first, QRect(0, 0, 200, 100));
    const QRect second = ZoomMapping::pictureRegion(QRect(100, 50, 100, 50), surface, first, 0);
    EXPECT_EQ(second, QRect(100, 50, 100, 50)) << "the lower right quarter of what was shown, not of the picture";
    const QRect third = ZoomMapping::pictureRegion(QRect(0, 0, 100, 100), surface, second, 0);
    EXPECT_EQ(third, QRect(100, 50, 50, 50));
}

TEST(ZoomMappingTest, TheBlackBarsAreLeftOut)
{
    const QSize surface(200, 200); // the picture fills 200 x 100 of it, from y 50
    const ZoomMapping::Placement placed = ZoomMapping::place(kPicture, surface, 2);
    EXPECT_EQ(placed.dest, QRectF(0, 50, 200, 100));
    EXPECT_EQ(ZoomMapping::pictureRegion(QRect(0, 50, 100, 50), surface, kPicture, 2), QRect(0, 0, 200, 100));
    EXPECT_EQ(ZoomMapping::pictureRegion(QRect(100, 0, 100, 100), surface, kPicture, 2), QRect(200, 0, 200, 100))
        << "a drag from a bar keeps the part over the picture";
    EXPECT_TRUE(ZoomMapping::pictureRegion(QRect(0, 0, 200, 40), surface, kPicture, 2).isEmpty())
        << "a drag on a bar alone selects nothing";

    const QRect zoomed(200, 0, 200, 100); // twice as wide as high, on a square surface
    EXPECT_EQ(ZoomMapping::pictureRegion(QRect(0, 50, 200, 100), surface, zoomed, 2), zoomed);
}

TEST(ZoomMappingTest, TheCroppingModeSelectsFromTheMiddle)
{
    const QSize surface(100, 100); // shows the middle 200 x 200 of the picture
    EXPECT_EQ(ZoomMapping::pictureRegion(QRect(0, 0, 50, 50), surface, kPicture, 3), QRect(100, 0, 100, 100));
    EXPECT_EQ(ZoomMapping::pictureRegion(QRect(0, 0, 50, 50), surface, kPicture, 0), QRect(0, 0, 200, 100))
        << "stretched, the surface is the whole picture";
}

}
