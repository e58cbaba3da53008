// The rule that keeps a window on its clock: skip unreferenced pictures when
// a little late, drop to the next keyframe when late for too long, and the
// window with sound the last to lose pictures; then the decoder obeying it.
#include "MediaFixture.h"

#include "CatchUp.h"
#include "Control.h"
#include "FrameRing.h"
#include "MediaSource.h"
#include "PacketQueue.h"
#include "Reader.h"
#include "VideoDecoder.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace kvtest {
namespace {

using namespace std::chrono_literals;
using kvplay::CatchUp;
using kvplay::CatchUpStep;
using kvplay::Lateness;

constexpr int64_t kClock = 10'000'000;

Lateness late(int64_t byUs, int64_t forUs, bool priority)
{
    return {kClock, kClock - byUs, kFrameUs, forUs, priority};
}

TEST(CatchUpTest, DecidesShowSkipOrDrop)
{
    // On time or early: show.
    EXPECT_EQ(CatchUp::decide(late(0, 0, true)), CatchUpStep::Show);
    EXPECT_EQ(CatchUp::decide(late(-kFrameUs, 0, false)), CatchUpStep::Show);
    // The window with sound skips beyond two frames, the others beyond one.
    EXPECT_EQ(CatchUp::decide(late(2 * kFrameUs, 0, true)), CatchUpStep::Show);
    EXPECT_EQ(CatchUp::decide(late(2 * kFrameUs + 1, 0, true)), CatchUpStep::SkipUnreferenced);
    EXPECT_EQ(CatchUp::decide(late(kFrameUs, 0, false)), CatchUpStep::Show);
    EXPECT_EQ(CatchUp::decide(late(kFrameUs + 1, 0, false)), CatchUpStep::SkipUnreferenced);
    // More than a frame late for more than half a second: drop the group.
    EXPECT_EQ(CatchUp::decide(late(kFrameUs + 1, 500'000, true)), CatchUpStep::Show);
    EXPECT_EQ(CatchUp::decide(late(kFrameUs + 1, 500'001, true)), CatchUpStep::DropToKeyframe);
    // Windows without sound give up their group at half that.
    EXPECT_EQ(CatchUp::decide(late(kFrameUs + 1, 250'000, false)), CatchUpStep::SkipUnreferenced);
    EXPECT_EQ(CatchUp::decide(late(kFrameUs + 1, 250'001, false)), CatchUpStep::DropToKeyframe);
    // Long lateness that has come back within a frame drops nothing.
    EXPECT_EQ(CatchUp::decide(late(kFrameUs, 10'000'000, false)), CatchUpStep::Show);
    // An unknown frame interval counts as 25 frames a second.
    EXPECT_EQ(CatchUp::decide({kClock, kClock - 80'001, 0, 0, true}), CatchUpStep::SkipUnreferenced);
}

TEST(CatchUpTest, CountsHowLongPicturesAreLateAndDropsOncePerSpell)
{
    CatchUp c(kFrameUs);
    int64_t wall = 0;
    // Every picture 100 ms late, one every 40 ms of wall time.
    std::vector<CatchUpStep> steps;
    for (int i = 0; i < 30; ++i, wall += kFrameUs)
        steps.push_back(c.observe(kClock, kClock - 100'000, wall, true));
    // 0.52 s after the first late picture (frame 13) the group is dropped,
    // then the count starts again and the next drop comes 0.52 s later.
    for (size_t i = 0; i < steps.size(); ++i) {
        const bool drop = i == 13 || i == 27;
        EXPECT_EQ(steps[i], drop ? CatchUpStep::DropToKeyframe : CatchUpStep::SkipUnreferenced) << i;
    }
    // A picture within its frame ends the spell.
    EXPECT_EQ(c.observe(kClock, kClock - kFrameUs, wall, true), CatchUpStep::Show);
    wall += 400'000;
    EXPECT_EQ(c.observe(kClock, kClock - 100'000, wall, true), CatchUpStep::SkipUnreferenced);
    EXPECT_EQ(c.observe(kClock, kClock - 100'000, wall + 500'000, true), CatchUpStep::SkipUnreferenced);
    EXPECT_EQ(c.observe(kClock, kClock - 100'000, wall + 500'001, true), CatchUpStep::DropToKeyframe);
}

TEST(CatchUpTest, ResetStartsTheCountAfresh)
{
    CatchUp c(kFrameUs);
    EXPECT_EQ(c.observe(kClock, kClock - 90'000, 0, false), CatchUpStep::SkipUnreferenced);
    c.reset();
    EXPECT_EQ(c.observe(kClock, kClock - 90'000, 300'000, false), CatchUpStep::SkipUnreferenced);
    EXPECT_EQ(c.observe(kClock, kClock - 90'000, 550'001, false), CatchUpStep::DropToKeyframe);
}

// 75 frames at 25 fps with a keyframe every 25: frames 0, 25 and 50.
const std::string& threeGroups()
{
    static const std::string path = [] {
        const std::string p = media().dir + "/threegroups.mp4";
        runFfmpeg("-f lavfi -i testsrc2=size=320x240:rate=25:duration=3 -c:v libx264 -preset veryfast -bf 0 "
                  "-g 25 -keyint_min 25 -sc_threshold 0 -pix_fmt yuv420p -f mp4 " + p);
        return p;
    }();
    return path;
}

class DecoderCatchUpTest : public EngineTest {};

// Decodes threeGroups(), asking for the next keyframe when the picture at
// askAt comes out; the times of the pictures given.
std::vector<int64_t> decodeAsking(int64_t askAt, uint64_t& droppedPackets)
{
    std::vector<int64_t> times;
    int err = 0;
    auto source = kvplay::MediaSource::openFile(threeGroups(), kvplay::OpenLimits{}, err);
    if (!source)
        return times;
    kvplay::Control control;
    kvplay::PacketQueue packets(256, 16 << 20);
    kvplay::FrameRing ring(4);
    const std::atomic<bool> smallTarget{false};
    kvplay::VideoDecoder decoder(*source, control, packets, ring, smallTarget);
    if (!decoder.open())
        return times;
    kvplay::Reader reader(*source, control, packets, nullptr, nullptr);
    std::thread readerThread([&reader] { reader.run(); });
    std::thread decoderThread([&decoder] { decoder.run(); });
    while (ring.waitChange(0, kvplay::FrameRing::Clock::now() + 30s) > 0) {
        const kvplay::DecodedFrame f = ring.pop();
        if (!f.frame)
            break;
        times.push_back(f.ptsUs);
        if (f.ptsUs == askAt)
            control.requestKeyframe(control.serial());
    }
    control.abort();
    packets.abort();
    ring.abort();
    readerThread.join();
    decoderThread.join();
    EXPECT_FALSE(control.droppingToKeyframe(control.serial()));
    droppedPackets = decoder.droppedPackets();
    return times;
}

TEST_F(DecoderCatchUpTest, DropToKeyframeLeavesOutTheRestOfTheGroup)
{
    uint64_t dropped = 0;
    // Far behind at frame 30: the decoder goes on at 50.
    const std::vector<int64_t> times = decodeAsking(30 * kFrameUs, dropped);
    ASSERT_GE(times.size(), 2u);
    EXPECT_GT(dropped, 0u);
    // Nothing between the pictures already decoded (the ring holds four, the
    // threaded codec a few more) and the keyframe; everything from it on.
    std::vector<int64_t> after;
    for (int64_t t : times) {
        if (t >= 40 * kFrameUs)
            after.push_back(t);
    }
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front(), 50 * kFrameUs);
    EXPECT_EQ(static_cast<int>(after.size()), 25);
    EXPECT_EQ(times.back(), 74 * kFrameUs);
}

TEST_F(DecoderCatchUpTest, TheLastPictureComesEvenWhenTheEndComesBeforeAKeyframe)
{
    uint64_t dropped = 0;
    // Far behind in the last group: no keyframe follows, the end does.
    const std::vector<int64_t> times = decodeAsking(55 * kFrameUs, dropped);
    EXPECT_GT(dropped, 0u);
    ASSERT_FALSE(times.empty());
    EXPECT_EQ(times.back(), 74 * kFrameUs) << "the file's last picture";
    // Only that one of the pictures left out.
    EXPECT_EQ(std::count_if(times.begin(), times.end(), [](int64_t t) { return t > 62 * kFrameUs; }), 1);
}

} // namespace
} // namespace kvtest
