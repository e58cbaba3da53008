#include "Slider.h"
#include "Widget_ControlBar.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(ControlBarTest, HasTheControlsOfTheFullScreenStrip)
{
    Widget_ControlBar bar;
    EXPECT_EQ(bar.objectName(), QStringLiteral("ControlBar"));
    EXPECT_EQ(bar.height(), 80);
    EXPECT_EQ(bar.playButton()->objectName(), QStringLiteral("PlayButton"));
    EXPECT_EQ(bar.playButton()->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/play.png)"));
    EXPECT_TRUE(bar.playButton()->isCheckable());
    EXPECT_EQ(bar.stopButton()->objectName(), QStringLiteral("ToolButton2"));
    EXPECT_EQ(bar.fastButton()->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/fast.png)"));
    EXPECT_EQ(bar.soundButton()->objectName(), QStringLiteral("ToolButton"));
    EXPECT_EQ(bar.soundButton()->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/sound_off.png)"));
    EXPECT_TRUE(bar.soundButton()->isCheckable());
    EXPECT_EQ(bar.positionSlider()->maximum(), 10000);
    EXPECT_EQ(bar.volumeSlider()->maximum(), 100);
    EXPECT_EQ(bar.elapsedLabel()->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(bar.totalLabel()->text(), QStringLiteral("00:00:00"));
    EXPECT_TRUE(bar.statusLabel()->text().isEmpty());
}

// The bar at the foot of a full-screen video area, under a real pointer.
class ControlBarPointerTest : public ::testing::Test
{
protected:
    ControlBarPointerTest()
    {
        screen.resize(640, 360);
        bar = new Widget_ControlBar(&screen);
        bar->setGeometry(0, 280, 640, 80);
        screen.show();
    }

    QWidget screen;
    Widget_ControlBar* bar = nullptr;
};

TEST_F(ControlBarPointerTest, StaysWhileThePointerMovesOverItAndItsControls)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QTest::mouseMove(&screen, QPoint(100, 300));
    QTest::mouseMove(bar->playButton(), QPoint(5, 5));
    QTest::mouseMove(bar->positionSlider(), QPoint(50, 5));
    QTest::mouseMove(&screen, QPoint(320, 350));
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(ControlBarPointerTest, HidesWhenThePointerLeavesIt)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QTest::mouseMove(bar->playButton(), QPoint(5, 5));
    QTest::mouseMove(&screen, QPoint(320, 100));
    EXPECT_FALSE(bar->isVisible());
}

class ForwardingTest : public ::testing::Test
{
protected:
    ForwardingTest()
    {
        targets.play = &play;
        targets.stop = &stop;
        targets.frameForward = &frameForward;
        targets.sound = &sound;
        targets.position = &position;
        targets.volume = &volume;
        bar.forwardTo(targets);
    }

    QToolButton play;
    QToolButton stop;
    QToolButton frameForward;
    QToolButton sound;
    Slider position{Qt::Horizontal};
    Slider volume{Qt::Horizontal};
    ControlBarTargets targets;
    Widget_ControlBar bar;
};

TEST_F(ForwardingTest, EachButtonReEmitsTheClickOfItsMainWindowButton)
{
    QSignalSpy playClicked(&play, &QToolButton::clicked);
    QSignalSpy stopClicked(&stop, &QToolButton::clicked);
    QSignalSpy stepClicked(&frameForward, &QToolButton::clicked);
    QTest::mouseClick(bar.playButton(), Qt::LeftButton);
    QTest::mouseClick(bar.frameForwardButton(), Qt::LeftButton);
    EXPECT_EQ(playClicked.count(), 1);
    EXPECT_EQ(stepClicked.count(), 1);
    EXPECT_EQ(stopClicked.count(), 0);
}

TEST_F(ForwardingTest, TheSoundButtonPassesItsCheckedState)
{
    QSignalSpy soundClicked(&sound, &QToolButton::clicked);
    QTest::mouseClick(bar.soundButton(), Qt::LeftButton);
    ASSERT_EQ(soundClicked.count(), 1);
    EXPECT_TRUE(soundClicked.at(0).at(0).toBool());
}

TEST_F(ForwardingTest, ButtonsWithoutATargetStayUnforwarded)
{
    QSignalSpy stopClicked(&stop, &QToolButton::clicked);
    QTest::mouseClick(bar.fastButton(), Qt::LeftButton);
    QTest::mouseClick(bar.slowButton(), Qt::LeftButton);
    EXPECT_EQ(stopClicked.count(), 0);
}

TEST_F(ForwardingTest, ThePositionSliderReportsItsPressAndReleaseAsTheMainSlider)
{
    bar.positionSlider()->resize(500, 20);
    QSignalSpy pressed(&position, &Slider::mySliderPressed);
    QSignalSpy released(&position, &Slider::mySliderReleased);
    QTest::mouseClick(bar.positionSlider(), Qt::LeftButton, {}, QPoint(250, 10));
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(released.count(), 1);
    EXPECT_EQ(bar.positionSlider()->value(), 5000);
}

TEST_F(ForwardingTest, TheVolumeSliderReportsEveryValueAsTheMainSlider)
{
    QSignalSpy changed(&volume, &QSlider::valueChanged);
    bar.volumeSlider()->setValue(30);
    bar.volumeSlider()->setValue(31);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(1).at(0).toInt(), 31);
    EXPECT_EQ(volume.value(), 0);
}

}
