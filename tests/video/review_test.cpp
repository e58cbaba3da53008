// Frame-accurate review in the video window and the screen: steps back with
// the times following, relative seeks, the way back to normal speed, moving
// the selection, and the snapshot of every window at one instant.

#include "KvVideoScreen.h"
#include "PreviewVideoFrame.h"
#include "SnapshotBatch.h"
#include "TestMedia.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kFrameUs = 40'000;

class ReviewWindowTest : public ::testing::Test
{
protected:
    PreviewVideoFrame window;
    QSignalSpy times{&window, &PreviewVideoFrame::playTimeChanged};

    void SetUp() override
    {
        window.resize(162, 122);
        window.show();
        window.play(testRecording("long.mp4"), 0);
        ASSERT_TRUE(window.isPlaying());
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.hasPicture(); }, 20000));
        QTest::qWait(300);
        window.pause();
    }
    void TearDown() override { window.stop(); }
    uint64_t lastTime() const { return times.isEmpty() ? 0 : times.last().at(3).toULongLong(); }
    // The time of the next report, within a while; 0 when none came.
    uint64_t nextTime()
    {
        const qsizetype before = times.count();
        return QTest::qWaitFor([&] { return times.count() > before; }, 10000) ? lastTime() : 0;
    }
};

TEST_F(ReviewWindowTest, FrameBackShowsTheFrameBeforeAtOnceAndReportsAFrameStep)
{
    window.seekBy(8'000'000);
    const uint64_t at = nextTime();
    ASSERT_NE(at, 0U);
    QSignalSpy states(&window, &PreviewVideoFrame::changeBtnStatus);
    for (uint64_t i = 1; i <= 12; ++i) {
        const qsizetype before = times.count();
        window.frameBack();
        // The library answers once the frame is known: the report is immediate.
        ASSERT_EQ(times.count(), before + 1) << i;
        EXPECT_EQ(lastTime(), at - i * kFrameUs) << i;
    }
    EXPECT_EQ(states.count(), 12);
    EXPECT_EQ(states.last().at(0).toInt(), int{PlayStateStep});
    EXPECT_EQ(window.playState(), int{PlayStateStep});
    window.frameStep();
    EXPECT_EQ(nextTime(), at - 11 * kFrameUs) << "a step forward goes on from the stepped-back frame";
    EXPECT_FALSE(window.elapsedText().isEmpty());
}

TEST_F(ReviewWindowTest, RelativeSeeksStayInTheFileAndKeepThePause)
{
    window.seekBy(-60'000'000);
    const uint64_t first = nextTime();
    ASSERT_NE(first, 0U);
    EXPECT_EQ(window.elapsedText(), QStringLiteral("00:00:00"));
    window.seekBy(5'000'000);
    EXPECT_EQ(nextTime(), first + 5'000'000);
    EXPECT_EQ(window.elapsedText(), QStringLiteral("00:00:05"));
    EXPECT_TRUE(window.isPaused());
    QTest::qWait(300);
    EXPECT_EQ(lastTime(), first + 5'000'000) << "still paused";
}

TEST_F(ReviewWindowTest, NormalSpeedAfterFastResumesAtTheNormalRate)
{
    window.speedUp();
    window.speedUp();
    EXPECT_EQ(window.playState(), int{PlayStateFast4});
    window.normalSpeed();
    EXPECT_EQ(window.playState(), int{PlayStatePlay});
    EXPECT_TRUE(window.isPlaying());
}

TEST_F(ReviewWindowTest, AFrozenWindowHoldsItsPictureWithoutAChangeOfState)
{
    window.play(window.currentFile(), 0);
    ASSERT_EQ(window.playState(), int{PlayStatePlay});
    QSignalSpy states(&window, &PreviewVideoFrame::changeBtnStatus);
    window.freeze(true);
    QTest::qWait(200);
    const uint64_t held = nextTime();
    EXPECT_EQ(nextTime(), held) << "the picture holds";
    window.freeze(false);
    QTRY_VERIFY_WITH_TIMEOUT(nextTime() > held, 10000);
    EXPECT_EQ(states.count(), 0);
    EXPECT_EQ(window.playState(), int{PlayStatePlay});
}

TEST(SnapshotBatchTest, OneNoticeLinksTheScreenPictureOrSaysWhatFailed)
{
    SnapshotBatch batch(3);
    batch.setScreenPath(QStringLiteral("/p/20261206/screen_512_1.png"));
    EXPECT_FALSE(batch.add(QStringLiteral("/p/20261206/a_512_1_001.png"), true));
    EXPECT_FALSE(batch.add(QStringLiteral("/p/20261206/b_512_1_002.png"), false));
    EXPECT_TRUE(batch.add(QStringLiteral("/p/20261206/screen_512_1.png"), true));
    EXPECT_EQ(batch.written(), 2);
    EXPECT_EQ(batch.notice().kind, SnapshotBatch::kLink);
    EXPECT_EQ(batch.notice().text, QStringLiteral("/p/20261206/screen_512_1.png"));

    SnapshotBatch noScreen(2);
    noScreen.setScreenPath(QStringLiteral("/p/screen.png"));
    noScreen.add(QStringLiteral("/p/screen.png"), false);
    noScreen.add(QStringLiteral("/p/a.png"), true);
    EXPECT_EQ(noScreen.notice().text, QStringLiteral("/p/a.png"));

    SnapshotBatch none(1);
    none.add(QString(), false);
    EXPECT_EQ(none.notice().kind, SnapshotBatch::kMessage);
    EXPECT_EQ(none.notice().text, QStringLiteral("Capture Failed"));
}

class ReviewScreenTest : public ::testing::Test
{
protected:
    KvVideoScreen screen;

    void SetUp() override
    {
        screen.resize(640, 480);
        screen.show();
    }
    void TearDown() override { screen.stopByName(QStringLiteral("ALL")); }
};

TEST_F(ReviewScreenTest, TheSelectionMovesRoundTheShownWindows)
{
    screen.setLayout(2);
    screen.setSelectedVideo(screen.window(3));
    screen.selectNext(1);
    EXPECT_EQ(screen.selectedVideo(), screen.window(0));
    screen.selectNext(-1);
    EXPECT_EQ(screen.selectedVideo(), screen.window(3));
    screen.selectNext(-2);
    EXPECT_EQ(screen.selectedVideo(), screen.window(1));

    screen.singleWindowToggle();
    screen.selectNext(1);
    EXPECT_EQ(screen.selectedVideo(), screen.window(2));
    EXPECT_TRUE(screen.window(2)->isVisible()) << "single-window view shows the newly selected one";
    EXPECT_FALSE(screen.window(1)->isVisible());
}

TEST_F(ReviewScreenTest, ASnapshotOfEveryWindowWritesEachShownFileAndTheScreenWithOneNotice)
{
    QSignalSpy notices(&screen, &KvVideoScreen::noticeRequested);
    screen.snapshotAll();
    EXPECT_EQ(notices.count(), 0) << "nothing shown, nothing taken";

    screen.setLayout(2);
    screen.window(0)->play(testRecording("long.mp4"), 0);
    screen.window(3)->play(testRecording("long.mp4"), 0);
    // A window the layout hides is not taken.
    screen.window(7)->play(testRecording("long.mp4"), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return screen.window(0)->hasPicture() && screen.window(3)->hasPicture() && screen.window(7)->isOpen();
    }, 20000));
    QTest::qWait(400);
    screen.snapshotAll();
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 20000);
    QTest::qWait(200);
    EXPECT_EQ(notices.count(), 1) << "one notice for the whole batch";
    EXPECT_EQ(notices.at(0).at(0).toInt(), SnapshotBatch::kLink);
    const QFileInfo screenPicture(notices.at(0).at(1).toString());
    EXPECT_TRUE(screenPicture.fileName().startsWith(QStringLiteral("screen_512_")));
    EXPECT_EQ(QImage(screenPicture.filePath()).size(), screen.size());

    const QStringList windows =
        screenPicture.dir().entryList({QStringLiteral("long_512_*.png")}, QDir::Files, QDir::Name);
    ASSERT_EQ(windows.size(), 2) << qPrintable(windows.join(u' '));
    for (const QString& name : windows)
        EXPECT_EQ(QImage(screenPicture.dir().filePath(name)).size(), QSize(160, 120)) << "each at its own size";
    EXPECT_TRUE(screen.window(0)->isPlaying()) << "the windows play on";
    EXPECT_EQ(screen.window(0)->playState(), int{PlayStatePlay});
}

}
