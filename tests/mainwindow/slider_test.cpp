#include "Slider.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(SliderValueAt, MapsTheMiddleOfTheWidthToTheMiddleOfTheRange)
{
    EXPECT_EQ(sliderValueAt(0, 10000, 250, 500), 5000);
}

TEST(SliderValueAt, TruncatesTowardTheMinimum)
{
    EXPECT_EQ(sliderValueAt(0, 10000, 499, 500), 9980);
    EXPECT_EQ(sliderValueAt(0, 99, 1, 100), 0);
    EXPECT_EQ(sliderValueAt(0, 99, 99, 100), 98);
}

TEST(SliderValueAt, OffsetsByTheMinimum)
{
    EXPECT_EQ(sliderValueAt(100, 200, 50, 100), 150);
}

TEST(SliderValueAt, KeepsPointsOutsideTheSliderInsideTheRange)
{
    EXPECT_EQ(sliderValueAt(0, 10000, -40, 500), 0);
    EXPECT_EQ(sliderValueAt(0, 10000, 700, 500), 10000);
}

TEST(SliderValueAt, GivesTheMinimumForAnEmptyWidthOrRange)
{
    EXPECT_EQ(sliderValueAt(0, 10000, 10, 0), 0);
    EXPECT_EQ(sliderValueAt(7, 7, 10, 100), 7);
}

class SliderTest : public ::testing::Test
{
protected:
    SliderTest()
    {
        slider.setRange(0, 10000);
        slider.resize(500, 20);
    }

    Slider slider{Qt::Horizontal};
    QSignalSpy pressed{&slider, &Slider::mySliderPressed};
    QSignalSpy released{&slider, &Slider::mySliderReleased};
};

TEST_F(SliderTest, ALeftClickJumpsToThePointAndReportsPressAndRelease)
{
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(250, 10));
    EXPECT_EQ(slider.value(), 5000);
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(released.count(), 0);
    EXPECT_TRUE(slider.isHeld());

    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(250, 10));
    EXPECT_EQ(slider.value(), 5000);
    EXPECT_EQ(released.count(), 1);
    EXPECT_FALSE(slider.isHeld());
    EXPECT_FALSE(slider.isSliderDown());
}

TEST_F(SliderTest, AClickAtTheRightEndStopsJustBelowTheMaximum)
{
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(499, 10));
    EXPECT_EQ(slider.value(), 9980);
}

TEST_F(SliderTest, AClickNearTheStartDoesNotPageAwayFromThePoint)
{
    slider.setValue(8000);
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_EQ(slider.value(), 40);
}

TEST_F(SliderTest, ADragFollowsThePointer)
{
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(&slider, QPoint(400, 10));
    EXPECT_EQ(slider.value(), 8000);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_EQ(slider.value(), 8000);
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(released.count(), 1);
}

TEST_F(SliderTest, ARightClickSetsNothingButItsReleaseIsReported)
{
    slider.setValue(1234);
    QTest::mouseClick(&slider, Qt::RightButton, {}, QPoint(250, 10));
    EXPECT_EQ(slider.value(), 1234);
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_EQ(released.count(), 1);
}

TEST_F(SliderTest, ADisabledSliderNeitherMovesNorReports)
{
    slider.setValue(1234);
    slider.setEnabled(false);
    QSignalSpy changed(&slider, &QSlider::valueChanged);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(250, 10));
    QTest::mouseMove(&slider, QPoint(400, 10));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_EQ(slider.value(), 1234);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_EQ(released.count(), 0);
}

TEST_F(SliderTest, DisablingAHeldSliderLetsItGo)
{
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(250, 10));
    slider.setEnabled(false);
    EXPECT_FALSE(slider.isHeld());
    EXPECT_FALSE(slider.isSliderDown());
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(250, 10));
    EXPECT_EQ(released.count(), 0);
}

}
