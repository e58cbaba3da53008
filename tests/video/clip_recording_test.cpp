// Clip recording in a video window, through the player API and the playback
// library, offscreen: the notices, the files left behind, the ways a
// recording ends, and the window staying live while a clip is written.

#include "KvVideoScreen.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "OutputTexts.h"
#include "PreviewVideoFrame.h"
#include "TestMedia.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 30000;

// Every file below folder whose name matches one of the patterns.
QStringList filesIn(const QString& folder, const QStringList& patterns)
{
    QStringList found;
    QDirIterator it(folder, patterns, QDir::Files | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    return found;
}

double probedSeconds(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                                        QStringLiteral("format=duration"), QStringLiteral("-of"),
                                        QStringLiteral("default=nw=1:nk=1"), file});
    if (!p.waitForFinished(kWaitMs) || p.exitCode() != 0)
        return -1;
    return QString::fromLatin1(p.readAllStandardOutput()).trimmed().toDouble();
}

// The notices of one kind, their texts in order.
QStringList noticesOf(const QSignalSpy& spy, int kind)
{
    QStringList texts;
    for (const QList<QVariant>& notice : spy)
        if (notice.at(0).toInt() == kind)
            texts.append(notice.at(1).toString());
    return texts;
}

class ClipRecordingTest : public ::testing::Test
{
protected:
    QTemporaryDir clips;
    PreviewVideoFrame window;
    QSignalSpy notices{&window, &PreviewVideoFrame::noticeRequested};
    QString savedVideoPath;

    void SetUp() override
    {
        savedVideoPath = Model_Customize::instance().videoPath();
        Model_Customize::instance().setVideoPath(clips.path());
        window.resize(162, 122);
        window.show();
    }
    void TearDown() override
    {
        window.stop();
        Model_Customize::instance().setVideoPath(savedVideoPath);
    }

    bool playUntilMoving(const QString& file)
    {
        window.play(file, 0);
        return window.isPlaying() && QTest::qWaitFor([&] { return window.playedTime() != 0; }, kWaitMs);
    }
    QStringList clipsMade() const { return filesIn(clips.path(), {QStringLiteral("*_1025_*.mp4")}); }
    QStringList partsLeft() const { return filesIn(clips.path(), {QStringLiteral("*.part")}); }
};

TEST_F(ClipRecordingTest, StartAndStopGiveTheirNoticesAClipAndItsPicture)
{
    window.recordToggle();
    EXPECT_EQ(notices.count(), 0) << "nothing open, nothing recorded";

    ASSERT_TRUE(playUntilMoving(testRecording("long.mp4")));
    window.recordToggle();
    ASSERT_TRUE(window.isRecording());
    EXPECT_EQ(noticesOf(notices, PreviewVideoFrame::MessageNotice),
              QStringList{Model_Language::Text(OutputTexts::RecordStarted)});
    EXPECT_EQ(partsLeft().size(), 1) << "the clip's file is made when it starts";
    QTest::qWait(1500);

    window.recordToggle();
    EXPECT_FALSE(window.isRecording()) << "the button shows the truth at once";
    EXPECT_TRUE(noticesOf(notices, PreviewVideoFrame::ClipNotice).isEmpty())
        << "the clip is written in the background and reported when complete";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !noticesOf(notices, PreviewVideoFrame::ClipNotice).isEmpty(); },
                                kWaitMs));
    const QString clip = noticesOf(notices, PreviewVideoFrame::ClipNotice).first();
    EXPECT_TRUE(clip.endsWith(QStringLiteral(".mp4"))) << "an MP4 source keeps its kind";
    EXPECT_TRUE(clip.contains(QStringLiteral("/long_1025_"))) << qPrintable(clip);
    EXPECT_GT(probedSeconds(clip), 0.5) << qPrintable(clip);
    QString picture = clip;
    picture.replace(QStringLiteral(".mp4"), QStringLiteral(".png"));
    EXPECT_TRUE(QFile::exists(picture)) << "the companion picture";
    EXPECT_TRUE(partsLeft().isEmpty());
}

TEST_F(ClipRecordingTest, StoppingThePlaybackEndsTheClipFirst)
{
    ASSERT_TRUE(playUntilMoving(testRecording("long.mp4")));
    window.recordToggle();
    ASSERT_TRUE(window.isRecording());
    QTest::qWait(800);
    window.pause();
    window.stop();
    EXPECT_FALSE(window.isRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !noticesOf(notices, PreviewVideoFrame::ClipNotice).isEmpty(); },
                                kWaitMs))
        << "the clip outlives the file's close";
    EXPECT_EQ(clipsMade().size(), 1);
    EXPECT_GT(probedSeconds(clipsMade().first()), 0.2);
}

TEST_F(ClipRecordingTest, TheEndOfTheFileEndsTheClip)
{
    const QString source = clips.filePath(QStringLiteral("short.mp4"));
    ASSERT_TRUE(makeColourClip(source, QStringLiteral("yellow"), QStringLiteral("3")));
    Model_Customize::instance().setVideoPath(clips.filePath(QStringLiteral("out")));
    window.setPlayMode(0);
    ASSERT_TRUE(playUntilMoving(source));
    window.recordToggle();
    ASSERT_TRUE(window.isRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isOpen(); }, kWaitMs)) << "the file ends";
    EXPECT_FALSE(window.isRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !noticesOf(notices, PreviewVideoFrame::ClipNotice).isEmpty(); },
                                kWaitMs));
    EXPECT_EQ(clipsMade().size(), 1);
}

TEST_F(ClipRecordingTest, AClipThatCannotBeWrittenAtTheStopIsReportedAndLeavesNothing)
{
    ASSERT_TRUE(playUntilMoving(testRecording("long.mp4")));
    window.recordToggle();
    ASSERT_TRUE(window.isRecording());
    QTest::qWait(500);
    // The day's folder goes while the clip records.
    for (const QString& day : QDir(clips.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        ASSERT_TRUE(QDir(clips.filePath(day)).removeRecursively());
    window.recordToggle();
    EXPECT_FALSE(window.isRecording()) << "a failed stop clears the recording";
    ASSERT_TRUE(QTest::qWaitFor([&] { return notices.count() == 2; }, kWaitMs));
    EXPECT_EQ(notices.last().at(0).toInt(), int{PreviewVideoFrame::MessageNotice});
    EXPECT_EQ(notices.last().at(1).toString(), Model_Language::Text(OutputTexts::ClipWriteFailed));
    EXPECT_TRUE(clipsMade().isEmpty());
    EXPECT_TRUE(partsLeft().isEmpty());

    window.recordToggle();
    EXPECT_TRUE(window.isRecording()) << "the window records again";
}

TEST_F(ClipRecordingTest, AMissingFolderFailsAtTheStart)
{
    QFile blocker(clips.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Model_Customize::instance().setVideoPath(blocker.fileName() + QStringLiteral("/video"));
    ASSERT_TRUE(playUntilMoving(testRecording("long.mp4")));
    window.recordToggle();
    EXPECT_FALSE(window.isRecording());
    EXPECT_EQ(noticesOf(notices, PreviewVideoFrame::MessageNotice),
              QStringList{Model_Language::Text(OutputTexts::RecordStartFailed)})
        << "no notice that recording started";
}

// Root writes into read-only folders, so the case runs again as nobody.
TEST_F(ClipRecordingTest, AReadOnlyFolderFailsAtTheStart)
{
    if (::geteuid() == 0) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
        child.setProcessEnvironment(env);
        child.start(QStringLiteral("setpriv"),
                    {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                     QCoreApplication::applicationFilePath(),
                     QStringLiteral("--gtest_filter=ClipRecordingTest.AReadOnlyFolderFailsAtTheStart")});
        if (!child.waitForFinished(120000))
            FAIL() << "the unprivileged run did not end";
        const QString out = QString::fromLocal8Bit(child.readAll());
        if (child.exitCode() != 0 && !out.contains(QStringLiteral("[  FAILED  ]")))
            GTEST_SKIP() << "cannot run as nobody: " << qPrintable(out.left(400));
        EXPECT_EQ(child.exitCode(), 0) << qPrintable(out);
        EXPECT_TRUE(out.contains(QStringLiteral("[       OK ] ClipRecordingTest.AReadOnlyFolderFailsAtTheStart")))
            << qPrintable(out);
        return;
    }
    ASSERT_TRUE(playUntilMoving(testRecording("long.mp4")));
    const QString day = clips.filePath(
        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(window.playedTime() / 1000), QTimeZone::utc())
            .toString(QStringLiteral("yyyyMMdd")));
    ASSERT_TRUE(QDir().mkpath(day));
    ASSERT_EQ(::chmod(day.toLocal8Bit().constData(), 0555), 0);
    window.recordToggle();
    EXPECT_FALSE(window.isRecording());
    EXPECT_EQ(noticesOf(notices, PreviewVideoFrame::MessageNotice),
              QStringList{Model_Language::Text(OutputTexts::RecordStartFailed)});
    EXPECT_TRUE(filesIn(day, {QStringLiteral("*")}).isEmpty());
    ::chmod(day.toLocal8Bit().constData(), 0755);
}

// The companion picture's file is a FIFO that nobody reads yet: the writer
// stops there, with the clip not yet reported, until the test reads it.
TEST_F(ClipRecordingTest, ALongClipIsWrittenWhileTheWindowGoesOn)
{
    const QString source = clips.filePath(QStringLiteral("minute.mp4"));
    ASSERT_TRUE(makeColourClip(source, QStringLiteral("gray"), QStringLiteral("75")));
    Model_Customize::instance().setVideoPath(clips.filePath(QStringLiteral("out")));
    ASSERT_TRUE(playUntilMoving(source));
    window.recordToggle();
    ASSERT_TRUE(window.isRecording());
    const QStringList parts = filesIn(clips.filePath(QStringLiteral("out")), {QStringLiteral("*.part")});
    ASSERT_EQ(parts.size(), 1);
    QString pictureTemp = parts.first();
    pictureTemp.replace(QStringLiteral(".mp4.part"), QStringLiteral(".png.part"));
    ASSERT_EQ(::mkfifo(pictureTemp.toLocal8Bit().constData(), 0600), 0);

    const uint64_t started = window.playedTime();
    window.seekBy(61'000'000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.playedTime() >= started + 60'000'000; }, kWaitMs));
    window.recordToggle();

    QSignalSpy ticks(&window, &PreviewVideoFrame::playTimeChanged);
    ASSERT_TRUE(ticks.wait(kWaitMs)) << "the window's timer fires";
    ASSERT_TRUE(ticks.wait(kWaitMs));
    EXPECT_TRUE(noticesOf(notices, PreviewVideoFrame::ClipNotice).isEmpty()) << "while the clip is being written";

    const int fd = ::open(pictureTemp.toLocal8Bit().constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    char buffer[4096];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
    ::close(fd);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !noticesOf(notices, PreviewVideoFrame::ClipNotice).isEmpty(); },
                                kWaitMs));
    const double seconds = probedSeconds(noticesOf(notices, PreviewVideoFrame::ClipNotice).first());
    EXPECT_GE(seconds, 59.0);
    EXPECT_LE(seconds, 63.0);
}

TEST(ClipRecordingScreenTest, StopAllEndsTheClipOfAPausedWindow)
{
    QTemporaryDir clips;
    const QString saved = Model_Customize::instance().videoPath();
    Model_Customize::instance().setVideoPath(clips.path());
    KvVideoScreen screen;
    screen.resize(640, 480);
    screen.show();
    PreviewVideoFrame* window = screen.window(0);
    QSignalSpy notices(window, &PreviewVideoFrame::noticeRequested);
    window->play(testRecording("long.mp4"), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->playedTime() != 0; }, kWaitMs));
    window->recordToggle();
    ASSERT_TRUE(window->isRecording());
    QTest::qWait(500);
    window->pause();
    screen.stopAll();
    EXPECT_FALSE(window->isOpen()) << "a paused window stops too";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !noticesOf(notices, PreviewVideoFrame::ClipNotice).isEmpty(); },
                                kWaitMs));
    EXPECT_EQ(filesIn(clips.path(), {QStringLiteral("*.mp4")}).size(), 1);
    Model_Customize::instance().setVideoPath(saved);
}

}
