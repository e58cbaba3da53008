#include "ControlStates.h"
#include "PlaybackRules.h"
#include "PlayerTypes.h"

#include <gtest/gtest.h>

namespace {

using namespace ControlStates;

// The text the status label shows after a run of presses, starting from play.
QStringList textsAfter(const std::vector<bool>& fasterPresses)
{
    int state = PlayStatePlay;
    QString shown;
    QStringList texts;
    for (const bool faster : fasterPresses) {
        state = faster ? PlaybackRules::speedUp(state) : PlaybackRules::slowDown(state);
        if (const auto text = statusText(state))
            shown = *text;
        texts.append(shown);
    }
    return texts;
}

TEST(ControlStatesTest, SpeedPressesShowTheirTexts)
{
    EXPECT_EQ(textsAfter({true, true, true, true, true, false}),
              (QStringList{QStringLiteral("x2"), QStringLiteral("x4"), QStringLiteral("x8"), QStringLiteral("x16"),
                           QStringLiteral("x16"), QStringLiteral("x8")}));
    EXPECT_EQ(textsAfter({true, false, true}),
              (QStringList{QStringLiteral("x2"), QStringLiteral("1/2"), QStringLiteral("x2")}));
    EXPECT_EQ(statusText(PlayStateStep), std::nullopt) << "a frame step keeps the speed text";
    EXPECT_EQ(statusText(PlayStatePlay), QString());
    EXPECT_EQ(statusText(99), std::nullopt);
}

TEST(ControlStatesTest, TheBarClearsItsTextOnlyInFullScreen)
{
    EXPECT_EQ(barStatusText(PlayStatePause, true), QString());
    EXPECT_EQ(barStatusText(PlayStatePause, false), std::nullopt);
    EXPECT_EQ(barStatusText(PlayStateSlow16, false), QStringLiteral("1/16"));
}

TEST(ControlStatesTest, EnabledControlsFollowTheState)
{
    const Enabled stopped = *enabledFor(PlayStateStop);
    EXPECT_TRUE(stopped.play);
    EXPECT_FALSE(stopped.stop || stopped.speed || stopped.frameStep || stopped.zoom || stopped.record ||
                 stopped.sound || stopped.position)
        << "only play while stopped";

    const Enabled paused = *enabledFor(PlayStatePause);
    EXPECT_FALSE(paused.stop);
    EXPECT_FALSE(paused.record);
    EXPECT_TRUE(paused.speed && paused.frameStep && paused.zoom && paused.sound && paused.position);

    const Enabled stepping = *enabledFor(PlayStateStep);
    EXPECT_TRUE(stepping.stop && stepping.record);
    EXPECT_FALSE(enabledFor(PlayStateFast4).has_value()) << "speed states change no enabled state";
}

}

#include "FrameRules.h"
#include "WindowMoves.h"

namespace {

TEST(FrameRulesTest, OnlyTheBottomRightCornerResizes)
{
    const QSize size(959, 581);
    EXPECT_EQ(FrameRules::zoneAt({955, 578}, size), FrameRules::kResizeZone);
    EXPECT_EQ(FrameRules::zoneAt({5, 5}, size), 11);
    EXPECT_EQ(FrameRules::zoneAt({400, 300}, size), 22);
    EXPECT_EQ(FrameRules::zoneAt({955, 300}, size), 23);
    EXPECT_EQ(FrameRules::zoneAt({400, 578}, size), 32);
}

TEST(FrameRulesTest, MovesStayBelowTheTopAndInsideTheRightAndBottom)
{
    const QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(WindowMoves::movedPosition({100, 10}, {0, -50}, screen), QPoint(100, 0));
    EXPECT_EQ(WindowMoves::movedPosition({100, 100}, {-500, 0}, screen), QPoint(-400, 100)) << "left is free";
    EXPECT_EQ(WindowMoves::movedPosition({1200, 700}, {500, 500}, screen), QPoint(1276, 796));
    EXPECT_EQ(WindowMoves::movedPosition({10, 10}, {5, 6}, screen), QPoint(15, 16));
}

TEST(FrameRulesTest, StickModesCycleAndAnOutOfRangeModeCountsAsTheDefault)
{
    EXPECT_EQ(FrameRules::nextStickMode(0), 1);
    EXPECT_EQ(FrameRules::nextStickMode(1), 2);
    EXPECT_EQ(FrameRules::nextStickMode(2), 0);
    for (const int stored : {3, 5, 6, 7, -1})
        EXPECT_EQ(FrameRules::nextStickMode(stored), 1) << stored;
}

TEST(FrameRulesTest, OnTopAlwaysInModeTwoAndInModeZeroWhileSomethingPlays)
{
    EXPECT_TRUE(FrameRules::stickFlags(2, 0).testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(FrameRules::stickFlags(0, 0).testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(FrameRules::stickFlags(0, 3).testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(FrameRules::stickFlags(1, 3).testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(FrameRules::stickFlags(1, 0).testFlag(Qt::FramelessWindowHint));
}

TEST(FrameRulesTest, ModeZeroFollowsEveryWayPlaybackStartsAndEnds)
{
    using FrameRules::OnTopChange;
    FrameRules::PlayingState state;
    state.playing = 1;
    EXPECT_EQ(FrameRules::onTopAfterPlayingChange(state), OnTopChange::Raise);
    state.onTop = true;
    EXPECT_EQ(FrameRules::onTopAfterPlayingChange(state), OnTopChange::Keep);

    state.playing = 0;
    for (const int playMode : {0, 1})
        EXPECT_EQ(FrameRules::onTopAfterPlayingChange({0, false, 0, true, playMode, false}), OnTopChange::Drop);
    for (const int playMode : {2, 3}) {
        EXPECT_EQ(FrameRules::onTopAfterPlayingChange({0, false, 0, true, playMode, false}),
                  OnTopChange::DropIfStillIdle);
        EXPECT_EQ(FrameRules::onTopAfterPlayingChange({0, false, 0, true, playMode, true}), OnTopChange::Drop);
    }
    EXPECT_EQ(FrameRules::onTopAfterPlayingChange({0, false, 0, false, 0, false}), OnTopChange::Keep);
    EXPECT_EQ(FrameRules::onTopAfterPlayingChange({0, true, 0, true, 0, false}), OnTopChange::Keep)
        << "full screen";
    EXPECT_EQ(FrameRules::onTopAfterPlayingChange({1, false, 2, false, 0, false}), OnTopChange::Keep);
    EXPECT_EQ(FrameRules::onTopAfterPlayingChange({2, false, 0, true, 0, false}), OnTopChange::Keep);
}

}
