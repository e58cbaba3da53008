// Marks and exports from the main window, offscreen, on real recordings.
#include "EvidenceActions.h"
#include "ExportDialog.h"
#include "ExportFixture.h"
#include "ExportRunner.h"
#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "PreviewVideoFrame.h"
#include "Slider.h"
#include "SpanMarks.h"
#include "VerifyFolder.h"
#include "VideoScreenMenu.h"
#include "Widget_ControlBar.h"
#include "window_main.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

class EvidenceWindowTest : public ::testing::Test
{
protected:
    window_main window;
    const MainWindowForm& form = window.form();
    EvidenceActions& evidence = window.evidence();

    void SetUp() override
    {
        Model_Language::setFallbackPath(QStringLiteral(KV_SOURCE_DIR "/resources/Language/ENU.xml"));
        Model_Customize::instance().setVideoPath(freshFolder("clips"));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { window.videoScreen()->stopAll(); }

    // Plays path in window index and leaves it paused on a picture.
    PreviewVideoFrame* playPaused(int index, const QString& path)
    {
        KvVideoScreen& screen = *window.videoScreen();
        screen.setSelectedVideo(screen.window(index));
        screen.playInSelected(path);
        PreviewVideoFrame* shown = screen.window(index);
        EXPECT_TRUE(QTest::qWaitFor([shown] { return shown->playedTime() > shown->recordingStart() + 1000000; },
                                    10000));
        shown->pause();
        return shown;
    }
};

TEST_F(EvidenceWindowTest, TheMarkButtonsTakeTheSelectedWindowsRecordingTimeAndTheSliderShowsThem)
{
    PreviewVideoFrame* cam = playPaused(0, recording("cam1.mp4"));
    QTest::qWait(300);
    const uint64_t shown = cam->playedTime();
    form.m_pBtnMarkIn->click();
    ASSERT_TRUE(evidence.marks().in());
    EXPECT_EQ(*evidence.marks().in(), shown);
    EXPECT_GE(shown, kCam1Start) << "a recording time, not a position in the file";
    EXPECT_EQ(form.m_pSlTime->markIn(), SpanMarks::sliderValue(shown, cam->recordingStart(), cam->recordingLength(), 10000));
    EXPECT_GT(form.m_pSlTime->markIn(), 0);
    EXPECT_EQ(form.m_pSlTime->markOut(), -1);

    evidence.marks().setOut(kCam1Start + 11 * kUsPerSecond);
    EXPECT_NEAR(form.m_pSlTime->markOut(), 11 * 10000 / 12, 20);
    evidence.marks().clear();
    EXPECT_EQ(form.m_pSlTime->markIn(), -1);
}

TEST_F(EvidenceWindowTest, TheFullScreenBarMarksTheSpanAndItsSliderShowsIt)
{
    PreviewVideoFrame* cam = playPaused(0, recording("cam1.mp4"));
    auto* bar = qobject_cast<Widget_ControlBar*>(window.videoScreen()->controlBar());
    ASSERT_NE(bar, nullptr);
    const uint64_t in = cam->playedTime();
    bar->markInButton()->click();
    cam->frameStep();
    ASSERT_TRUE(QTest::qWaitFor([cam, in] { return cam->playedTime() > in; }, 5000));
    bar->markOutButton()->click();
    ASSERT_TRUE(evidence.marks().isComplete());
    EXPECT_EQ(*evidence.marks().in(), in);
    EXPECT_EQ(*evidence.marks().out(), cam->playedTime());
    EXPECT_EQ(bar->positionSlider()->markIn(), form.m_pSlTime->markIn());
    EXPECT_EQ(bar->positionSlider()->markOut(), form.m_pSlTime->markOut());
    EXPECT_GT(bar->positionSlider()->markOut(), bar->positionSlider()->markIn());
}

TEST_F(EvidenceWindowTest, TheKeysMarkAndCtrlEOpensTheDialogOnlyWithBothMarks)
{
    playPaused(0, recording("cam1.mp4"));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy notices(&evidence, &EvidenceActions::noticeRequested);
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(notices.count(), 1);
    EXPECT_EQ(notices.at(0).at(1).toString(), QStringLiteral("Mark In and Out first"));
    EXPECT_FALSE(evidence.dialog()->isVisible());

    QTest::keyClick(&window, Qt::Key_I);
    window.videoScreen()->selectedVideo()->frameStep();
    QTest::qWait(200);
    QTest::keyClick(&window, Qt::Key_O);
    ASSERT_TRUE(evidence.marks().isComplete());
    EXPECT_LT(*evidence.marks().in(), *evidence.marks().out());
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(evidence.dialog()->isVisible());
}

TEST_F(EvidenceWindowTest, TheRequestTakesTheSelectedWindowOrEveryWindowWithAFile)
{
    window.videoScreen()->setLayout(2);
    playPaused(0, recording("cam1.mp4"));
    playPaused(3, recording("cam2.mp4"));
    evidence.marks().setIn(kCam1Start + 4 * kUsPerSecond);
    evidence.marks().setOut(kCam1Start + 6 * kUsPerSecond);
    const ExportRequest selected = evidence.request(QStringLiteral("n"), false);
    ASSERT_EQ(selected.sources.size(), 1);
    EXPECT_EQ(selected.sources[0].window, 4);
    EXPECT_EQ(selected.sources[0].path, recording("cam2.mp4"));
    EXPECT_EQ(selected.parentFolder, Model_Customize::instance().videoPath());
    const ExportRequest all = evidence.request(QStringLiteral("n"), true);
    ASSERT_EQ(all.sources.size(), 2);
    EXPECT_EQ(all.sources[0].window, 1);
    EXPECT_EQ(all.in, kCam1Start + 4 * kUsPerSecond);
}

TEST_F(EvidenceWindowTest, TheMenuEntryExportsEveryWindowWhilePlaybackGoesOn)
{
    window.videoScreen()->setLayout(2);
    playPaused(0, recording("cam1.mp4"));
    PreviewVideoFrame* playing = playPaused(1, recording("cam2.mp4"));
    playing->play(recording("cam2.mp4"), 0);
    evidence.marks().setIn(kCam1Start + 4 * kUsPerSecond);
    evidence.marks().setOut(kCam1Start + 6 * kUsPerSecond);
    window.videoScreen()->contextMenu()->exportSpan->trigger();
    ExportDialog* dialog = evidence.dialog();
    ASSERT_TRUE(dialog->isVisible());
    dialog->findChildren<QRadioButton*>().at(1)->setChecked(true);
    QSignalSpy finished(&evidence.runner(), &ExportRunner::finished);
    QSignalSpy notices(&evidence, &EvidenceActions::noticeRequested);
    const uint64_t before = playing->playedTime();
    dialog->exportButton()->click();
    EXPECT_TRUE(dialog->isBusy());
    EXPECT_FALSE(dialog->exportButton()->isEnabled());
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_GT(playing->playedTime(), before) << "the window played on";
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(notices.count(), 1);
    EXPECT_EQ(notices.at(0).at(0).toInt(), 3) << "a link to the folder";
    const QString folder = notices.at(0).at(1).toString();
    EXPECT_EQ(QFileInfo(folder).dir().path(), Model_Customize::instance().videoPath());
    const VerifyFolder::Report report = VerifyFolder::verify(folder);
    EXPECT_TRUE(report.allMatch());
    EXPECT_EQ(report.lines.size(), 5);
}

TEST_F(EvidenceWindowTest, CancelInTheDialogStopsTheExportAndSaysSo)
{
    playPaused(0, recording("cam1.mp4"));
    evidence.marks().setIn(kCam1Start);
    evidence.marks().setOut(kCam1Start + 11 * kUsPerSecond);
    evidence.openExport();
    QSignalSpy finished(&evidence.runner(), &ExportRunner::finished);
    QSignalSpy notices(&evidence, &EvidenceActions::noticeRequested);
    evidence.dialog()->exportButton()->click();
    evidence.dialog()->cancelButton()->click();
    ASSERT_TRUE(finished.wait(120000));
    ASSERT_EQ(notices.count(), 1);
    EXPECT_EQ(notices.at(0).at(1).toString(), QStringLiteral("Export cancelled"));
    EXPECT_TRUE(evidence.dialog()->isVisible()) << "the dialog stays for another try";
    EXPECT_TRUE(QDir(Model_Customize::instance().videoPath())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
}

}
