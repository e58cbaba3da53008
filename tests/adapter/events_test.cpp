// Library reports turned into events: the message callback, the picture
// hooks, and delivery on the GUI thread to live targets only.
#include "EventPoster.h"
#include "EventRecorder.h"
#include "PlayerCallbacks.h"
#include "events/QConnectEvent.h"
#include "events/QRGBImageEvent.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

namespace {

PlayContext contextFor(QObject* target, uint32_t user)
{
    PlayContext context;
    context.instance = 1;
    context.eventTarget = target;
    context.user = user;
    EventPoster::watch(target);
    return context;
}

// Runs the picture hooks on a library-like thread for a picture of w x h.
void deliverPicture(QObject* target, int32_t width, int32_t height)
{
    std::thread([=] {
        const KvPlayImageBuffer buffer = PlayerCallbacks::allocatePicture(width, height, target);
        ASSERT_NE(buffer.pixels, nullptr);
        std::memset(buffer.pixels, 0x80, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
        PlayerCallbacks::pictureReady(buffer.event, 1700000000, 0, 4);
    }).join();
}

TEST(MessageCallback, PostsMessagesFromALibraryThreadToTheGuiThread)
{
    EventRecorder target;
    PlayContext context = contextFor(&target, 7);
    std::thread([&context] {
        PlayerCallbacks::onMessage(kPlayMessageEndOfFile, &context);
        PlayerCallbacks::onMessage(5, &context);
    }).join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return target.entries.size() == 2; }));
    EXPECT_EQ(target.entries[0].type, AdapterEventType::PlayerMessage);
    EXPECT_EQ(target.entries[0].code, kPlayMessageEndOfFile);
    EXPECT_EQ(target.entries[0].user, 7U);
    EXPECT_TRUE(target.entries[0].onGuiThread);
    EXPECT_EQ(target.entries[1].code, 5);
    EXPECT_TRUE(target.entries[1].onGuiThread);
}

TEST(MessageCallback, PostsNothingWithoutContextTargetOrUserValue)
{
    EventRecorder target;
    PlayContext noUser = contextFor(&target, 0);
    PlayContext noTarget = contextFor(nullptr, 7);
    PlayContext wantsData = contextFor(&target, 7);
    std::thread([&] {
        PlayerCallbacks::onMessage(kPlayMessageEndOfFile, nullptr);
        PlayerCallbacks::onMessage(kPlayMessageEndOfFile, &noUser);
        PlayerCallbacks::onMessage(kPlayMessageEndOfFile, &noTarget);
        PlayerCallbacks::onMessage(1, &wantsData);
    }).join();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(target.entries.isEmpty());
}

TEST(PictureHooks, StretchAHalfHeightWidePictureTo576Lines)
{
    EventRecorder target;
    EventPoster::watch(&target);
    deliverPicture(&target, 704, 288);
    ASSERT_TRUE(QTest::qWaitFor([&] { return target.count(AdapterEventType::RgbImage) == 1; }));
    const EventRecorder::Entry& entry = target.entries.front();
    EXPECT_EQ(entry.picture, QSize(704, 576));
    EXPECT_EQ(entry.value, 1700000000U);
    EXPECT_EQ(entry.extra, 4U);
    EXPECT_TRUE(entry.onGuiThread);
}

TEST(PictureHooks, LeaveOtherPicturesAlone)
{
    EventRecorder target;
    EventPoster::watch(&target);
    deliverPicture(&target, 720, 480);
    deliverPicture(&target, 640, 240);
    ASSERT_TRUE(QTest::qWaitFor([&] { return target.count(AdapterEventType::RgbImage) == 2; }));
    EXPECT_EQ(target.entries[0].picture, QSize(720, 480));
    EXPECT_EQ(target.entries[1].picture, QSize(640, 240));
}

TEST(PictureHooks, SkipPicturesWithoutTargetAndIgnoreANullEvent)
{
    const KvPlayImageBuffer buffer = PlayerCallbacks::allocatePicture(64, 48, nullptr);
    EXPECT_EQ(buffer.pixels, nullptr);
    EXPECT_EQ(buffer.event, nullptr);
    PlayerCallbacks::pictureReady(nullptr, 1, 0, 0);

    const ImageHooks hooks = PlayerCallbacks::imageHooks(0x140, 9, nullptr);
    EXPECT_EQ(hooks.allocate, &PlayerCallbacks::allocatePicture);
    EXPECT_EQ(hooks.ready, &PlayerCallbacks::pictureReady);
    EXPECT_EQ(hooks.flags, 0x140U);
    EXPECT_EQ(hooks.user, 9U);
}

TEST(EventPoster, DropsEventsForATargetThatIsGone)
{
    auto target = std::make_unique<EventRecorder>();
    QObject* const address = target.get();
    PlayContext context = contextFor(address, 3);
    // Posted but not yet delivered when the target goes: Qt drops it.
    std::thread([&context] { PlayerCallbacks::onMessage(kPlayMessageEndOfFile, &context); }).join();
    target.reset();
    EXPECT_FALSE(EventPoster::isWatched(address));
    std::thread([&context] { PlayerCallbacks::onMessage(kPlayMessageEndOfFile, &context); }).join();
    deliverPicture(address, 32, 16);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(EventPoster::post(address, new QConnectEvent(AdapterEventType::PlayerMessage, 11, 3)));
}

TEST(EventPoster, SurvivesATargetDestroyedWhileALibraryThreadPosts)
{
    for (int round = 0; round < 20; ++round) {
        auto target = std::make_unique<EventRecorder>();
        PlayContext context = contextFor(target.get(), 1);
        std::atomic<bool> stop{false};
        std::thread poster([&] {
            while (!stop.load())
                PlayerCallbacks::onMessage(kPlayMessageEndOfFile, &context);
        });
        QTest::qWait(1);
        target.reset();
        stop = true;
        poster.join();
        QCoreApplication::sendPostedEvents();
    }
}

}
