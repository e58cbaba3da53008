// The keyframe index filled by its background pass: lookups by frame and by
// continuous time, and waits that end as the pass reaches a place, finishes,
// or runs out of time.
#include "BlockingCall.h"

#include "KeyframeIndex.h"

#include <gtest/gtest.h>

#include <chrono>

namespace kvtest {
namespace {

using kvplay::KeyframeIndex;
using namespace std::chrono_literals;

TEST(KeyframeIndexTest, LooksUpTheLastKeyframeAtOrBeforeAFrameOrATime)
{
    KeyframeIndex index;
    EXPECT_EQ(index.atOrBefore(10).pos, 0);
    index.add({0, 100, 0, {}});
    index.add({25, 5000, 1'000'000, {}});
    index.add({50, 9000, 2'000'000, {}});
    // Entries out of order are refused: a pass that went back adds nothing.
    index.add({40, 7000, 1'500'000, {}});
    EXPECT_EQ(index.size(), 3u);
    EXPECT_EQ(index.atOrBefore(24).pos, 100);
    EXPECT_EQ(index.atOrBefore(25).pos, 5000);
    EXPECT_EQ(index.atOrBefore(1000).pos, 9000);
    EXPECT_EQ(index.atOrBeforeTime(1'999'999).frame, 25);
    EXPECT_EQ(index.atOrBeforeTime(2'000'000).frame, 50);
    EXPECT_EQ(index.frames(), 51);
}

TEST(KeyframeIndexTest, WaitsEndAsThePassGetsThereOrFinishes)
{
    KeyframeIndex index;
    BlockingCall byFrame([&] { return index.waitBeyond(30, 10min); });
    EXPECT_TRUE(byFrame.held());
    index.add({20, 1, 800'000, {}});
    EXPECT_TRUE(byFrame.held());
    index.add({31, 2, 1'240'000, {}});
    EXPECT_TRUE(byFrame.result());

    BlockingCall byTime([&] { return index.waitBeyondTime(3'000'000, 10min); });
    EXPECT_TRUE(byTime.held());
    index.reach(2'000'000);
    EXPECT_TRUE(byTime.held());
    index.reach(3'000'001);
    EXPECT_TRUE(byTime.result());

    // A place the file never reaches: the end of the pass ends the wait.
    BlockingCall pastTheEnd([&] { return index.waitBeyondTime(90'000'000, 10min); });
    EXPECT_TRUE(pastTheEnd.held());
    index.finish(80);
    EXPECT_TRUE(pastTheEnd.result());
    EXPECT_TRUE(index.waitComplete(0ms));

    KeyframeIndex unfinished;
    EXPECT_FALSE(unfinished.waitBeyondTime(0, 1ms));
    EXPECT_FALSE(unfinished.waitComplete(1ms));
}

} // namespace
} // namespace kvtest
