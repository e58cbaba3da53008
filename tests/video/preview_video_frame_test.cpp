// A video window playing real recordings through the player API and the
// playback library, offscreen.

#include "PreviewVideoFrame.h"
#include "TestMedia.h"
#include "VideoScreen.h"
#include "ZoomSelection.h"

#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PreviewVideoFrameTest : public ::testing::Test
{
protected:
    PreviewVideoFrame window;

    void SetUp() override
    {
        window.resize(162, 122);
        window.show();
    }

    // play() opens on a worker; the window takes the file a turn of the event
    // loop later, and what it is asked waits for the first picture.
    bool playOpen(const QString& file)
    {
        window.play(file, 0);
        return window.isPlaying() && QTest::qWaitFor([&] { return window.hasPicture(); }, 20000);
    }

    bool waitStopped(int timeoutMs = 20000)
    {
        return QTest::qWaitFor([&] { return !window.isPlaying() && window.playState() == 2; }, timeoutMs);
    }
};

TEST_F(PreviewVideoFrameTest, PlayingTheSameFileAgainResumesWithoutReopening)
{
    QSignalSpy started(&window, &PreviewVideoFrame::PlayOrStopSignal);
    ASSERT_TRUE(playOpen(testRecording("long.mp4")));
    window.speedUp();
    EXPECT_EQ(window.playState(), 16);

    window.play(testRecording("long.mp4"), 0);
    EXPECT_EQ(window.playState(), 1) << "back to normal speed";
    EXPECT_EQ(started.count(), 1) << "not reopened";

    window.pause();
    EXPECT_TRUE(window.isPaused());
    window.play(testRecording("red.mp4"), 0);
    EXPECT_EQ(window.currentFile(), testRecording("long.mp4")) << "a paused window resumes its own file";
    EXPECT_TRUE(window.isPlaying());
    EXPECT_EQ(started.count(), 1);

    window.stop();
    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(started.last().first().toInt(), -1);
    EXPECT_EQ(window.elapsedText(), QStringLiteral("00:00:00"));
}

TEST_F(PreviewVideoFrameTest, AMissingFileLeavesTheWindowStopped)
{
    QSignalSpy started(&window, &PreviewVideoFrame::PlayOrStopSignal);
    window.play(testRecording("missing.mp4"), 0);
    EXPECT_FALSE(window.isPlaying());
    EXPECT_EQ(started.count(), 0);
    // A file that is there but holds no video is found out on the worker.
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("notes.mp4")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no video in here\n");
    text.close();
    window.play(text.fileName(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isLoading(); }, 20000));
    EXPECT_FALSE(window.isPlaying());
    EXPECT_FALSE(window.isOpen());
    ASSERT_EQ(started.count(), 2);
    EXPECT_EQ(started.last().first().toInt(), -1);
    EXPECT_TRUE(window.surface()->placeholder().isEmpty());
}

TEST_F(PreviewVideoFrameTest, TheExactLengthOfARawStreamReplacesTheEstimate)
{
    // A raw stream has no length of its own: the library estimates it from
    // the file's size, far off for a picture that never changes, until its
    // index pass has counted the frames.
    QTemporaryDir dir;
    const QString raw = dir.filePath(QStringLiteral("still.h264"));
    ASSERT_TRUE(makeColourClip(raw, QStringLiteral("green"), QStringLiteral("12")));
    QSignalSpy times(&window, &PreviewVideoFrame::playTimeChanged);
    ASSERT_TRUE(playOpen(raw));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.totalText() == QStringLiteral("00:00:12"); }, 20000))
        << qPrintable(window.totalText());
    ASSERT_FALSE(times.isEmpty());
    EXPECT_EQ(times.last().at(1).toString(), QStringLiteral("00:00:12")) << "the time texts follow";
    window.stop();
}

TEST_F(PreviewVideoFrameTest, AWindowShowsItsFileAsLoadingUntilItIsOpen)
{
    window.play(testRecording("long.mp4"), 0);
    ASSERT_TRUE(window.isLoading()) << "play returns before the file is open";
    EXPECT_TRUE(window.isPlaying());
    EXPECT_FALSE(window.isOpen());
    EXPECT_TRUE(window.surface()->placeholder().startsWith(QStringLiteral("long.mp4\n")));
    // Paused while it opens: it opens paused, on its first picture.
    window.pause();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isOpen(); }, 20000));
    EXPECT_TRUE(window.isPaused());
    EXPECT_EQ(window.playState(), int{PlayStatePause});
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.hasPicture(); }, 20000));
    window.stop();
    EXPECT_TRUE(window.surface()->placeholder().isEmpty());

    // Stopped while it opens: it never plays.
    QSignalSpy started(&window, &PreviewVideoFrame::PlayOrStopSignal);
    window.play(testRecording("long.mp4"), 0);
    window.stop();
    EXPECT_FALSE(window.isLoading());
    QTest::qWait(300);
    EXPECT_FALSE(window.isOpen());
    EXPECT_FALSE(window.isPlaying());
    EXPECT_EQ(started.count(), 2);
}

TEST_F(PreviewVideoFrameTest, WhatIsAskedWhileItLoadsIsDoneInOrderOnceOpen)
{
    QSignalSpy notices(&window, &PreviewVideoFrame::noticeRequested);
    window.play(testRecording("long.mp4"), 0);
    ASSERT_TRUE(window.isLoading());
    window.speedUp();
    window.speedUp();
    EXPECT_EQ(window.playState(), int{PlayStateFast4}) << "the controls follow at once";
    window.snapshot();
    window.zoomToggle();
    EXPECT_FALSE(window.isZoomMode()) << "nothing to zoom into yet";
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.hasPicture(); }, 20000));
    EXPECT_TRUE(window.isZoomMode());
    EXPECT_EQ(window.playState(), int{PlayStateFast4});
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 20000);
    EXPECT_EQ(notices.at(0).at(0).toInt(), int{PreviewVideoFrame::PictureNotice});
    window.stop();

    // What was asked of an open that was given up goes with it.
    window.play(testRecording("long.mp4"), 0);
    window.zoomToggle();
    window.stop();
    ASSERT_TRUE(playOpen(testRecording("long.mp4")));
    EXPECT_FALSE(window.isZoomMode());
    EXPECT_EQ(window.playState(), int{PlayStatePlay});
    window.stop();
}

TEST_F(PreviewVideoFrameTest, TheSurfaceShowsThePicturesColours)
{
    window.play(testRecording("long.mp4"), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QImage frame = window.surface()->grab().toImage();
        const QColor centre = frame.pixelColor(frame.width() / 2, frame.height() / 2);
        return centre.green() > 100 && centre.red() < 60 && centre.blue() < 60;
    }));
    QSignalSpy times(&window, &PreviewVideoFrame::playTimeChanged);
    ASSERT_TRUE(times.wait(3000));
    EXPECT_EQ(times.last().at(1).toString(), QStringLiteral("00:00:20"));
    window.stop();
    const QImage stopped = window.surface()->grab().toImage();
    EXPECT_EQ(stopped.pixelColor(stopped.width() / 2, stopped.height() / 2), QColor(Qt::black));
}

TEST_F(PreviewVideoFrameTest, EndOfFileFollowsThePlayMode)
{
    const QStringList list{testRecording("red.mp4"), testRecording("blue.mp4")};
    window.setFileList(list);

    window.setPlayMode(1);
    window.play(list.at(0), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.currentFile() == list.at(1); }, 20000)) << "list plays on";
    EXPECT_TRUE(waitStopped()) << "the last entry stops";

    window.setPlayMode(3);
    window.play(list.at(1), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.currentFile() == list.at(0) && window.isPlaying(); }, 20000))
        << "list circle starts over";
    window.stop();

    window.setPlayMode(0);
    window.play(list.at(0), 0);
    EXPECT_TRUE(waitStopped());
    EXPECT_EQ(window.currentFile(), list.at(0)) << "single mode plays nothing more";
}

TEST_F(PreviewVideoFrameTest, TheEntryAfterTheOneThatPlayedFollowsEvenAfterEdits)
{
    const QString red = testRecording("red.mp4");
    const QString blue = testRecording("blue.mp4");
    window.setFileList({testRecording("long.mp4"), red, blue});
    window.setPlayMode(1);
    window.play(red, 0);
    ASSERT_EQ(window.currentIndex(), 1);
    window.setFileList({red, blue}); // the entry before it deleted
    EXPECT_EQ(window.currentIndex(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.currentFile() == blue; }, 20000));
    EXPECT_TRUE(waitStopped());

    window.setPlayMode(3);
    window.play(red, 0);
    window.setFileList({blue, testRecording("long.mp4"), red}); // added before it
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.currentFile() == blue && window.isPlaying(); }, 20000))
        << "list circle goes on from the end of the list to its start";
    window.stop();
}

TEST_F(PreviewVideoFrameTest, AFileWhoseTimestampsResetShowsTheLengthOfBothParts)
{
    // A recorder that restarted two hours on: the container alone measures
    // from the first part's start to the second part's end.
    const QString joined = testRecording("restarted.ts");
    QFile out(joined);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    for (const QString& offset : {QStringLiteral("0"), QStringLiteral("7200")}) {
        const QString part = testRecording("part.ts");
        ASSERT_TRUE(makeColourClip(part, QStringLiteral("green"), QStringLiteral("5"),
                                   {QStringLiteral("-output_ts_offset"), offset}));
        QFile in(part);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        out.write(in.readAll());
    }
    out.close();
    window.play(joined, 0);
    ASSERT_TRUE(window.isPlaying());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.totalText() == QStringLiteral("00:00:10"); }, 8000))
        << qPrintable(window.totalText());
    window.stop();
}

TEST(ZoomSelectionTest, SmallMovesMakeNoSelection)
{
    ZoomSelection zoom;
    zoom.press({50, 50});
    EXPECT_FALSE(zoom.move({53, 53}));
    EXPECT_TRUE(zoom.rect().isEmpty());
    const ZoomSelection::Region none = zoom.release({200, 100});
    EXPECT_EQ(none.left, -1);
    EXPECT_EQ(none.top, -1);
    EXPECT_EQ(none.right, 0);
    EXPECT_EQ(none.bottom, 0);
    EXPECT_EQ(none.width, 0) << "the library keeps its view";

    zoom.press({50, 50});
    EXPECT_TRUE(zoom.move({20, 90}));
    EXPECT_EQ(zoom.rect(), QRect(QPoint(20, 50), QPoint(50, 90)));
    const ZoomSelection::Region region = zoom.release({200, 100});
    EXPECT_EQ(region.left, 20);
    EXPECT_EQ(region.top, 50);
    EXPECT_EQ(region.right, 50);
    EXPECT_EQ(region.bottom, 90);
    EXPECT_EQ(region.width, 200);
    EXPECT_EQ(region.height, 100);
    EXPECT_TRUE(zoom.rect().isEmpty());
}

}

namespace {

TEST_F(PreviewVideoFrameTest, ADroppedRecordingJoinsTheListAndPlays)
{
    QSignalSpy added(&window, qOverload<const QString&>(&PreviewVideoFrame::dropFileToScreen));
    QSignalSpy started(&window, qOverload<QObject*>(&PreviewVideoFrame::dropFileToScreen));
    const auto drop = [&](const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        // Qt hands a drop only to the widget that took the drag's entry.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
    };
    drop(testRecording("long.mp4"));
    EXPECT_TRUE(window.isPlaying());
    EXPECT_EQ(window.fileList(), QStringList{testRecording("long.mp4")});
    EXPECT_EQ(added.count(), 1);
    EXPECT_EQ(started.count(), 1);

    drop(testRecording("long.mp4"));
    EXPECT_EQ(window.fileList().size(), 1) << "no second entry";
    EXPECT_EQ(added.count(), 1);

    drop(testRecording("config"));
    EXPECT_EQ(started.count(), 2) << "a path without a recording extension is ignored";
}

TEST_F(PreviewVideoFrameTest, SingleCircleRepeatsTheEntry)
{
    window.setFileList({testRecording("red.mp4")});
    window.setPlayMode(2);
    QSignalSpy started(&window, &PreviewVideoFrame::PlayOrStopSignal);
    window.play(testRecording("red.mp4"), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.count() >= 3; }, 20000)) << "stopped and started again";
    EXPECT_EQ(started.at(1).first().toInt(), -1);
    EXPECT_EQ(started.at(2).first().toInt(), 1);
    window.setPlayMode(0);
    window.stop();
}

TEST_F(PreviewVideoFrameTest, AZoomDragOfThreePixelsSelectsNothing)
{
    ASSERT_TRUE(playOpen(testRecording("long.mp4")));
    window.zoomToggle();
    ASSERT_TRUE(window.isZoomMode());
    VideoScreen* surface = window.surface();
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(40, 40));
    QMouseEvent small(QEvent::MouseMove, QPointF(43, 43), surface->mapToGlobal(QPointF(43, 43)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &small);
    EXPECT_TRUE(surface->selection().isEmpty());
    QMouseEvent large(QEvent::MouseMove, QPointF(90, 80), surface->mapToGlobal(QPointF(90, 80)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &large);
    EXPECT_EQ(surface->selection(), QRect(QPoint(40, 40), QPoint(90, 80)));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(90, 80));
    EXPECT_TRUE(surface->selection().isEmpty());

    window.zoomToggle();
    EXPECT_FALSE(window.isZoomMode());
    window.stop();
}

TEST_F(PreviewVideoFrameTest, ASnapshotIsWrittenOffTheGuiThreadAndReported)
{
    QSignalSpy notices(&window, &PreviewVideoFrame::noticeRequested);
    window.snapshot();
    EXPECT_EQ(notices.count(), 0) << "nothing open, nothing taken";

    ASSERT_TRUE(playOpen(testRecording("long.mp4")));
    QTest::qWait(300);
    window.snapshot();
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 20000);
    EXPECT_EQ(notices.at(0).at(0).toInt(), int{PreviewVideoFrame::PictureNotice});
    const QString path = notices.at(0).at(1).toString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    EXPECT_TRUE(file.read(8).startsWith("\x89PNG")) << "a complete picture file";

    window.snapshot();
    window.stop();
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 2, 20000);
    const int kind = notices.at(1).at(0).toInt();
    EXPECT_TRUE(kind == PreviewVideoFrame::PictureNotice || kind == PreviewVideoFrame::MessageNotice)
        << "a snapshot racing a stop is either written or reported as failed";
}

}
