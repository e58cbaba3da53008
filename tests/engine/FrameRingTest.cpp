// The ring between the video decoder and the renderer on its own: the decoder
// writes only free slots, so the frame the renderer looks at or has taken is
// never overwritten, and the renderer's waits end on a frame, a wake or abort.
#include "BlockingCall.h"

#include "FrameRing.h"

#include <gtest/gtest.h>

namespace kvtest {
namespace {

using kvplay::DecodedFrame;
using kvplay::FrameRing;

DecodedFrame frameAt(int64_t ptsUs, int serial = 1)
{
    DecodedFrame decoded;
    decoded.frame = kvplay::makeFrame();
    decoded.ptsUs = ptsUs;
    decoded.durationUs = 40000;
    decoded.serial = serial;
    return decoded;
}

TEST(FrameRingTest, NeverOverwritesTheFrameTheRendererHolds)
{
    FrameRing ring(3);
    ASSERT_TRUE(ring.push(frameAt(0)));
    const DecodedFrame* front = ring.peek(0);
    ASSERT_NE(front, nullptr);
    const AVFrame* shown = front->frame.get();
    ASSERT_TRUE(ring.push(frameAt(40000)));
    ASSERT_TRUE(ring.push(frameAt(80000)));
    EXPECT_EQ(ring.peek(0), front) << "pushes go to free slots only";
    EXPECT_EQ(front->frame.get(), shown);
    EXPECT_EQ(front->ptsUs, 0);
    EXPECT_EQ(ring.peek(1)->ptsUs, 40000);
    EXPECT_EQ(ring.peek(3), nullptr);

    BlockingCall fourth([&] { return ring.push(frameAt(120000)); });
    EXPECT_TRUE(fourth.held()) << "a full ring holds the decoder rather than overwrite";
    EXPECT_EQ(front->frame.get(), shown);

    DecodedFrame taken = ring.pop();
    EXPECT_TRUE(fourth.result());
    EXPECT_EQ(taken.frame.get(), shown) << "the renderer keeps the shown frame itself";
    EXPECT_EQ(ring.peek(0)->ptsUs, 40000);
    EXPECT_EQ(ring.peek(2)->ptsUs, 120000);
    ring.pop();
    ASSERT_TRUE(ring.push(frameAt(160000))) << "the slot the shown frame left is reused";
    EXPECT_EQ(taken.frame.get(), shown);
    EXPECT_EQ(taken.ptsUs, 0);
    EXPECT_EQ(ring.size(), 3U);
}

TEST(FrameRingTest, TheRenderersWaitEndsOnAFrameAWakeOrTheDeadline)
{
    FrameRing ring(2);
    const auto never = FrameRing::Clock::time_point::max();
    BlockingCall firstFrame([&] { return ring.waitChange(0, never) == 1; });
    EXPECT_TRUE(firstFrame.held());
    ASSERT_TRUE(ring.push(frameAt(0)));
    EXPECT_TRUE(firstFrame.result());

    BlockingCall woken([&] { return ring.waitChange(1, never) == 1; });
    EXPECT_TRUE(woken.held()) << "one frame seen, none new";
    ring.wake();
    EXPECT_TRUE(woken.result());

    EXPECT_EQ(ring.waitChange(1, FrameRing::Clock::now()), 1U) << "a deadline passed returns at once";
    EXPECT_EQ(ring.pop().ptsUs, 0);
    EXPECT_EQ(ring.pop().frame, nullptr) << "an empty ring gives an empty frame";
}

TEST(FrameRingTest, ClearAndAbortReleaseTheDecoder)
{
    FrameRing ring(1);
    ASSERT_TRUE(ring.push(frameAt(0)));
    BlockingCall afterSeek([&] { return ring.push(frameAt(500000, 2)); });
    EXPECT_TRUE(afterSeek.held());
    ring.clear();
    EXPECT_TRUE(afterSeek.result());
    EXPECT_EQ(ring.peek(0)->serial, 2);

    BlockingCall held([&] { return ring.push(frameAt(540000, 2)); });
    EXPECT_TRUE(held.held());
    ring.abort();
    EXPECT_FALSE(held.result());
    EXPECT_FALSE(ring.push(frameAt(580000, 2)));
    EXPECT_EQ(ring.waitChange(5, FrameRing::Clock::time_point::max()), 1U) << "an aborted ring never waits";

    ring.reset();
    EXPECT_EQ(ring.size(), 0U);
    EXPECT_TRUE(ring.push(frameAt(0, 3)));
}

} // namespace
} // namespace kvtest
