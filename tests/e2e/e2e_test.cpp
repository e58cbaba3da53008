// The real program on an X server (xvfb-run in the README's test command),
// in a home of its own, driven by the keyboard through xdotool: what a user
// sees on screen and gets on disk.

#include "Desktop.h"
#include "FrameCode.h"
#include "PlayerSession.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTime>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The main window's title: the program's base name.
const QString kMainTitle = QStringLiteral("KvPlayer");
constexpr int kWaitMs = 30000;

struct Recordings {
    QTemporaryDir dir;
    QString numbered = dir.filePath(QStringLiteral("cam01.mp4"));
    QString pattern = dir.filePath(QStringLiteral("cam02.mp4"));
    bool made = FrameCode::makeNumbered(numbered, 30) && FrameCode::makePattern(pattern, 30);
};

const Recordings& recordings()
{
    static const Recordings r;
    return r;
}

// The frame number on screen while the numbered recording fills it, read
// at three heights; -1 unless all three agree.
int numberOnScreen()
{
    const QImage screen = Desktop::grabScreen();
    const int h = screen.height();
    int number = -2;
    for (const int y : {h / 4, h / 2, h * 3 / 4}) {
        const int read = FrameCode::read(screen, QRect(4, y, screen.width() - 8, 1));
        if (read < 0 || (number != -2 && read != number))
            return -1;
        number = read;
    }
    return number;
}

// Full screen once the recording plays (until then the key is not offered),
// and its picture up.
bool fullScreenWhenPlaying(PlayerSession& session)
{
    const QSize screen = Desktop::grabScreen().size();
    const auto isFull = [&] { return Desktop::windowGeometry(session.focusWindow()).size() == screen; };
    for (int attempt = 0; attempt < 20 && !isFull(); ++attempt) {
        Desktop::keys({QStringLiteral("f")});
        if (QTest::qWaitFor(isFull, 1500))
            break;
    }
    return isFull() && QTest::qWaitFor([] { return numberOnScreen() >= 0; }, kWaitMs);
}

QStringList picturesIn(const QDir& day, const QString& prefix)
{
    return day.entryList({prefix + QStringLiteral("_512_*.png")}, QDir::Files, QDir::Name);
}

QString findClip(const QDir& folder)
{
    QDirIterator it(folder.path(), {QStringLiteral("*.mp4")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

QString probe(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                                        QStringLiteral("format=duration:stream=codec_name"), QStringLiteral("-of"),
                                        QStringLiteral("default=nw=1"), file});
    p.waitForFinished(30000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QStringList playList(const PlayerSession& session)
{
    QFile file(session.playListFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// Recorders name their files by channel and start; these four cameras start
// 0, 3, 7 and 12 s after 09:26:00 and record for 40 s.
constexpr int kCameraStarts[] = {0, 3, 7, 12};
constexpr int kFramesPerSecond = 25;

QStringList makeCameras(const QTemporaryDir& dir)
{
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        const QString start = QTime(9, 26, 0).addSecs(kCameraStarts[i]).toString(QStringLiteral("HHmmss"));
        files << dir.filePath(QStringLiteral("ch%1_20250314_%2.mp4").arg(i + 1, 2, 10, QChar(u'0')).arg(start));
        if (!FrameCode::makeNumbered(files.last(), 40))
            return {};
    }
    return files;
}

// Shift+S, and the recording time that each camera's new snapshot shows, in
// frames since the first camera's start.
QList<int> recordingFramesShown(PlayerSession& session, const QStringList& cameras)
{
    const QDir day = session.pictureDay();
    QList<QStringList> before;
    for (const QString& camera : cameras)
        before << picturesIn(day, QFileInfo(camera).completeBaseName());
    Desktop::keys({QStringLiteral("shift+s")});
    QList<int> frames;
    for (qsizetype i = 0; i < cameras.size(); ++i) {
        const QString name = QFileInfo(cameras[i]).completeBaseName();
        QStringList now;
        if (!QTest::qWaitFor([&] { return (now = picturesIn(day, name)).size() > before[i].size(); }, kWaitMs)) {
            ADD_FAILURE() << "no snapshot of " << qPrintable(name);
            return {};
        }
        for (const QString& picture : now) {
            if (before[i].contains(picture))
                continue;
            const QImage image(day.filePath(picture));
            frames << FrameCode::read(image, image.rect()) + kCameraStarts[i] * kFramesPerSecond;
        }
    }
    return frames;
}

// The coverage bars of the timeline strip on screen, found by their colour:
// together they span the cameras' whole coverage, so their middle is its
// middle.
QRect timelineOnScreen(PlayerSession& session)
{
    const QRgb bar = qRgb(70, 140, 200);
    const QImage screen = Desktop::grabScreen();
    const QRect area = Desktop::windowGeometry(session.focusWindow()).intersected(screen.rect());
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((screen.pixel(x, y) & RGB_MASK) == (bar & RGB_MASK))
                found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

int spreadOf(const QList<int>& frames)
{
    if (frames.isEmpty())
        return -1;
    return *std::max_element(frames.begin(), frames.end()) - *std::min_element(frames.begin(), frames.end());
}

class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString reason = Desktop::unavailableReason();
        if (!reason.isEmpty())
            GTEST_SKIP() << qPrintable(reason);
        ASSERT_TRUE(recordings().made) << "ffmpeg could not make the recordings";
    }
};

// In full screen: pause, five steps back, two on, and a snapshot of the
// stepped-back frame. The frame the snapshot shows, or -1.
int stepBothWaysAndSnapshot(PlayerSession& session)
{
    if (!fullScreenWhenPlaying(session)) {
        ADD_FAILURE() << "no picture";
        return -1;
    }
    const int first = numberOnScreen();
    EXPECT_TRUE(QTest::qWaitFor([&] { return numberOnScreen() > first; }, kWaitMs)) << "the recording plays";
    Desktop::keys({QStringLiteral("space")});
    QTest::qWait(500);
    const int paused = numberOnScreen();
    QTest::qWait(500);
    EXPECT_EQ(numberOnScreen(), paused) << "paused";
    EXPECT_GE(paused, 5);

    const QString comma = QStringLiteral("comma");
    Desktop::keys({comma, comma, comma, comma, comma});
    EXPECT_TRUE(QTest::qWaitFor([&] { return numberOnScreen() == paused - 5; }, kWaitMs))
        << "five steps back from " << paused << " show " << numberOnScreen();
    Desktop::keys({QStringLiteral("period"), QStringLiteral("period")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return numberOnScreen() == paused - 3; }, kWaitMs)) << numberOnScreen();

    // The snapshot is the stepped-back frame, at the recording's own size.
    const QDir day = session.pictureDay();
    Desktop::keys({QStringLiteral("s")});
    if (!QTest::qWaitFor([&] { return picturesIn(day, QStringLiteral("cam01")).size() == 1; }, kWaitMs)) {
        ADD_FAILURE() << "no snapshot";
        return -1;
    }
    const QImage snapshot(day.filePath(picturesIn(day, QStringLiteral("cam01")).first()));
    EXPECT_EQ(snapshot.size(), QSize(320, 180));
    EXPECT_EQ(FrameCode::read(snapshot, snapshot.rect()), paused - 3);
    return paused - 3;
}

// Shift+S with two windows showing files: one picture each, at its own size
// and of the instant held, and one of the screen.
void snapshotEveryWindow(PlayerSession& session, int heldFrame)
{
    Desktop::keys({QStringLiteral("shift+s")});
    const QDir day = session.pictureDay();
    ASSERT_TRUE(QTest::qWaitFor([&] { return picturesIn(day, QStringLiteral("screen")).size() == 1; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return picturesIn(day, QStringLiteral("cam02")).size() == 1; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return picturesIn(day, QStringLiteral("cam01")).size() == 2; }, kWaitMs));
    const QImage second(day.filePath(picturesIn(day, QStringLiteral("cam02")).first()));
    EXPECT_EQ(second.size(), QSize(320, 240));
    const QImage first(day.filePath(picturesIn(day, QStringLiteral("cam01")).last()));
    EXPECT_EQ(FrameCode::read(first, first.rect()), heldFrame) << "the paused window kept its frame";
    const QImage screenPicture(day.filePath(picturesIn(day, QStringLiteral("screen")).first()));
    EXPECT_GT(screenPicture.width(), 2 * second.width()) << "the whole grid";
}

// R, a while, R: a clip that ffprobe reads as H.264 of at least a second.
void recordClip(PlayerSession& session)
{
    Desktop::keys({QStringLiteral("r")});
    QTest::qWait(2500);
    Desktop::keys({QStringLiteral("r")});
    QString clip;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(clip = findClip(session.clipFolder())).isEmpty(); }, kWaitMs));
    QTest::qWait(500);
    const QString facts = probe(clip);
    EXPECT_TRUE(facts.contains(QStringLiteral("codec_name=h264"))) << qPrintable(facts);
    const qsizetype at = facts.indexOf(QStringLiteral("duration="));
    ASSERT_GE(at, 0) << qPrintable(facts);
    EXPECT_GE(facts.mid(at + 9).section(u'\n', 0, 0).toDouble(), 1.0) << qPrintable(facts);
}

TEST_F(EndToEndTest, AReviewByKeyboardStepsBothWaysAndTakesSnapshotsAndAClip)
{
    PlayerSession session;
    ASSERT_TRUE(session.start({recordings().numbered}));
    EXPECT_EQ(Desktop::windowName(session.mainWindow()), kMainTitle);
    const int held = stepBothWaysAndSnapshot(session);
    ASSERT_GE(held, 0);

    // Four windows, the second selected; a second start hands it a file.
    Desktop::keys({QStringLiteral("Escape")});
    QTest::qWait(500);
    session.focusWindow();
    Desktop::keys({QStringLiteral("alt+2"), QStringLiteral("Tab")});
    ASSERT_TRUE(session.handOff(recordings().pattern));
    QTest::qWait(1500);
    session.focusWindow();
    snapshotEveryWindow(session, held);
    recordClip(session);

    EXPECT_EQ(session.closeByButton(), 0) << qPrintable(session.log());
    EXPECT_EQ(playList(session), (QStringList{recordings().numbered, recordings().pattern}));
}

// A clip still recording when the program is asked to quit, by its close
// button or by SIGTERM, is complete in its dated folder afterwards.
TEST_F(EndToEndTest, AClipRecordingAtTheQuitIsComplete)
{
    for (const bool bySignal : {false, true}) {
        SCOPED_TRACE(bySignal ? "SIGTERM" : "close button");
        PlayerSession session;
        ASSERT_TRUE(session.start({recordings().numbered}));
        ASSERT_TRUE(fullScreenWhenPlaying(session));
        Desktop::keys({QStringLiteral("r")});
        QTest::qWait(2500);
        if (bySignal) {
            EXPECT_EQ(session.terminate(), 0) << qPrintable(session.log());
        } else {
            const QSize screen = Desktop::grabScreen().size();
            Desktop::keys({QStringLiteral("Escape")});
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return Desktop::windowGeometry(session.focusWindow()).size() != screen; }, kWaitMs));
            QTest::qWait(500);
            EXPECT_EQ(session.closeByButton(), 0) << qPrintable(session.log());
        }
        const QString clip = findClip(session.clipFolder());
        ASSERT_FALSE(clip.isEmpty()) << "the clip was lost";
        EXPECT_TRUE(QFileInfo(clip).dir().dirName().contains(QRegularExpression(QStringLiteral("^\\d{8}$"))))
            << qPrintable(clip);
        QDirIterator parts(session.clipFolder().path(), {QStringLiteral("*.part")}, QDir::Files,
                           QDirIterator::Subdirectories);
        EXPECT_FALSE(parts.hasNext()) << "nothing half-written";
        const QString facts = probe(clip);
        const qsizetype at = facts.indexOf(QStringLiteral("duration="));
        ASSERT_GE(at, 0) << qPrintable(facts);
        EXPECT_GE(facts.mid(at + 9).section(u'\n', 0, 0).toDouble(), 1.0) << qPrintable(facts);
    }
}

// Four cameras recorded at overlapping times, synchronised with Y, show one
// recording time; a click on the coverage timeline moves all four there.
TEST_F(EndToEndTest, FourSynchronisedCamerasShowOneRecordingTimeAndFollowTheTimeline)
{
    const QTemporaryDir dir;
    const QStringList cameras = makeCameras(dir);
    ASSERT_EQ(cameras.size(), 4) << "ffmpeg could not make the cameras";
    PlayerSession session;
    ASSERT_TRUE(session.start({cameras[0]}));
    QTest::qWait(1500);
    session.focusWindow();
    Desktop::keys({QStringLiteral("alt+2")});
    for (qsizetype i = 1; i < cameras.size(); ++i) {
        Desktop::keys({QStringLiteral("Tab")});
        ASSERT_TRUE(session.handOff(cameras[i]));
        QTest::qWait(1000);
        session.focusWindow();
    }
    Desktop::keys({QStringLiteral("y")});
    QTest::qWait(2000);
    Desktop::keys({QStringLiteral("space")});
    QTest::qWait(1000);
    const QList<int> paused = recordingFramesShown(session, cameras);
    ASSERT_EQ(paused.size(), 4);
    EXPECT_LE(spreadOf(paused), 1) << "frames since 09:26:00: " << paused[0] << ' ' << paused[1] << ' ' << paused[2]
                                   << ' ' << paused[3];

    const QRect timeline = timelineOnScreen(session);
    ASSERT_FALSE(timeline.isEmpty()) << "the coverage timeline shows while synchronised";
    Desktop::click({timeline.left() + timeline.width() / 2, timeline.center().y()});
    QTest::qWait(1500);
    const QList<int> moved = recordingFramesShown(session, cameras);
    ASSERT_EQ(moved.size(), 4);
    EXPECT_LE(spreadOf(moved), 1) << "frames since 09:26:00: " << moved[0] << ' ' << moved[1] << ' ' << moved[2]
                                  << ' ' << moved[3];
    // The strip fits the cameras' 52 s with a little room each side: its
    // middle is the middle of their coverage.
    EXPECT_NEAR(moved[0], 26 * kFramesPerSecond, 2 * kFramesPerSecond);
    EXPECT_EQ(session.closeByButton(), 0) << qPrintable(session.log());
}

TEST_F(EndToEndTest, ThePlayListComesBackAfterARestart)
{
    PlayerSession session;
    ASSERT_TRUE(session.start({recordings().pattern}));
    ASSERT_TRUE(session.handOff(recordings().numbered));
    QTest::qWait(1000);
    ASSERT_EQ(session.closeByButton(), 0) << qPrintable(session.log());
    // The start-up file waits for the window to settle, so the hand-off may come first.
    QStringList saved = playList(session);
    saved.sort();
    EXPECT_EQ(saved, (QStringList{recordings().numbered, recordings().pattern})) << qPrintable(saved.join(u' '));

    ASSERT_TRUE(session.start({}));
    EXPECT_EQ(Desktop::windowName(session.mainWindow()), kMainTitle);
    EXPECT_EQ(session.closeByButton(), 0) << qPrintable(session.log());
    QStringList again = playList(session);
    again.sort();
    EXPECT_EQ(again, saved) << qPrintable(again.join(u' '));
}

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
