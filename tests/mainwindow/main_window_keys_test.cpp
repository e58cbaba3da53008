// The keyboard of the main window with a real recording, offscreen: keys
// reach their commands on the selected window, the frame-back button is
// there, and nothing fires while the search box has the focus.

#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "PreviewVideoFrame.h"
#include "TestMedia.h"
#include "Widget_ShortcutHelp.h"
#include "window_main.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kFrameUs = 40'000;

class MainWindowKeysTest : public ::testing::Test
{
protected:
    window_main window;
    const MainWindowForm& form = window.form();

    void SetUp() override
    {
        window.show();
        window.handleMessage(testRecording("long.mp4"));
        ASSERT_TRUE(window.videoScreen()->isSelectedPlaying());
        // The file opens on a worker: steps need its first picture.
        ASSERT_TRUE(QTest::qWaitFor([&] { return selected()->hasPicture(); }, 20000));
        QTest::qWait(300);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&window, k, modifiers); }
    PreviewVideoFrame* selected() const { return window.videoScreen()->selectedVideo(); }
};

TEST_F(MainWindowKeysTest, SpaceCommaAndPeriodPauseAndStepTheSelectedWindowBothWays)
{
    QSignalSpy times(selected(), &PreviewVideoFrame::playTimeChanged);
    key(Qt::Key_Space);
    EXPECT_TRUE(selected()->isPaused());
    key(Qt::Key_Right);
    QTRY_VERIFY_WITH_TIMEOUT(!times.isEmpty(), 10000);
    const uint64_t at = times.last().at(3).toULongLong();
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Comma);
    EXPECT_EQ(times.last().at(3).toULongLong(), at - 5 * kFrameUs);
    EXPECT_EQ(form.m_pLabCurrentTime->text(), selected()->elapsedText()) << "the time text follows";
    key(Qt::Key_Period);
    QTRY_COMPARE_WITH_TIMEOUT(times.last().at(3).toULongLong(), at - 4 * kFrameUs, 10000);
    EXPECT_EQ(selected()->playState(), int{PlayStateStep});
}

TEST_F(MainWindowKeysTest, TheFrameBackButtonIsShownAndStepsBack)
{
    EXPECT_FALSE(form.m_pBtnSingleFrameBack->isHidden());
    EXPECT_TRUE(form.m_pBtnSingleFrameBack->isEnabled());
    QSignalSpy times(selected(), &PreviewVideoFrame::playTimeChanged);
    form.m_pBtnSingleFrameBack->click();
    ASSERT_FALSE(times.isEmpty());
    const uint64_t at = times.last().at(3).toULongLong();
    form.m_pBtnSingleFrameBack->click();
    EXPECT_EQ(times.last().at(3).toULongLong(), at - kFrameUs);
}

TEST_F(MainWindowKeysTest, LayoutSpeedHelpAndSearchKeysReachTheirCommands)
{
    key(Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(window.videoScreen()->layoutSize(), 3);
    key(Qt::Key_Tab);
    EXPECT_EQ(selected(), window.videoScreen()->window(1));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(selected(), window.videoScreen()->window(0));
    key(Qt::Key_BracketRight);
    EXPECT_EQ(form.m_pLabStatus->text(), QStringLiteral("x2"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(selected()->playState(), int{PlayStatePlay});
    EXPECT_EQ(form.m_pLabStatus->text(), QString());
    key(Qt::Key_F1);
    EXPECT_TRUE(window.shortcutHelp()->isVisible());
    key(Qt::Key_F1);
    EXPECT_FALSE(window.shortcutHelp()->isVisible());

    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(form.m_pSearchWidget->isVisible());
    // The search box has the focus now: keys are its own.
    for (const Qt::Key k : {Qt::Key_F1, Qt::Key_Space, Qt::Key_S, Qt::Key_Comma})
        QTest::keyClick(form.m_pEdtSearch, k);
    QTest::keyClick(form.m_pEdtSearch, Qt::Key_2, Qt::AltModifier);
    EXPECT_FALSE(window.shortcutHelp()->isVisible());
    EXPECT_EQ(window.videoScreen()->layoutSize(), 3);
    EXPECT_TRUE(selected()->isPlaying()) << "Space did not pause";
    EXPECT_EQ(form.m_pEdtSearch->text(), QStringLiteral(" s,2"));
}

}
