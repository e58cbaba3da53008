#include "Model_Customize.h"
#include "PlaybackRules.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace PlaybackRules;

TEST(PlaybackRulesTest, TimeTextsSplitWholeSeconds)
{
    EXPECT_EQ(timeText(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(timeText(999999), QStringLiteral("00:00:00"));
    EXPECT_EQ(timeText(61'500'000), QStringLiteral("00:01:01"));
    EXPECT_EQ(timeText(3'600'000'000ULL * 101 + 59'000'000), QStringLiteral("101:00:59"));
}

TEST(PlaybackRulesTest, ProgressAndSeekAreTruncatedAndStayInRange)
{
    EXPECT_EQ(elapsedAt(5'000'000, 2'000'000), 3'000'000U);
    EXPECT_EQ(elapsedAt(1'000'000, 2'000'000), 0U) << "a time before the start";
    EXPECT_EQ(progressValue(1, 3), 3333);
    EXPECT_EQ(progressValue(2'999'999, 3'000'000), 9999);
    EXPECT_EQ(progressValue(3'000'000, 3'000'000), 10000);

    const uint64_t first = 1'700'000'000'000'000ULL;
    EXPECT_EQ(seekTarget(first, 60'000'000, 0), first);
    EXPECT_EQ(seekTarget(first, 60'000'000, 5000), first + 30'000'000);
    EXPECT_EQ(seekTarget(first, 60'000'000, 10000), first + 60'000'000);
    EXPECT_EQ(seekTarget(first, 7, 3333), first + 2);

    // Relative seeks stay within the file, whichever way they run over.
    const uint64_t last = first + 60'000'000;
    EXPECT_EQ(shiftedTime(first + 10'000'000, -5'000'000, first, last), first + 5'000'000);
    EXPECT_EQ(shiftedTime(first + 3'000'000, -5'000'000, first, last), first);
    EXPECT_EQ(shiftedTime(first + 50'000'000, 60'000'000, first, last), last);
    EXPECT_EQ(shiftedTime(first + 50'000'000, 5'000'000, first, last), first + 55'000'000);
    EXPECT_EQ(shiftedTime(last + 1, 5'000'000, first, last), last + 1) << "never backwards on a step forwards";
}

TEST(PlaybackRulesTest, SpeedStepsWalkThroughTheStates)
{
    std::vector<int> up;
    for (int state = PlayStatePlay, i = 0; i < 5; ++i)
        up.push_back(state = speedUp(state));
    EXPECT_EQ(up, (std::vector<int>{PlayStateFast2, PlayStateFast4, PlayStateFast8, PlayStateFast16, PlayStateFast16}));
    EXPECT_EQ(slowDown(PlayStateFast16), PlayStateFast8);
    EXPECT_EQ(slowDown(PlayStateFast2), PlayStateSlow2);

    std::vector<int> down;
    for (int state = PlayStatePause, i = 0; i < 5; ++i)
        down.push_back(state = slowDown(state));
    EXPECT_EQ(down, (std::vector<int>{PlayStateSlow2, PlayStateSlow4, PlayStateSlow8, PlayStateSlow16, PlayStateSlow16}));
    EXPECT_EQ(speedUp(PlayStateSlow16), PlayStateSlow8);
    EXPECT_EQ(speedUp(PlayStateSlow2), PlayStateFast2);
    EXPECT_EQ(speedUp(PlayStateStep), PlayStateFast2);
    EXPECT_EQ(slowDown(PlayStateStep), PlayStateSlow2);
}

TEST(PlaybackRulesTest, WhatPlaysAfterTheEndFollowsThePlayMode)
{
    EXPECT_EQ(nextAfterEnd(Single, 0, 3), std::nullopt);
    EXPECT_EQ(nextAfterEnd(List, 0, 3), 1);
    EXPECT_EQ(nextAfterEnd(List, 2, 3), std::nullopt) << "the last entry stops";
    EXPECT_EQ(nextAfterEnd(SingleCircle, 1, 3), 1);
    EXPECT_EQ(nextAfterEnd(SingleCircle, 0, 0), std::nullopt);
    EXPECT_EQ(nextAfterEnd(ListCircle, 1, 3), 2);
    EXPECT_EQ(nextAfterEnd(ListCircle, 2, 3), 0) << "the list starts over";
    EXPECT_EQ(nextAfterEnd(ListCircle, 0, 0), std::nullopt) << "an empty list plays nothing";
    EXPECT_EQ(nextAfterEnd(7, 0, 3), std::nullopt);
}

TEST(PlaybackRulesTest, ThePlayingEntryKeepsItsPlaceInAnEditedList)
{
    const QString playing = QStringLiteral("/rec/b.mp4");
    EXPECT_EQ(indexAfterEdit({QStringLiteral("/rec/b.mp4"), QStringLiteral("/rec/c.mp4")}, playing, 1), 0)
        << "an entry before it was deleted";
    EXPECT_EQ(indexAfterEdit({QStringLiteral("/x.mp4"), QStringLiteral("/y.mp4"), QStringLiteral("/rec/a.mp4"),
                              QStringLiteral("/rec/b.mp4")},
                             playing, 1),
              3)
        << "entries were added before it";
    EXPECT_EQ(indexAfterEdit({QStringLiteral("/rec/a.mp4"), playing, playing}, playing, 2), 2)
        << "a file listed twice stays the entry that played";
    EXPECT_EQ(indexAfterEdit({QStringLiteral("/rec/a.mp4")}, playing, 1), 1) << "gone from the list";
    EXPECT_EQ(indexAfterEdit({QStringLiteral("/rec/a.mp4")}, QString(), 4), 4);
}

TEST(PlaybackRulesTest, DropsAreRecordingsByBrandAnywhereInThePath)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    Model_Customize generic(settings, dir.path(), QStringLiteral("KvPlayer"));
    Model_Customize holdra(settings, dir.path(), QStringLiteral("KvPlayer"));
    holdra.identifyBrand(QStringLiteral("HOLDRA"), {}, false);
    Model_Customize orbenta(settings, dir.path(), QStringLiteral("KvPlayer"));
    orbenta.identifyBrand(QStringLiteral("ORBENTA"), {}, false);

    EXPECT_TRUE(acceptsDrop(QStringLiteral("/rec/cam.264"), generic));
    EXPECT_TRUE(acceptsDrop(QStringLiteral("/rec/day.avi/notes.txt"), generic)) << "a folder name counts";
    EXPECT_FALSE(acceptsDrop(QStringLiteral("/rec/CAM.AVI"), generic)) << "case-sensitive";
    EXPECT_FALSE(acceptsDrop(QStringLiteral("/rec/cam.265"), generic));
    EXPECT_FALSE(acceptsDrop(QStringLiteral("/rec/cam.rf"), holdra));
    EXPECT_TRUE(acceptsDrop(QStringLiteral("/rec/cam.Qzip"), holdra));
    EXPECT_TRUE(acceptsDrop(QStringLiteral("/rec/cam.UAF"), orbenta));
    EXPECT_FALSE(acceptsDrop(QStringLiteral("/rec/cam.UAF"), generic));
}

}
