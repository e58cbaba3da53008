// The commands shared by an instance's threads on their own: a seek starts a
// new serial and is taken once, steps are counted, and the reader's wait and
// the threads' sleeps end on a seek, a pause, a wake or abort.
#include "BlockingCall.h"

#include "Control.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace kvtest {
namespace {

using kvplay::Control;
using kvplay::SeekRequest;

TEST(ControlTest, ASeekStartsANewSerialAndIsTakenOnce)
{
    Control control;
    EXPECT_EQ(control.serial(), 0);
    SeekRequest seek;
    EXPECT_FALSE(control.takeSeek(seek)) << "no seek yet";

    EXPECT_EQ(control.requestSeek(5000000, true), 1);
    EXPECT_EQ(control.serial(), 1);
    ASSERT_TRUE(control.takeSeek(seek));
    EXPECT_EQ(seek.targetUs, 5000000);
    EXPECT_TRUE(seek.exact);
    EXPECT_EQ(seek.serial, 1);
    EXPECT_FALSE(control.takeSeek(seek)) << "taken once";
    EXPECT_EQ(control.exactTarget(1), 5000000);
    EXPECT_EQ(control.exactTarget(0), -1) << "an older serial needs no discarding";

    control.requestSeek(1000000, true);
    EXPECT_EQ(control.requestSeek(2000000, false), 3);
    ASSERT_TRUE(control.takeSeek(seek));
    EXPECT_EQ(seek.serial, 3) << "only the latest of two seeks is taken";
    EXPECT_FALSE(seek.exact);
    EXPECT_EQ(control.exactTarget(3), -1) << "a fast seek shows its keyframe";
    EXPECT_EQ(control.exactTarget(2), -1);
}

TEST(ControlTest, StepsAreCountedAndTheFlagsKeepTheirSerial)
{
    Control control;
    control.requestStep();
    control.requestStep();
    EXPECT_TRUE(control.takeStep());
    EXPECT_TRUE(control.takeStep());
    EXPECT_FALSE(control.takeStep());
    control.requestStep();
    control.cancelSteps();
    EXPECT_FALSE(control.takeStep());

    control.setPaused(true);
    EXPECT_TRUE(control.paused());
    control.setKeyframesOnly(true);
    EXPECT_TRUE(control.keyframesOnly());
    control.setSkipping(3);
    EXPECT_TRUE(control.skipping(3));
    EXPECT_FALSE(control.skipping(4)) << "skipping ends with its serial";

    int64_t lastUs = 0;
    control.setEnded(2, 1960000);
    EXPECT_TRUE(control.ended(2, lastUs));
    EXPECT_EQ(lastUs, 1960000);
    EXPECT_FALSE(control.ended(3, lastUs));
}

TEST(ControlTest, StepsRequestedWhileTheRendererTakesThemAreEachTakenOnce)
{
    constexpr int kSteps = 20000;
    Control control;
    std::atomic<int> taken{0};
    std::thread renderer([&] {
        while (taken.load() < kSteps) {
            if (control.takeStep())
                taken.fetch_add(1);
            else
                std::this_thread::yield();
        }
    });
    for (int i = 0; i < kSteps; ++i)
        control.requestStep();
    renderer.join();
    EXPECT_EQ(taken.load(), kSteps);
    EXPECT_FALSE(control.takeStep());
}

TEST(ControlTest, TheReadersWaitEndsOnASeekOrOnAbort)
{
    Control control;
    BlockingCall reader([&] {
        control.waitForSeek();
        SeekRequest seek;
        return control.takeSeek(seek) && seek.targetUs == 700000;
    });
    EXPECT_TRUE(reader.held());
    control.requestSeek(700000, true);
    EXPECT_TRUE(reader.result());

    BlockingCall idle([&] {
        control.waitForSeek();
        return control.aborted();
    });
    EXPECT_TRUE(idle.held());
    control.abort();
    EXPECT_TRUE(idle.result());
    EXPECT_TRUE(control.abortFlag().load());
    control.waitForSeek();
}

TEST(ControlTest, ASleepEndsEarlyOnASeekAPauseAWakeOrTheAbort)
{
    // Far enough off that a sleep still held at the end fails the test by
    // its result, not by a time limit.
    const auto never = [] { return std::chrono::steady_clock::now() + std::chrono::minutes(10); };
    Control control;
    const int serial = control.serial();
    BlockingCall seekWait([&] { return control.sleepUntil(never(), [&] { return control.serial() != serial; }); });
    EXPECT_TRUE(seekWait.held());
    control.requestSeek(0, false);
    EXPECT_TRUE(seekWait.result());

    BlockingCall pauseWait([&] { return control.sleepUntil(never(), [&] { return control.paused(); }); });
    EXPECT_TRUE(pauseWait.held());
    control.setPaused(true);
    EXPECT_TRUE(pauseWait.result());

    std::atomic<bool> stop{false};
    BlockingCall ownWait([&] { return control.sleepUntil(never(), [&] { return stop.load(); }); });
    EXPECT_TRUE(ownWait.held());
    stop.store(true);
    control.wake();
    EXPECT_TRUE(ownWait.result());

    BlockingCall abortWait([&] { return control.sleepUntil(never(), [] { return false; }); });
    EXPECT_TRUE(abortWait.held());
    control.abort();
    EXPECT_TRUE(abortWait.result());

    // A deadline that passes ends it too, reported as not early.
    Control quiet;
    EXPECT_FALSE(quiet.sleepUntil(std::chrono::steady_clock::now(), [] { return false; }));
}

} // namespace
} // namespace kvtest
