// The coverage timeline in the main window with real recordings of three
// cameras whose names give their recording times: hidden until asked for, one
// row per window with the segments of its channel, and a click that moves
// every window to the same recording time, into the next segment where that
// one covers it.

#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "Model_Language.h"
#include "PlayListActions.h"
#include "PreviewVideoFrame.h"
#include "EvidenceActions.h"
#include "SpanMarks.h"
#include "TestMedia.h"
#include "TimelineActions.h"
#include "TimelineTexts.h"
#include "Widget_Timeline.h"
#include "window_main.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int64_t kSecond = 1'000'000;
// A seek lands on a frame: one frame interval at 25 fps, and a pixel's worth.
constexpr double kTolerance = 100'000.0;

class MainWindowTimelineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        const std::pair<const char*, const char*> clips[] = {{"ch01_20250314_092600.mp4", "red"},
                                                             {"ch02_20250314_092603.mp4", "blue"},
                                                             {"ch03_20250314_092607.mp4", "green"},
                                                             {"ch01_20250314_092620.mp4", "white"}};
        for (const auto& [name, colour] : clips)
            ASSERT_TRUE(makeColourClip(file(name), QString::fromLatin1(colour), QStringLiteral("10")));
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString file(const char* name) { return s_dir->filePath(QString::fromLatin1(name)); }
    static inline QTemporaryDir* s_dir = nullptr;

    window_main window;
    KvVideoScreen& screen = *window.videoScreen();
    Widget_Timeline& strip = *window.form().m_pTimeline;

    void SetUp() override
    {
        window.resize(1200, 800);
        window.show();
        const char* played[] = {"ch01_20250314_092600.mp4", "ch02_20250314_092603.mp4", "ch03_20250314_092607.mp4"};
        for (int i = 0; i < 3; ++i) {
            screen.setSelectedVideo(screen.window(i));
            window.handleMessage(file(played[i]));
            if (i == 0)
                screen.setLayout(2);
            ASSERT_TRUE(screen.window(i)->isPlaying());
            ASSERT_TRUE(QTest::qWaitFor([this, i] { return screen.window(i)->hasPicture(); }, 10000));
        }
        window.playListActions().addFiles({file("ch01_20250314_092620.mp4")});
        for (int i = 0; i < 3; ++i)
            screen.window(i)->pause();
    }
    // The list's second segment of channel 1 is measured in the background.
    bool bothSegmentsShown()
    {
        return QTest::qWaitFor(
            [this] { return !strip.rows().empty() && strip.rows().front().spans().size() == 2; }, 20000);
    }
    static bool reaches(const PreviewVideoFrame& window, int64_t time)
    {
        return QTest::qWaitFor(
            [&window, time] {
                return std::abs(static_cast<double>(static_cast<int64_t>(window.playedTime()) - time)) < kTolerance;
            },
            10000);
    }
    int64_t startOf(int i) const { return static_cast<int64_t>(screen.window(i)->recordingStart()); }
};

TEST_F(MainWindowTimelineTest, HiddenUntilAskedThenOneRowPerWindowOfItsChannel)
{
    EXPECT_TRUE(strip.isHidden());
    window.setTimelineShown(true);
    EXPECT_FALSE(strip.isHidden());
    EXPECT_TRUE(window.timeline().isShown());
    EXPECT_EQ(startOf(1) - startOf(0), 3 * kSecond) << "the names give the recording times";
    ASSERT_TRUE(bothSegmentsShown());
    ASSERT_EQ(strip.rows().size(), 3u);
    const QString channel = Model_Language::Text(TimelineTexts::kChannel);
    EXPECT_EQ(strip.rows()[0].label(), channel + QStringLiteral(" 1"));
    EXPECT_EQ(strip.rows()[2].label(), channel + QStringLiteral(" 3"));
    EXPECT_EQ(strip.rows()[0].spans()[1].start - startOf(0), 20 * kSecond) << "the second segment, after a gap";
    EXPECT_EQ(strip.rows()[1].spans().size(), 1u);

    window.evidence().marks().setIn(static_cast<uint64_t>(startOf(0) + kSecond));
    window.evidence().marks().setOut(static_cast<uint64_t>(startOf(0) + 5 * kSecond));
    EXPECT_EQ(strip.markIn(), startOf(0) + kSecond) << "the marks hold for every row";
    EXPECT_EQ(strip.markOut(), startOf(0) + 5 * kSecond);
    window.evidence().marks().clear();
    EXPECT_FALSE(strip.markIn());
    window.setTimelineShown(false);
    EXPECT_TRUE(strip.isHidden());
}

TEST_F(MainWindowTimelineTest, AClickSeeksEveryWindowToThatRecordingTime)
{
    window.setTimelineShown(true);
    ASSERT_TRUE(bothSegmentsShown());
    QSignalSpy seeks(&window, &window_main::timelineSeekRequested);
    const int64_t target = startOf(2) + 2 * kSecond;
    const int y = Widget_Timeline::kAxisHeight + Widget_Timeline::kRowHeight / 2;
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(static_cast<int>(std::lround(strip.xAt(target))), y));
    ASSERT_EQ(seeks.count(), 1);
    const int64_t asked = seeks.at(0).at(0).toLongLong();
    EXPECT_NEAR(static_cast<double>(asked - target), 0.0, kTolerance);
    for (int i = 0; i < 3; ++i) {
        PreviewVideoFrame* w = screen.window(i);
        EXPECT_TRUE(reaches(*w, asked)) << "window " << i << " shows " << w->playedTime();
        EXPECT_NEAR(static_cast<double>(static_cast<int64_t>(w->playedTime()) - startOf(i)),
                    static_cast<double>(asked - startOf(i)), kTolerance)
            << "window " << i << " at its own offset";
    }
}

TEST_F(MainWindowTimelineTest, AClickInTheNextSegmentOpensItAndAGapLeavesAWindowAlone)
{
    window.setTimelineShown(true);
    ASSERT_TRUE(bothSegmentsShown());
    const int64_t segment = strip.rows()[0].spans()[1].start;
    const uint64_t thirdBefore = screen.window(2)->playedTime();
    window.timelineSeekRequested(segment + 3 * kSecond);
    EXPECT_EQ(screen.window(0)->currentFile(), file("ch01_20250314_092620.mp4"));
    EXPECT_TRUE(reaches(*screen.window(0), segment + 3 * kSecond));
    EXPECT_EQ(screen.window(2)->currentFile(), file("ch03_20250314_092607.mp4"));
    EXPECT_EQ(screen.window(2)->playedTime(), thirdBefore) << "no footage of channel 3 then";
}

}
