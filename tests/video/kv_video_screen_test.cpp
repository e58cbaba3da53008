// The screen grid with its sixteen windows, offscreen. The recordings are made
// by the video window suite's environment in the same test program.

#include "KvVideoScreen.h"
#include "Model_Customize.h"
#include "PreviewVideoFrame.h"
#include "VideoScreen.h"
#include "VideoScreenMenu.h"
#include "TestMedia.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>


namespace {

class KvVideoScreenTest : public ::testing::Test
{
protected:
    KvVideoScreen screen;

    void SetUp() override
    {
        screen.resize(640, 480);
        screen.show();
    }
    void TearDown() override { screen.stopByName(QStringLiteral("ALL")); }
};

TEST_F(KvVideoScreenTest, SelectionMovesTheYellowBorderAndAReselectionOnlyReports)
{
    QList<PreviewVideoFrame*> reported;
    QObject::connect(&screen, &KvVideoScreen::curVideoStatusChanged, &screen,
                     [&](PreviewVideoFrame* window) { reported.append(window); });
    EXPECT_EQ(screen.selectedVideo(), screen.window(0));
    screen.setSelectedVideo(screen.window(3));
    EXPECT_TRUE(screen.window(3)->styleSheet().contains(QStringLiteral("rgb(230, 192, 19)")));
    EXPECT_EQ(screen.window(0)->styleSheet(), QStringLiteral(".PreviewVideoFrame { border: 2px solid rgb(0, 0, 0); }"));

    const QString style = screen.window(3)->styleSheet();
    screen.setSelectedVideo(screen.window(3));
    EXPECT_EQ(screen.window(3)->styleSheet(), style);
    EXPECT_EQ(reported.count(), 2);
    EXPECT_EQ(reported.last(), screen.window(3));
}

TEST_F(KvVideoScreenTest, LayoutsShowSquaresAndSingleWindowViewToggles)
{
    screen.setLayout(3);
    int shown = 0;
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i)
        shown += screen.window(i)->isVisible() ? 1 : 0;
    EXPECT_EQ(shown, 9);

    screen.setSelectedVideo(screen.window(4));
    screen.singleWindowToggle();
    EXPECT_TRUE(screen.isSingleWindow());
    EXPECT_TRUE(screen.window(4)->isVisible());
    EXPECT_FALSE(screen.window(0)->isVisible());

    screen.setLayout(2);
    EXPECT_TRUE(screen.window(3)->isVisible()) << "a layout change shows the new grid";
    EXPECT_TRUE(screen.isSingleWindow()) << "the flag stays until the next toggle";
    screen.singleWindowToggle();
    EXPECT_FALSE(screen.isSingleWindow());
    EXPECT_TRUE(screen.window(3)->isVisible());

    screen.setLayout(5);
    EXPECT_EQ(screen.layoutSize(), 2) << "no such layout";
}

TEST_F(KvVideoScreenTest, OnlyTheSelectedWindowIsHeard)
{
    screen.setLayout(2);
    screen.window(0)->play(testRecording("long.mp4"), 0);
    screen.window(1)->play(testRecording("long.mp4"), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen.window(0)->isOpen() && screen.window(1)->isOpen(); }, 20000));
    screen.setSelectedVideo(screen.window(0));
    screen.soundOn(true);
    screen.setSelectedVideo(screen.window(1));
    screen.soundOn(true);
    EXPECT_TRUE(screen.window(1)->isSoundOpen());
    EXPECT_FALSE(screen.window(0)->isSoundOpen()) << "the other window fell silent";

    screen.setSelectedVideo(screen.window(0));
    EXPECT_TRUE(screen.window(0)->isSoundOpen());
    EXPECT_FALSE(screen.window(1)->isSoundOpen());
}

TEST_F(KvVideoScreenTest, ListsUseAtMostSixteenWindowsAndStopAllStopsPausedOnesToo)
{
    QStringList files;
    for (int i = 0; i < 18; ++i)
        files.append(testRecording("long.mp4"));
    QSignalSpy counts(&screen, &KvVideoScreen::NoVideoIsPlaying);
    screen.playFiles(files);
    EXPECT_EQ(screen.playingCount(), 16);
    EXPECT_EQ(counts.last().first().toInt(), 16);

    screen.window(5)->pause();
    screen.stopAll();
    EXPECT_EQ(screen.playingCount(), 0);
    EXPECT_FALSE(screen.window(5)->isOpen()) << "a paused window holds a file, and maybe a clip, too";

    screen.playFiles(files.mid(0, 2));
    EXPECT_EQ(screen.playingCount(), 2);
    screen.stopByName(testRecording("long.mp4"));
    EXPECT_EQ(screen.playingCount(), 0);
}

TEST_F(KvVideoScreenTest, EscapeEntersAndLeavesFullScreen)
{
    QWidget mainWindow;
    auto* stack = new QStackedWidget(&mainWindow);
    stack->addWidget(new QWidget);
    stack->addWidget(&screen);
    mainWindow.show();

    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_TRUE(screen.isFullScreen());
    EXPECT_TRUE(screen.isWindow());
    EXPECT_TRUE(screen.contextMenu()->fullScreen->isChecked());
    screen.controlBar()->hide();
    QTest::mouseMove(screen.window(0), QPoint(20, 20));
    EXPECT_TRUE(screen.controlBar()->isVisible()) << "a pointer move over a video window brings the bar back";

    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_FALSE(screen.isFullScreen());
    EXPECT_EQ(stack->currentWidget(), &screen);
    EXPECT_FALSE(screen.contextMenu()->fullScreen->isChecked());
    stack->removeWidget(&screen);
    screen.setParent(nullptr);
}

TEST_F(KvVideoScreenTest, TheMenuFollowsTheSelectedWindowAndTheSettings)
{
    Model_Customize::instance().setWindowFlag(2);
    Model_Customize::instance().setPlayMode(3);
    screen.setLayout(4);
    QContextMenuEvent idle(QContextMenuEvent::Mouse, QPoint(5, 5), screen.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&screen, &idle);
    VideoScreenMenu* menu = screen.contextMenu();
    EXPECT_FALSE(menu->stop->isEnabled());
    EXPECT_TRUE(menu->playOrPause->isEnabled());
    EXPECT_TRUE(menu->stickMenu()->actions().at(2)->isChecked());
    EXPECT_TRUE(menu->playModeMenu()->actions().at(3)->isChecked());
    EXPECT_TRUE(menu->layoutMenu()->actions().at(3)->isChecked());
    EXPECT_TRUE(menu->layoutMenu()->actions().at(3)->text().startsWith(QStringLiteral("16-")));
    menu->menu()->hide();

    screen.window(0)->play(testRecording("long.mp4"), 0);
    QContextMenuEvent playing(QContextMenuEvent::Mouse, QPoint(5, 5), screen.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&screen, &playing);
    EXPECT_TRUE(menu->stop->isEnabled());
    EXPECT_TRUE(menu->snapshot->isEnabled());
    menu->menu()->hide();

    QSignalSpy modes(&screen, &KvVideoScreen::PlayModeChanged);
    menu->playModeMenu()->actions().at(1)->trigger();
    EXPECT_EQ(modes.last().first().toInt(), 1);
    QSignalSpy flags(&screen, &KvVideoScreen::ChangeWindowFlags);
    menu->stickMenu()->actions().at(1)->trigger();
    EXPECT_EQ(flags.count(), 1);
    EXPECT_EQ(Model_Customize::instance().windowFlag(), 1);
}

}

namespace {

TEST(KvVideoScreenLifetimeTest, DestroyingTheScreenWhileWindowsPlayIsClean)
{
    auto* screen = new KvVideoScreen;
    screen->setLayout(2);
    screen->window(0)->play(testRecording("long.mp4"), 0);
    screen->window(1)->play(testRecording("long.mp4"), 0);
    screen->window(1)->pause();
    delete screen;
}

}


namespace {

TEST(KvVideoScreenGridTest, SixteenWindowsPlaySixteenRecordingsInTheirOwnColours)
{
    QTemporaryDir dir;
    QStringList files;
    QList<QColor> colours;
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
        const QColor colour = QColor::fromHsv(i * 22, 255, 230);
        colours.append(colour);
        files.append(dir.filePath(QStringLiteral("cam%1.mp4").arg(i)));
        ASSERT_TRUE(makeColourClip(files.last(), colour.name()));
    }
    KvVideoScreen screen;
    screen.resize(800, 600);
    screen.setLayout(4);
    screen.show();
    screen.playFiles(files);
    ASSERT_EQ(screen.playingCount(), 16);
    // The files open on workers: play all returns at once, every window
    // shows it is loading, and the event loop turns while they open.
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
        EXPECT_TRUE(screen.window(i)->isLoading()) << i;
        EXPECT_FALSE(screen.window(i)->isOpen()) << i;
    }
    const auto anyLoading = [&] {
        for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
            if (screen.window(i)->isLoading())
                return true;
        }
        return false;
    };
    int turnsWhileLoading = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { turnsWhileLoading += anyLoading() ? 1 : 0; });
    tick.start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !anyLoading(); }, 20000));
    tick.stop();
    EXPECT_GT(turnsWhileLoading, 0);
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i)
        EXPECT_TRUE(screen.window(i)->isOpen()) << i;

    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
        const auto shows = [&] {
            const QImage frame = screen.window(i)->surface()->grab().toImage();
            const QColor centre = frame.pixelColor(frame.width() / 2, frame.height() / 2);
            return std::abs(centre.red() - colours[i].red()) < 40 &&
                   std::abs(centre.green() - colours[i].green()) < 40 &&
                   std::abs(centre.blue() - colours[i].blue()) < 40;
        };
        EXPECT_TRUE(QTest::qWaitFor(shows, 10000)) << "window " << i << " should show " << qPrintable(colours[i].name());
    }
    screen.stopAll();
}

}

namespace {

TEST(KvVideoScreenBarTest, AControlBarTakesThePlaceholdersPlace)
{
    KvVideoScreen screen;
    screen.setLayout(2);
    QPointer<QWidget> placeholder = screen.controlBar();
    auto* bar = new QWidget;
    screen.setControlBar(bar);
    EXPECT_TRUE(placeholder.isNull());
    EXPECT_EQ(screen.controlBar(), bar);
    EXPECT_EQ(bar->parentWidget(), &screen);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(bar->height(), 80);
    EXPECT_EQ(screen.layoutSize(), 2);
    EXPECT_TRUE(screen.window(3)->isVisibleTo(&screen)) << "the grid stays as it was";
}

}
