// The main window and its settings: the window's name, the stay-on-top
// modes from Ctrl+S, the settings window and every way playback ends, the
// settings taking effect at once, and the full-screen bar's first state.

#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "Model_Customize.h"
#include "PlayModeMenu.h"
#include "PreviewVideoFrame.h"
#include "ProgramInfo.h"
#include "RecordFilesStore.h"
#include "Slider.h"
#include "TestMedia.h"
#include "VideoScreenMenu.h"
#include "Widget_ControlBar.h"
#include "Widget_Settings.h"
#include "Widget_TitleBar.h"
#include "window_main.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kWaitMs = 15000;

class MainWindowSettingsTest : public ::testing::Test
{
protected:
    Model_Customize& customize = Model_Customize::instance();
    std::unique_ptr<window_main> window;

    void SetUp() override
    {
        customize.setPlayMode(0);
        customize.setSaveFileFlag(1);
        customize.setPicturePath(customize.defaultPicturePath());
    }
    void TearDown() override { window.reset(); }

    void open(int windowFlag)
    {
        customize.setWindowFlag(windowFlag);
        window = std::make_unique<window_main>();
        window->show();
    }
    const MainWindowForm& form() const { return window->form(); }
    KvVideoScreen* screen() const { return window->videoScreen(); }
    bool onTop() const { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

    Widget_Settings* openSettings() const
    {
        form().m_pTitleBar->settingsAction()->trigger();
        Widget_Settings* settings = form().m_pTitleBar->settingsWindow();
        EXPECT_TRUE(settings && settings->isVisible());
        return settings;
    }
    void play(const char* recording) const
    {
        window->handleMessage(testRecording(recording));
        ASSERT_TRUE(screen()->isSelectedPlaying());
    }
};

TEST_F(MainWindowSettingsTest, TheWindowIsNamedAfterTheProgram)
{
    open(1);
    EXPECT_EQ(window->windowTitle(), ProgramInfo::programBaseName());
    EXPECT_FALSE(window->windowTitle().isEmpty());
}

TEST_F(MainWindowSettingsTest, CtrlSWrapsFromAStoredModeOutOfRange)
{
    open(6);
    form().m_pBtnTopOrNot->click();
    EXPECT_EQ(customize.windowFlag(), 1);
    EXPECT_EQ(window->stickMode(), 1);
    form().m_pBtnTopOrNot->click();
    form().m_pBtnTopOrNot->click();
    EXPECT_EQ(customize.windowFlag(), 0);
}

TEST_F(MainWindowSettingsTest, ApplyReportsOnceAndTheStayOnTopModeFollowsAtOnce)
{
    open(1);
    for (int i = 0; i < 2; ++i)
        openSettings();
    Widget_Settings* settings = openSettings();
    QSignalSpy refreshed(form().m_pTitleBar, &Widget_TitleBar::refreshSettings);
    settings->alwaysOnTop()->setChecked(true);
    settings->applyButton()->click();
    EXPECT_EQ(refreshed.count(), 1);
    EXPECT_EQ(window->stickMode(), 2);
    EXPECT_TRUE(onTop());
    EXPECT_TRUE(window->isVisible());

    settings->neverOnTop()->setChecked(true);
    settings->okButton()->click();
    EXPECT_FALSE(onTop());
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(customize.windowFlag(), 1);
}

TEST_F(MainWindowSettingsTest, TheVideoScreensSettingsEntryOpensTheSameWindow)
{
    open(1);
    screen()->contextMenu()->settings->trigger();
    Widget_Settings* settings = form().m_pTitleBar->settingsWindow();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());
    settings->cancelButton()->click();
    EXPECT_EQ(openSettings(), settings);
}

TEST_F(MainWindowSettingsTest, OnTopWhilePlayingChosenDuringPlaybackRaisesAtOnce)
{
    open(1);
    play("long.mp4");
    EXPECT_FALSE(onTop());
    Widget_Settings* settings = openSettings();
    settings->onTopWhilePlaying()->setChecked(true);
    settings->applyButton()->click();
    EXPECT_TRUE(onTop());
    form().m_pBtnStop->click();
    EXPECT_FALSE(onTop());
}

TEST_F(MainWindowSettingsTest, InTheCircleModesStopAllAndClearingTheListDropOnTop)
{
    open(0);
    window->playModeMenu().action(3)->trigger();
    play("long.mp4");
    EXPECT_TRUE(onTop());
    form().m_pBtnBack->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !onTop(); }, kWaitMs)) << "stop all";

    window->playModeMenu().action(2)->trigger();
    play("long.mp4");
    EXPECT_TRUE(onTop());
    form().m_pBtnClearList->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !onTop(); }, kWaitMs)) << "clearing the list";
}

TEST_F(MainWindowSettingsTest, OnTopStaysWhileACircleStartsOverAndGoesAtTheEndOfTheLastFile)
{
    open(0);
    window->playModeMenu().action(2)->trigger();
    play("red.mp4");
    PreviewVideoFrame* video = screen()->selectedVideo();
    QSignalSpy startsAndStops(video, &PreviewVideoFrame::PlayOrStopSignal);
    ASSERT_TRUE(QTest::qWaitFor([&] { return startsAndStops.count() >= 2; }, kWaitMs));
    EXPECT_EQ(startsAndStops.at(0).at(0).toInt(), -1);
    EXPECT_EQ(startsAndStops.at(1).at(0).toInt(), 1);
    QTest::qWait(50);
    EXPECT_TRUE(onTop()) << "the next round started at once";

    window->playModeMenu().action(1)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen()->playingCount() == 0; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !onTop(); }, kWaitMs)) << "the end of the last file";
}

TEST_F(MainWindowSettingsTest, ANewPictureFolderAndPlayListKeepingCountAtOnce)
{
    open(1);
    QFile::remove(RecordFilesStore().filePath());
    play("long.mp4");
    QTemporaryDir pictures;
    Widget_Settings* settings = openSettings();
    settings->pathEdit()->setText(pictures.path());
    settings->saveFileBox()->setChecked(false);
    settings->okButton()->click();

    form().m_pBtnCapture->click();
    const auto pictureTaken = [&] {
        QDirIterator it(pictures.path(), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
        return it.hasNext();
    };
    EXPECT_TRUE(QTest::qWaitFor(pictureTaken, kWaitMs));
    window->SaveRecordFiles();
    EXPECT_FALSE(QFile::exists(RecordFilesStore().filePath()));

    settings = openSettings();
    settings->saveFileBox()->setChecked(true);
    settings->applyButton()->click();
    window->SaveRecordFiles();
    EXPECT_TRUE(QFile::exists(RecordFilesStore().filePath()));
}

TEST_F(MainWindowSettingsTest, TheFullScreenBarStartsWithTheSelectedWindowsState)
{
    open(1);
    play("long.mp4");
    PreviewVideoFrame* video = screen()->selectedVideo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return video->elapsedText() != QStringLiteral("00:00:00"); }, kWaitMs));
    auto* bar = qobject_cast<Widget_ControlBar*>(screen()->controlBar());
    ASSERT_NE(bar, nullptr);
    form().m_pBtnFast->click();
    form().m_pBtnFullScreen->click();
    ASSERT_TRUE(screen()->isFullScreen());
    EXPECT_EQ(bar->totalLabel()->text(), QStringLiteral("00:00:20"));
    EXPECT_EQ(bar->elapsedLabel()->text(), video->elapsedText());
    EXPECT_EQ(bar->positionSlider()->value(), video->progressValue());
    EXPECT_EQ(bar->statusLabel()->text(), QStringLiteral("x2"));
    EXPECT_TRUE(bar->stopButton()->isEnabled());
    screen()->fullScreenToggle();
}

}
