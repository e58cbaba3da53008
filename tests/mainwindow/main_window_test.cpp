// The main window driving real recordings through its controls, offscreen.

#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "PreviewVideoFrame.h"
#include "Slider.h"
#include "TestMedia.h"
#include "window_main.h"

#include <QApplication>
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

#include "MainWindowLook.h"
#include "Model_Customize.h"
#include "Widget_LayoutMenu.h"
#include "Widget_TitleBar.h"

#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>

namespace {

TEST_F(MainWindowTest, CtrlSCyclesTheStayOnTopModesAndStoresEach)
{
    Model_Customize& customize = Model_Customize::instance();
    customize.setWindowFlag(0);
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QList<int> modes;
    for (int i = 0; i < 3; ++i) {
        const int before = customize.windowFlag();
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return customize.windowFlag() != before; }, 2000));
        modes.append(customize.windowFlag());
        EXPECT_EQ(window.stickMode(), modes.last());
    }
    EXPECT_EQ(modes, (QList<int>{1, 2, 0}));
    EXPECT_TRUE(form.m_pBtnTopOrNot->styleSheet().contains(QStringLiteral("stick0.png")));
}

TEST_F(MainWindowTest, TheBottomRightCornerResizesAndOtherPlacesDoNot)
{
    window.resize(1000, 600);
    const auto drag = [&](QPoint from) {
        const QPoint global = window.mapToGlobal(from);
        QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &press);
        QMouseEvent move(QEvent::MouseMove, from + QPoint(30, 20), global + QPoint(30, 20), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, from + QPoint(30, 20), global + QPoint(30, 20),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &release);
    };
    drag(QPoint(995, 595));
    EXPECT_EQ(window.size(), QSize(1030, 620));
    drag(QPoint(500, 300));
    EXPECT_EQ(window.size(), QSize(1030, 620)) << "only the corner resizes";
}

TEST_F(MainWindowTest, MaximiseRestoresTheFormerGeometryAndBlocksMoves)
{
    window.setGeometry(50, 60, 1000, 600);
    const QRect before = window.geometry();
    emit form.m_pTitleBar->maxWindowRequest();
    EXPECT_TRUE(window.isMaximisedByUser());
    const QPoint maximisedAt = window.pos();
    emit form.m_pTitleBar->moveWindowRequest(QPoint(40, 40));
    EXPECT_EQ(window.pos(), maximisedAt) << "no moves while maximised";
    emit form.m_pTitleBar->maxWindowRequest();
    EXPECT_EQ(window.geometry(), before);

    emit form.m_pTitleBar->moveWindowRequest(QPoint(0, -500));
    EXPECT_EQ(window.pos().y(), 0) << "never above the screen";
}

TEST_F(MainWindowTest, TheLayoutMenuSwitchesTheGrid)
{
    QStackedWidget* stack = form.stackedWidget;
    auto* menu = window.findChild<Widget_LayoutMenu*>();
    if (!menu) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if ((menu = qobject_cast<Widget_LayoutMenu*>(top)))
                break;
        }
    }
    ASSERT_NE(menu, nullptr);
    emit menu->currentIndexChanged(3);
    EXPECT_EQ(window.videoScreen()->layoutSize(), 3);
    EXPECT_EQ(stack->currentIndex(), 1);
}

TEST_F(MainWindowTest, TheRecordButtonFollowsTheSelectedWindowAndTheTruth)
{
    QTemporaryDir clips;
    Model_Customize& customize = Model_Customize::instance();
    const QString saved = customize.videoPath();
    customize.setVideoPath(clips.path());
    KvVideoScreen* screen = window.videoScreen();
    screen->setLayout(4);
    screen->setSelectedVideo(screen->window(0));
    startPlaying();
    PreviewVideoFrame* recording = screen->selectedVideo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recording->playedTime() != 0; }, 20000));
    form.m_pBtnRecord->click();
    EXPECT_TRUE(recording->isRecording());
    EXPECT_TRUE(form.m_pBtnRecord->isChecked());

    screen->setSelectedVideo(screen->window(1));
    EXPECT_FALSE(form.m_pBtnRecord->isChecked()) << "the other window does not record";
    screen->setSelectedVideo(recording);
    EXPECT_TRUE(form.m_pBtnRecord->isChecked());

    form.m_pBtnRecord->click();
    EXPECT_FALSE(recording->isRecording());
    EXPECT_FALSE(form.m_pBtnRecord->isChecked()) << "unchecked at once, while the clip is written";

    // A start that cannot make its file leaves the button unchecked.
    customize.setVideoPath(QStringLiteral("/proc/no-such-folder"));
    form.m_pBtnRecord->click();
    EXPECT_FALSE(recording->isRecording());
    EXPECT_FALSE(form.m_pBtnRecord->isChecked());
    customize.setVideoPath(saved);
    screen->stopAll();
    QTest::qWait(200);
}

TEST(MainWindowLookTest, OnlyDorvexShowsPlayAllAndStopAll)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    for (const char* company : {"DORVEX", "zandrix", "HOLDRA"}) {
        Model_Customize customize(settings, dir.path(), QStringLiteral("KvPlayer"));
        customize.identifyBrand(QString::fromLatin1(company), {}, false);
        QFrame window;
        MainWindowForm form;
        form.setupUi(&window);
        MainWindowLook::ApplyStyles(form, window, customize);
        window.show();
        const bool dorvex = QByteArray(company) == "DORVEX";
        EXPECT_EQ(form.m_pBtnSync->isVisible(), dorvex) << company;
        EXPECT_EQ(form.m_pBtnBack->isVisible(), dorvex) << company;
        EXPECT_FALSE(form.m_pBtnZoom->isVisible());
    }
}

}

#include "Widget_ControlBar.h"

namespace {

TEST_F(MainWindowTest, InFullScreenTheBarFollowsAndDrivesTheControls)
{
    startPlaying();
    form.m_pBtnFullScreen->click();
    KvVideoScreen* screen = window.videoScreen();
    ASSERT_TRUE(screen->isFullScreen());
    auto* bar = qobject_cast<Widget_ControlBar*>(screen->controlBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->totalLabel()->text() == QStringLiteral("00:00:20"); }, 5000));

    bar->fastButton()->click();
    EXPECT_EQ(bar->statusLabel()->text(), QStringLiteral("x2"));
    EXPECT_EQ(form.m_pLabStatus->text(), QStringLiteral("x2")) << "one handler for both";
    bar->playButton()->click();
    EXPECT_TRUE(screen->selectedVideo()->isPaused());
    EXPECT_EQ(bar->statusLabel()->text(), QString()) << "pause clears the bar's text in full screen";
    EXPECT_FALSE(bar->stopButton()->isEnabled());

    bar->playButton()->click();
    bar->positionSlider()->setValue(9000);
    emit bar->positionSlider()->mySliderPressed();
    emit bar->positionSlider()->mySliderReleased();
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen->selectedVideo()->progressValue() >= 8900; }, 5000))
        << "the bar's slider seeks";

    QTest::keyClick(screen, Qt::Key_Escape);
    EXPECT_FALSE(screen->isFullScreen());
    EXPECT_TRUE(bar->isHidden());
}

}

#include "Widget_Popup.h"
#include "Widget_Welcome.h"

#include <QMimeData>
#include <QUrl>

namespace {

TEST_F(MainWindowTest, ARecordingDroppedOnTheStartPagePlays)
{
    const auto drop = [&](const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.page_1, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.page_1, &event);
    };
    drop(testRecording("long.mp4").replace(QStringLiteral(".mp4"), QStringLiteral(".txt")));
    EXPECT_EQ(form.stackedWidget->currentIndex(), 0) << "not a recording";
    drop(testRecording("long.mp4"));
    EXPECT_EQ(form.stackedWidget->currentIndex(), 1);
    EXPECT_TRUE(window.videoScreen()->isSelectedPlaying());
}

TEST_F(MainWindowTest, AVideoWindowsNoticeAppearsAsAPopup)
{
    emit window.videoScreen()->window(3)->noticeRequested(PreviewVideoFrame::MessageNotice, QStringLiteral("dir is Empty"));
    QStringList shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* popup = qobject_cast<Widget_Popup*>(widget))
            shown.append(popup->text());
    }
    EXPECT_TRUE(shown.contains(QStringLiteral("dir is Empty")));
}

TEST_F(MainWindowTest, ClosingTheWindowSaysSoEvenWithAnotherWindowOfOursStillUp)
{
    // Another top-level window of the program's own, which on its own would
    // keep the toolkit from ending the program when the main window closes.
    QWidget other;
    other.show();
    QSignalSpy closed(&window, &window_main::closed);
    window.close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

}
