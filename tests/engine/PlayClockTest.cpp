// The media clock on its own: pause holds the position, a speed change never
// moves it, and a follower reads its master until it lets go, carrying on
// from where the master was. Where wall time passes the checks are bounds
// that hold however slowly the machine runs.
#include "PlayClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <utility>

namespace kvtest {
namespace {

using namespace std::chrono_literals;
using kvplay::PlayClock;

int64_t usBetween(PlayClock::Clock::time_point a, PlayClock::Clock::time_point b)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(b - a).count();
}

TEST(PlayClockTest, PauseHoldsThePosition)
{
    PlayClock clock;
    EXPECT_TRUE(clock.paused()) << "a new clock stands still";
    EXPECT_EQ(clock.now(), 0);
    clock.set(5000000);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(clock.now(), 5000000);
    EXPECT_EQ(clock.wallFor(6000000), PlayClock::Clock::time_point::max()) << "a paused clock never reaches a time";

    const auto before = PlayClock::Clock::now();
    clock.setPaused(false);
    std::this_thread::sleep_for(20ms);
    clock.setPaused(true);
    const auto after = PlayClock::Clock::now();
    const int64_t held = clock.now();
    EXPECT_GE(held, 5000000 + 20000);
    EXPECT_LE(held, 5000000 + usBetween(before, after));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(clock.now(), held);
}

TEST(PlayClockTest, ASpeedChangeKeepsThePosition)
{
    PlayClock clock;
    clock.set(1000000);
    clock.setSpeed(16, 1);
    EXPECT_EQ(clock.now(), 1000000) << "paused, the position stays exactly";
    clock.setPaused(false);
    // 16 times as fast: a second of media in 62.5 ms of wall time.
    EXPECT_EQ(usBetween(clock.wallFor(2000000), clock.wallFor(3000000)), 62500);

    for (const auto& [num, den] : {std::pair{1, 16}, std::pair{16, 1}, std::pair{1, 1}}) {
        // Long enough at the old speed that a change without a new anchor
        // would move the position by far more than the bound below.
        std::this_thread::sleep_for(30ms);
        const auto wallBefore = PlayClock::Clock::now();
        const int64_t before = clock.now();
        clock.setSpeed(num, den);
        const int64_t after = clock.now();
        const auto wallAfter = PlayClock::Clock::now();
        EXPECT_GE(after, before) << num << "/" << den;
        EXPECT_LE(after - before, 16 * (usBetween(wallBefore, wallAfter) + 2) + 2) << num << "/" << den;
    }
    clock.setPaused(true);
    clock.setSpeed(0, 0);
    clock.setPaused(false);
    EXPECT_EQ(usBetween(clock.wallFor(2000000), clock.wallFor(3000000)), 1000000) << "a zero speed counts as 1/1";
}

TEST(PlayClockTest, AFollowerReadsItsMasterAndCarriesOnWhenItLetsGo)
{
    auto master = std::make_shared<PlayClock>();
    master->set(7000000);
    PlayClock follower;
    follower.set(1000000);
    follower.setPaused(false);

    follower.follow(master);
    EXPECT_TRUE(follower.following());
    EXPECT_EQ(follower.now(), 7000000);
    EXPECT_TRUE(follower.paused()) << "paused as its master is";
    follower.set(0);
    follower.setPaused(false);
    follower.setSpeed(4, 1);
    EXPECT_EQ(follower.now(), 7000000) << "its own settings wait until it lets go";
    EXPECT_TRUE(follower.paused());

    master->set(9000000);
    master->setSpeed(2, 1);
    EXPECT_EQ(follower.now(), 9000000);

    follower.follow(nullptr);
    EXPECT_FALSE(follower.following());
    EXPECT_EQ(follower.now(), 9000000) << "no jump when it lets go";
    EXPECT_TRUE(follower.paused());
    master->set(0);
    EXPECT_EQ(follower.now(), 9000000);
    follower.setPaused(false);
    EXPECT_FALSE(follower.paused()) << "its own settings count again";
    EXPECT_EQ(usBetween(follower.wallFor(10000000), follower.wallFor(11000000)), 500000)
        << "at the master's speed";
}

TEST(PlayClockTest, AFollowerByRecordingTimeReadsTheMasterShiftedByTheOrigins)
{
    // A recording-time clock: its media time is the recording time itself.
    auto master = std::make_shared<PlayClock>();
    master->set(1'000'000'000);
    PlayClock follower;
    follower.setOrigin(999'000'000); // its file starts a second earlier
    follower.follow(master, true);
    EXPECT_EQ(follower.now(), 1'000'000);
    EXPECT_EQ(follower.wallFor(1'000'000), PlayClock::Clock::time_point::max()) << "paused as its master is";
    master->setPaused(false);
    EXPECT_EQ(usBetween(follower.wallFor(2'000'000), master->wallFor(1'001'000'000)), 0);
    // A file opened later is placed by its own start.
    follower.setOrigin(1'000'500'000);
    master->setPaused(true);
    master->set(1'000'000'000);
    EXPECT_EQ(follower.now(), -500'000) << "before its file's start";
    follower.follow(nullptr);
    EXPECT_EQ(follower.now(), -500'000) << "no jump when it lets go";
    EXPECT_EQ(follower.origin(), 1'000'500'000);
}

} // namespace
} // namespace kvtest
