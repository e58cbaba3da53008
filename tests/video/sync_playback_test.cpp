// Synchronised playback on the screen: the rules on their own, then two
// windows on recordings that start three seconds apart following one clock,
// the later one dark with "no recording" until its footage begins.

#include "KvVideoScreen.h"
#include "PreviewVideoFrame.h"
#include "SyncPlayback.h"
#include "SyncRules.h"
#include "TestMedia.h"
#include "VideoScreen.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kFrameUs = 40'000;
// 2024-05-06T07:08:09Z
constexpr uint64_t kFirstUs = 1714979289ULL * 1'000'000ULL;

TEST(SyncRulesTest, NoRecordingOnlyBeforeTheFootage)
{
    struct Case {
        uint64_t clock;
        uint64_t start;
        bool dark;
    };
    const Case cases[] = {
        {kFirstUs - 1, kFirstUs, true}, {kFirstUs, kFirstUs, false}, {kFirstUs + 60'000'000, kFirstUs, false},
        {0, kFirstUs, false},            {kFirstUs, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SyncRules::showsNoRecording(c.clock, c.start), c.dark) << c.clock << " " << c.start;
}

TEST(SyncRulesTest, TheClockStartsAtTheSelectedPictureElseAtTheEarliestFile)
{
    EXPECT_EQ(SyncRules::startingTime(kFirstUs + 5, {kFirstUs, kFirstUs + 9}), kFirstUs + 5);
    EXPECT_EQ(SyncRules::startingTime(0, {kFirstUs + 9, 0, kFirstUs + 3}), kFirstUs + 3);
    EXPECT_EQ(SyncRules::startingTime(0, {}), 0U);
    EXPECT_EQ(SyncRules::startingTime(0, {0, 0}), 0U);
}

TEST(SyncRulesTest, ChannelsInNames)
{
    EXPECT_EQ(SyncRules::channelInName(QStringLiteral("/a/ch03_20250314092653.mp4")), 3);
    EXPECT_EQ(SyncRules::channelInName(QStringLiteral("CH12-2025-03-14_09-26-53.avi")), 12);
    EXPECT_EQ(SyncRules::channelInName(QStringLiteral("20250314092653.mp4")), -1);
    EXPECT_EQ(SyncRules::channelInName(QStringLiteral("/ch03_/cam.mp4")), -1) << "only the name counts";
    EXPECT_EQ(SyncRules::channelInName(QStringLiteral("chapter_1.mp4")), -1);
}

TEST(SyncRulesTest, TheNextSegmentIsOfTheSameChannelAndStartsWithinFiveSecondsOfTheEnd)
{
    constexpr uint64_t s = 1'000'000;
    const SyncRules::Segment ended{QStringLiteral("ch01_a.mp4"), kFirstUs, kFirstUs + 3600 * s, 0};
    const QList<SyncRules::Segment> list{
        ended,
        {QStringLiteral("ch02_b.mp4"), kFirstUs + 3600 * s, kFirstUs + 7200 * s, 0},     // other channel
        {QStringLiteral("ch01_c.mp4"), kFirstUs + 3606 * s, kFirstUs + 7200 * s, 0},     // 6 s later
        {QStringLiteral("ch01_d.mp4"), kFirstUs + 3604 * s, kFirstUs + 7200 * s, 0},     // 4 s later
        {QStringLiteral("ch01_e.mp4"), kFirstUs + 3599 * s, kFirstUs + 7200 * s, 0},     // overlaps by 1 s
        {QStringLiteral("ch01_f.mp4"), 0, 0, 0},                                         // unreadable
    };
    EXPECT_EQ(SyncRules::nextSegment(ended, list), 4);
    EXPECT_EQ(SyncRules::nextSegment(ended, list.mid(0, 4)), 3);
    EXPECT_EQ(SyncRules::nextSegment(ended, list.mid(0, 3)), -1);
    // Without channels in the names, the file information decides.
    const SyncRules::Segment plain{QStringLiteral("a.mp4"), kFirstUs, kFirstUs + 10 * s, 2};
    const QList<SyncRules::Segment> plainList{{QStringLiteral("b.mp4"), kFirstUs + 10 * s, kFirstUs + 20 * s, 3},
                                              {QStringLiteral("c.mp4"), kFirstUs + 11 * s, kFirstUs + 20 * s, 2}};
    EXPECT_EQ(SyncRules::nextSegment(plain, plainList), 1);
}

bool makeCamera(const QString& path, const QString& creationTime, int seconds = 8)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
                  QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                  QStringLiteral("testsrc=size=96x64:rate=25:duration=%1").arg(seconds), QStringLiteral("-c:v"),
                  QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"), QStringLiteral("-g"),
                  QStringLiteral("25"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-metadata"),
                  QStringLiteral("creation_time=") + creationTime, path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

class SyncScreenTest : public ::testing::Test
{
protected:
    KvVideoScreen screen;
    PreviewVideoFrame& early = *screen.window(0);
    PreviewVideoFrame& late = *screen.window(1);

    void SetUp() override
    {
        const QString a = testRecording("sync_a.mp4");
        const QString b = testRecording("sync_b.mp4");
        ASSERT_TRUE(makeCamera(a, QStringLiteral("2024-05-06T07:08:09Z")));
        ASSERT_TRUE(makeCamera(b, QStringLiteral("2024-05-06T07:08:12Z")));
        screen.resize(400, 300);
        screen.setLayout(2);
        screen.show();
        early.play(a, 0);
        late.play(b, 0);
        // Files open off the GUI thread: both are up with their first pictures.
        ASSERT_TRUE(QTest::qWaitFor([this] { return early.hasPicture() && late.hasPicture(); }, 10000));
        ASSERT_EQ(late.recordingStart(), kFirstUs + 3'000'000);
    }
    void TearDown() override
    {
        screen.setSynced(false);
        screen.stopAll();
    }
    bool shows(const PreviewVideoFrame& window, uint64_t t)
    {
        return QTest::qWaitFor([&] { return window.playedTime() == t; }, 10000);
    }
};

TEST_F(SyncScreenTest, BothWindowsFollowOneClockAndTheLateOneWaitsInTheDark)
{
    QSignalSpy toggled(&screen, &KvVideoScreen::syncToggled);
    screen.setSelectedVideo(&early);
    screen.setSynced(true);
    ASSERT_TRUE(screen.isSynced());
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_TRUE(toggled.last().at(0).toBool());
    screen.pause();
    EXPECT_EQ(screen.sync()->state(), int{PlayStatePause});

    screen.sync()->seekTo(kFirstUs + 1'000'000);
    EXPECT_TRUE(shows(early, kFirstUs + 1'000'000)) << early.playedTime();
    EXPECT_TRUE(QTest::qWaitFor([&] { return late.surface()->isNoRecording(); }, 2000));
    EXPECT_FALSE(early.surface()->isNoRecording());

    // The commands for the selected window move the clock, so both.
    screen.seekBy(3'000'000);
    EXPECT_TRUE(shows(early, kFirstUs + 4'000'000)) << early.playedTime();
    EXPECT_TRUE(shows(late, kFirstUs + 4'000'000)) << late.playedTime();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !late.surface()->isNoRecording(); }, 2000));
    screen.frameStep();
    EXPECT_TRUE(shows(early, kFirstUs + 4'000'000 + kFrameUs)) << early.playedTime();
    EXPECT_TRUE(shows(late, kFirstUs + 4'000'000 + kFrameUs)) << late.playedTime();

    screen.speedUp();
    EXPECT_EQ(screen.sync()->state(), int{PlayStateFast2});
    EXPECT_TRUE(screen.isSelectedPlaying());
    EXPECT_TRUE(QTest::qWaitFor([&] { return early.playedTime() > kFirstUs + 4'500'000; }, 10000));

    screen.setSynced(false);
    EXPECT_FALSE(screen.isSynced());
    EXPECT_FALSE(early.isSynced());
    EXPECT_FALSE(toggled.last().at(0).toBool());
    // On their own again, each window takes its own commands.
    early.pause();
    EXPECT_TRUE(early.isPaused());
}

TEST_F(SyncScreenTest, AWindowThatEndsHoldsItsLastPictureInsteadOfClosing)
{
    screen.setSelectedVideo(&early);
    screen.setSynced(true);
    screen.pause();
    screen.sync()->seekTo(kFirstUs + 7'000'000);
    EXPECT_TRUE(shows(early, kFirstUs + 7'000'000)) << early.playedTime();
    screen.sync()->play();
    // The early camera ends a second later; the late one goes on.
    EXPECT_TRUE(QTest::qWaitFor([&] { return late.playedTime() > kFirstUs + 8'500'000; }, 10000))
        << late.playedTime();
    EXPECT_TRUE(early.isOpen());
    EXPECT_GE(early.playedTime(), kFirstUs + 8'000'000 - 2 * kFrameUs);
}

TEST(SyncSegmentTest, TwoSegmentsOfOneChannelPlayOnWithoutABlackPicture)
{
    const QString first = testRecording("ch01_20240506070809.mp4");
    const QString second = testRecording("ch01_20240506070811.mp4");
    ASSERT_TRUE(makeCamera(first, QStringLiteral("2024-05-06T07:08:09Z"), 2));
    ASSERT_TRUE(makeCamera(second, QStringLiteral("2024-05-06T07:08:11Z"), 2));
    KvVideoScreen screen;
    screen.resize(200, 150);
    screen.show();
    PreviewVideoFrame& window = *screen.window(0);
    window.setFileList({first, second});
    window.play(first, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.hasPicture(); }, 10000));
    screen.setSelectedVideo(&window);
    screen.setSynced(true);
    screen.sync()->seekTo(kFirstUs + 1'000'000);
    screen.sync()->play();
    bool black = false;
    const bool continued = QTest::qWaitFor(
        [&] {
            black = black || window.surface()->currentFrame().isNull();
            return window.currentFile() == second && window.playedTime() > kFirstUs + 2'500'000;
        },
        15000);
    EXPECT_TRUE(continued) << qPrintable(window.currentFile()) << " " << window.playedTime();
    EXPECT_FALSE(black);
    EXPECT_TRUE(window.isSynced());
    screen.setSynced(false);
    screen.stopAll();
}

}
