// The main window driving real recordings through its controls, offscreen.

#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "PreviewVideoFrame.h"
#include "Slider.h"
#include "TestMedia.h"
#include "window_main.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    window_main window;
    const MainWindowForm& form = window.form();

    void SetUp() override { window.show(); }

    void startPlaying()
    {
        window.handleMessage(testRecording("long.mp4"));
        ASSERT_TRUE(window.videoScreen()->isSelectedPlaying());
    }
};

TEST_F(MainWindowTest, TheStoppedStateEnablesOnlyPlay)
{
    EXPECT_TRUE(form.m_pBtnPlay->isEnabled());
    for (QWidget* control : std::initializer_list<QWidget*>{form.m_pBtnStop, form.m_pBtnFast, form.m_pBtnSlow,
                                                            form.m_pBtnSingleFrameFoward, form.m_pBtnFullScreen,
                                                            form.m_pBtnCapture, form.m_pBtnRecord, form.m_pBtnSound,
                                                            form.m_pSlTime})
        EXPECT_FALSE(control->isEnabled()) << qPrintable(control->objectName());
    EXPECT_EQ(form.stackedWidget->currentIndex(), 0) << "the start page";
}

TEST_F(MainWindowTest, SpeedPressesShowTheirTextsAndTheSliderClearsIt)
{
    startPlaying();
    EXPECT_EQ(form.stackedWidget->currentIndex(), 1);
    EXPECT_TRUE(form.m_pBtnStop->isEnabled());
    EXPECT_EQ(form.label_2->text(), QStringLiteral("long.mp4"));

    QStringList texts;
    for (int i = 0; i < 5; ++i) {
        form.m_pBtnFast->click();
        texts.append(form.m_pLabStatus->text());
    }
    form.m_pBtnSlow->click();
    texts.append(form.m_pLabStatus->text());
    EXPECT_EQ(texts, (QStringList{QStringLiteral("x2"), QStringLiteral("x4"), QStringLiteral("x8"),
                                  QStringLiteral("x16"), QStringLiteral("x16"), QStringLiteral("x8")}));
    EXPECT_FALSE(form.m_pBtnSound->isEnabled()) << "no sound at speed";

    emit form.m_pSlTime->mySliderPressed();
    emit form.m_pSlTime->mySliderReleased();
    EXPECT_EQ(form.m_pLabStatus->text(), QString());
}

TEST_F(MainWindowTest, PauseDisablesStopAndRecordAndStopResetsTheLabels)
{
    startPlaying();
    form.m_pBtnPlay->click();
    EXPECT_TRUE(window.videoScreen()->selectedVideo()->isPaused());
    EXPECT_FALSE(form.m_pBtnStop->isEnabled());
    EXPECT_FALSE(form.m_pBtnRecord->isEnabled());
    EXPECT_TRUE(form.m_pBtnFast->isEnabled());

    form.m_pBtnPlay->click();
    EXPECT_TRUE(window.videoScreen()->isSelectedPlaying()) << "the paused file resumes";
    QSignalSpy stopped(window.videoScreen()->selectedVideo(), &PreviewVideoFrame::PlayOrStopSignal);
    form.m_pBtnStop->click();
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_EQ(form.label_2->text(), QString());
    EXPECT_EQ(form.m_pLabCurrentTime->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(form.m_pSlTime->value(), 0);
    EXPECT_FALSE(form.m_pBtnStop->isEnabled());
}

TEST_F(MainWindowTest, TimesFollowThePlayingWindow)
{
    startPlaying();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.m_pLabTotalTime->text() == QStringLiteral("00:00:20"); }, 5000));
    form.m_pBtnSound->click();
    EXPECT_TRUE(window.videoScreen()->selectedVideo()->isSoundWanted());
    EXPECT_TRUE(form.m_pSlSound->isEnabled());
    form.m_pBtnSound->click();
    EXPECT_FALSE(window.videoScreen()->selectedVideo()->isSoundWanted());
    EXPECT_FALSE(form.m_pSlSound->isEnabled());
}

}
