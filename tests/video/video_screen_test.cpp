#include "VideoScreen.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// A frame of one colour, presented from a thread of its own as the playback
// library does.
void presentFromThread(RenderSurface& surface, QRgb colour, int width, int height)
{
    std::thread library([=, &surface] {
        std::vector<uint32_t> pixels(static_cast<size_t>(width * height), colour);
        surface.presentPicture(reinterpret_cast<const uint8_t*>(pixels.data()), width, height, width * 4);
    });
    library.join();
}

QRgb centre(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2) & 0xffffffU;
}

TEST(VideoScreenTest, ShowsTheNewestFramePresentedFromAnotherThread)
{
    VideoScreen screen;
    screen.resize(160, 90);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));

    EXPECT_GE(screen.pixelSize().width(), 160);
    EXPECT_GE(screen.pixelSize().height(), 90);
    EXPECT_EQ(centre(screen.grab().toImage()), 0x000000U) << "black before any frame";

    presentFromThread(screen, 0xff2080c0U, 160, 90);
    presentFromThread(screen, 0xffc08020U, 160, 90);
    EXPECT_TRUE(QTest::qWaitFor([&] { return centre(screen.grab().toImage()) == 0xc08020U; }));

    screen.clearFrame();
    EXPECT_EQ(centre(screen.grab().toImage()), 0x000000U) << "a stopped window is black";
}

TEST(VideoScreenTest, OnlyAChangeOfSizeAsksForAFreshFrameOnceAndOnlyWhileAttached)
{
    VideoScreen screen;
    int requests = 0;
    screen.setRepaintRequest([&] { ++requests; });
    screen.resize(48, 48);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QCoreApplication::processEvents();
    requests = 0;
    screen.resize(64, 64);
    screen.resize(80, 64);
    screen.resize(96, 64);
    EXPECT_EQ(requests, 0) << "asked later, from the event loop";
    QCoreApplication::processEvents();
    EXPECT_EQ(requests, 1) << "three sizes between two turns, one request";

    // Painting, however often, never calls back into the library.
    screen.grab();
    screen.grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(requests, 1);

    screen.setAttached(false);
    screen.resize(64, 48);
    QCoreApplication::processEvents();
    EXPECT_EQ(requests, 1);
}

TEST(VideoScreenTest, ThePlaceholderShowsUntilTheFirstFrame)
{
    VideoScreen screen;
    screen.resize(200, 100);
    const QImage black = screen.grab().toImage();
    screen.setPlaceholder(QStringLiteral("Loading clip.mp4"));
    const QImage loading = screen.grab().toImage();
    EXPECT_NE(loading, black) << "the text is drawn";
    presentFromThread(screen, 0xff000080U, 200, 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return centre(screen.grab().toImage()) == 0x000080U; }));
    const QImage shown = screen.grab().toImage();
    EXPECT_EQ(shown.pixel(100, 50) & 0xffffffU, 0x000080U) << "the picture covers the text";
}

TEST(VideoScreenTest, TheZoomSelectionIsDrawnOverThePicture)
{
    VideoScreen screen;
    screen.resize(100, 100);
    presentFromThread(screen, 0xff000080U, 100, 100);
    screen.setSelection(QRect(QPoint(10, 10), QPoint(60, 60)));
    const QImage image = screen.grab().toImage();
    EXPECT_NE(image.pixel(10, 30) & 0xffffffU, 0x000080U) << "the selection's edge";
    EXPECT_NE(image.pixel(35, 35) & 0xffffffU, 0x000080U) << "the selection is tinted";
    EXPECT_EQ(image.pixel(80, 80) & 0xffffffU, 0x000080U) << "outside the selection";

    screen.setSelection(QRect());
    EXPECT_EQ(screen.grab().toImage().pixel(35, 35) & 0xffffffU, 0x000080U);
}

}
