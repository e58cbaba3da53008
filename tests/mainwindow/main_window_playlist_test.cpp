// The main window's play list: every way of adding recordings, deleting and
// clearing them, the saved list, play modes, search and progress, offscreen
// with real recordings.

#include "FileInfoFrame.h"
#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "Model_Customize.h"
#include "PlayModeMenu.h"
#include "PreviewVideoFrame.h"
#include "QOpenDirEvent.h"
#include "RecordFileItems.h"
#include "RecordFilesStore.h"
#include "TestMedia.h"
#include "VideoScreenMenu.h"
#include "Widget_Record_Item_TitleBar.h"
#include "Widget_Welcome.h"
#include "window_main.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kPlayTimeoutMs = 15000;

QString copyOf(const char* recording, const QString& name)
{
    const QString path = QFileInfo(testRecording(recording)).dir().filePath(name);
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(testRecording(recording), path));
    return path;
}

class MainWindowPlayListTest : public ::testing::Test
{
protected:
    Model_Customize& customize = Model_Customize::instance();
    std::unique_ptr<window_main> window;

    void SetUp() override
    {
        QFile::remove(RecordFilesStore().filePath());
        customize.setSaveFileFlag(1);
        customize.setPlayMode(0);
        window = std::make_unique<window_main>();
        window->show();
    }
    void TearDown() override { window.reset(); }

    const MainWindowForm& form() const { return window->form(); }
    RecordFileItems* view() const { return form().scrollAreaWidgetContents; }
    KvVideoScreen* screen() const { return window->videoScreen(); }
};

TEST_F(MainWindowPlayListTest, HandOversListOnceSelectAndPlay)
{
    window->handleMessage(QString());
    EXPECT_TRUE(window->playList().isEmpty()) << "a second start without a file changes nothing";
    EXPECT_EQ(form().stackedWidget->currentIndex(), 0);

    const QString red = testRecording("red.mp4");
    const QString longFile = testRecording("long.mp4");
    window->handleMessage(red);
    window->handleMessage(longFile);
    window->handleMessage(red);
    EXPECT_EQ(window->playList(), (QStringList{red, longFile}));
    EXPECT_EQ(view()->count(), 2);
    EXPECT_EQ(view()->selectedIndex(), 0) << "the listed file is selected again";
    EXPECT_EQ(screen()->layoutSize(), 1);
    EXPECT_EQ(screen()->selectedVideo()->currentFile(), red);
}

TEST_F(MainWindowPlayListTest, DropsOnTheScreenAndStartPageGoThroughTheList)
{
    const QString longFile = testRecording("long.mp4");
    emit screen()->DropFileToVideoScreen(longFile);
    EXPECT_EQ(window->playList(), QStringList{longFile});
    EXPECT_EQ(view()->selectedIndex(), 0);
    EXPECT_EQ(form().stackedWidget->currentIndex(), 0) << "the window that took the drop plays it itself";

    screen()->setLayout(4);
    form().stackedWidget->setCurrentIndex(1);
    emit form().page_1->DropFileToWelcome(longFile);
    EXPECT_EQ(window->playList().size(), 1);
    EXPECT_EQ(screen()->layoutSize(), 1) << "a start page drop always shows one window";
    EXPECT_TRUE(screen()->isSelectedPlaying());
}

TEST_F(MainWindowPlayListTest, DeletingAndClearingStopTheirFiles)
{
    const QString longFile = testRecording("long.mp4");
    const QString red = testRecording("red.mp4");
    window->handleMessage(red);
    window->handleMessage(longFile);
    ASSERT_TRUE(screen()->isSelectedPlaying());

    view()->DeleteEntry(1);
    EXPECT_EQ(window->playList(), QStringList{red});
    EXPECT_FALSE(screen()->selectedVideo()->isPlaying()) << "the deleted file stopped";

    window->handleMessage(longFile);
    ASSERT_TRUE(screen()->isSelectedPlaying());
    form().m_pBtnClearList->click();
    EXPECT_TRUE(window->playList().isEmpty());
    EXPECT_EQ(view()->count(), 0);
    EXPECT_FALSE(screen()->selectedVideo()->isPlaying());
    EXPECT_EQ(form().stackedWidget->currentIndex(), 0) << "back to the start page";
    EXPECT_EQ(form().label_2->text(), QString());
}

TEST_F(MainWindowPlayListTest, TheListSurvivesARestartUnlessSavingIsOff)
{
    const QStringList files{testRecording("red.mp4"), testRecording("blue.mp4")};
    for (const QString& file : files)
        emit screen()->DropFileToVideoScreen(file);
    window.reset();

    window = std::make_unique<window_main>();
    window->LoadRecordFiles();
    EXPECT_EQ(window->playList(), files);
    EXPECT_EQ(view()->count(), 2);
    EXPECT_EQ(view()->entry(1)->fullPath(), files.at(1));

    customize.setSaveFileFlag(0);
    view()->DeleteAll();
    window.reset();
    customize.setSaveFileFlag(1);
    window = std::make_unique<window_main>();
    window->LoadRecordFiles();
    EXPECT_EQ(window->playList(), files) << "with saving off the old list stays as it was";
}

TEST_F(MainWindowPlayListTest, DoubleClickPlaysTheEntryAndSearchNarrowsTheList)
{
    const QString red = testRecording("red.mp4");
    const QString longFile = testRecording("long.mp4");
    emit screen()->DropFileToVideoScreen(red);
    emit screen()->DropFileToVideoScreen(longFile);

    view()->SelectEntry(1);
    view()->DoubleClickedItem(1);
    EXPECT_EQ(form().stackedWidget->currentIndex(), 1);
    EXPECT_TRUE(screen()->isSelectedPlaying());
    EXPECT_EQ(screen()->selectedVideo()->currentFile(), longFile);

    QTRY_VERIFY_WITH_TIMEOUT(view()->entry(1)->playTimes().size() == 1, kPlayTimeoutMs);
    EXPECT_TRUE(view()->entry(0)->playTimes().isEmpty());

    form().m_pEdtSearch->setText(QStringLiteral("LONG"));
    EXPECT_TRUE(view()->entry(0)->isHidden());
    EXPECT_FALSE(view()->entry(1)->isHidden());
    form().m_pEdtSearch->clear();
    EXPECT_FALSE(view()->entry(0)->isHidden());
}

TEST_F(MainWindowPlayListTest, PlayModesAreStoredHandedToTheWindowsAndChecked)
{
    PlayModeMenu& modes = window->playModeMenu();
    modes.action(3)->trigger();
    EXPECT_EQ(customize.playMode(), 3);
    EXPECT_EQ(screen()->window(15)->playMode(), 3);
    EXPECT_TRUE(modes.action(3)->isChecked());
    EXPECT_FALSE(modes.action(0)->isChecked());

    emit screen()->PlayModeChanged(1);
    EXPECT_TRUE(modes.action(1)->isChecked()) << "the screen's menu checks the window's";
    EXPECT_FALSE(modes.action(3)->isChecked());

    window.reset();
    customize.setPlayMode(7);
    window = std::make_unique<window_main>();
    EXPECT_EQ(customize.playMode(), 7) << "an unknown mode is written back unchanged";
    EXPECT_TRUE(window->playModeMenu().action(0)->isChecked());
    EXPECT_EQ(window->videoScreen()->window(0)->playMode(), 0);
}

TEST_F(MainWindowPlayListTest, ListCircleRunsThroughTheListAndStartsOver)
{
    const QStringList files{testRecording("red.mp4"), testRecording("blue.mp4"), copyOf("red.mp4", QStringLiteral("third.mp4"))};
    for (const QString& file : files)
        emit screen()->DropFileToVideoScreen(file);
    window->playModeMenu().action(3)->trigger();
    view()->SelectEntry(0);
    view()->DoubleClickedItem(0);

    PreviewVideoFrame* video = screen()->selectedVideo();
    QStringList played{video->currentFile()};
    QObject::connect(video, &PreviewVideoFrame::changeBtnStatus, video, [&] {
        if (video->isPlaying() && played.last() != video->currentFile())
            played.append(video->currentFile());
    });
    QTRY_VERIFY_WITH_TIMEOUT(played.size() >= 4, 4 * kPlayTimeoutMs);
    EXPECT_EQ(played.mid(0, 4), (QStringList{files.at(0), files.at(1), files.at(2), files.at(0)}));
}

class OpenRequestCatcher : public QObject
{
public:
    QList<int> kinds;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QOpenDirEvent::kType)
            return false;
        kinds.append(static_cast<QOpenDirEvent*>(event)->kind());
        return true;
    }
};

TEST_F(MainWindowPlayListTest, TheOpenMenuAsksForItsDialogsOnlyAfterItCloses)
{
    OpenRequestCatcher catcher;
    window->installEventFilter(&catcher);
    const QList<QAction*> actions = window->openMenu()->actions();
    ASSERT_EQ(actions.size(), 2);
    actions.at(0)->trigger();
    actions.at(1)->trigger();
    EXPECT_TRUE(catcher.kinds.isEmpty()) << "the dialogs wait for the event loop";
    QTRY_COMPARE(catcher.kinds, (QList<int>{QOpenDirEvent::kFile, QOpenDirEvent::kFolder}));
}

TEST_F(MainWindowPlayListTest, PlayAllFillsTheSixteenWindowGrid)
{
    const QStringList files{testRecording("long.mp4"), copyOf("long.mp4", QStringLiteral("second.mp4"))};
    for (const QString& file : files)
        emit screen()->DropFileToVideoScreen(file);
    form().m_pBtnSync->click();
    EXPECT_EQ(screen()->layoutSize(), 4);
    EXPECT_EQ(screen()->window(0)->currentFile(), files.at(0));
    EXPECT_EQ(screen()->window(1)->currentFile(), files.at(1));
    EXPECT_EQ(screen()->playingCount(), 2);
    form().m_pBtnBack->click();
    EXPECT_EQ(screen()->playingCount(), 0);
}

// Answers the next modal file dialog as a user would: picks path and accepts.
void answerDialogWith(const QString& path)
{
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const QFileInfo picked(path);
        dialog->setDirectory(picked.isDir() ? picked.absoluteFilePath() : picked.absolutePath());
        if (!picked.isDir())
            dialog->selectFile(picked.fileName());
        static_cast<QDialog*>(dialog)->accept();
    });
}

TEST_F(MainWindowPlayListTest, TheDialogsListWhatWasChosenWithItsLengthAndPlayNothing)
{
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("a.264"));
    const QString second = folder.filePath(QStringLiteral("b.mp4"));
    ASSERT_TRUE(QFile::copy(testRecording("long.mp4"), first));
    ASSERT_TRUE(QFile::copy(testRecording("red.mp4"), second));
    ASSERT_TRUE(QFile::copy(testRecording("red.mp4"), folder.filePath(QStringLiteral("c.MP4"))));

    answerDialogWith(folder.path());
    form().m_pBtnOpenDir->click();
    EXPECT_EQ(window->playList(), (QStringList{first, second}));
    EXPECT_FALSE(screen()->isSelectedPlaying()) << "opening only lists";
    QTRY_VERIFY_WITH_TIMEOUT(view()->entry(0)->lengthKnown() && view()->entry(1)->lengthKnown(), kPlayTimeoutMs);
    EXPECT_EQ(view()->entry(0)->totalLength(), QStringLiteral("00:00:20"));

    answerDialogWith(second);
    form().m_pBtnOpenFile->click();
    EXPECT_EQ(window->playList().size(), 2) << "a listed file is not added again";

    const QString third = folder.filePath(QStringLiteral("d.265"));
    ASSERT_TRUE(QFile::copy(testRecording("red.mp4"), third));
    answerDialogWith(third);
    form().m_pBtnOpenFile_2->click();
    EXPECT_EQ(window->playList().last(), third) << "the dialog takes what drops refuse";
}

TEST(MainWindowFileInfoTest, ThePanelSitsOnTheScreensCornerAndFollowsThePlayTime)
{
    Model_Customize& customize = Model_Customize::instance();
    customize.identifyBrand(Model_Customize::brandName(Model_Customize::TRIVOSK), QString(), false);
    window_main window;
    customize.identifyBrand(QString(), QString(), false);
    window.show();
    QAction* entry = window.videoScreen()->contextMenu()->fileInformation;
    ASSERT_NE(entry, nullptr) << "this brand offers file information";

    window.handleMessage(testRecording("long.mp4"));
    entry->setChecked(true);
    emit entry->triggered(true);
    FileInfoFrame* panel = window.fileInfoFrame();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->parentWidget(), window.videoScreen());
    EXPECT_EQ(panel->geometry().bottomLeft(), QPoint(0, window.videoScreen()->height() - 1));
    EXPECT_EQ(panel->channelText(), QStringLiteral("1"));

    const QString before = panel->timeText();
    QTRY_VERIFY_WITH_TIMEOUT(panel->timeText() != before, kPlayTimeoutMs);
    EXPECT_FALSE(panel->timeText().startsWith(QStringLiteral("1970"))) << "the frame's recording time";

    panel->closeButton()->click();
    EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(panel->isHidden());
    emit entry->triggered(true);
    EXPECT_EQ(window.fileInfoFrame(), panel) << "built once";
    EXPECT_TRUE(panel->isVisible());
}

}
