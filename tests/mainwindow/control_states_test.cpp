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
