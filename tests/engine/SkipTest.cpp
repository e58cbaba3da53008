// Leaving out unreferenced pictures while decoding runs behind the clock: the
// decision on its own, the decoder told to skip, and whole playback into a
// target too slow to keep up.
#include "MediaFixture.h"

#include "FrameRing.h"
#include "MediaSource.h"
#include "PacketQueue.h"
#include "Reader.h"
#include "SkipPolicy.h"
#include "VideoDecoder.h"

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

namespace kvtest {
namespace {

using namespace std::chrono_literals;
using kvplay::SkipPolicy;

// 50 frames in the pattern I B B P B B P ... with a keyframe at frame 25:
// the B pictures are never referred to, so 32 of the 50 may be skipped.
const std::string& bFrames()
{
    static const std::string path = [] {
        const std::string p = media().dir + "/bframes.mp4";
        runFfmpeg("-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v libx264 -preset veryfast -bf 2 "
                  "-g 25 -x264-params b-pyramid=none:b-adapt=0 -pix_fmt yuv420p -f mp4 " + p);
        return p;
    }();
    return path;
}

constexpr int kAllFrames = 50;
constexpr int kReferenceFrames = 18;

// Times of the reference pictures (0, 3, ... 24 and 25, 28, ... 49) after `after`.
std::vector<int64_t> referenceTimes(int64_t after)
{
    std::vector<int64_t> out;
    for (int i = 0; i < kAllFrames; ++i) {
        const bool reference = (i < 25 ? i : i - 25) % 3 == 0;
        if (reference && i * kFrameUs >= after)
            out.push_back(i * kFrameUs);
    }
    return out;
}

TEST(SkipPolicyTest, StartsOnlyBeyondTwoFramesLate)
{
    SkipPolicy p(kFrameUs);
    for (int64_t late : {-kFrameUs, int64_t{0}, kFrameUs, 2 * kFrameUs}) {
        p.observe(late);
        EXPECT_FALSE(p.skipping()) << late;
    }
    p.observe(2 * kFrameUs + 1);
    EXPECT_TRUE(p.skipping());
}

TEST(SkipPolicyTest, StopsAfterThreePicturesInARowAreWithinTheirFrame)
{
    SkipPolicy p(kFrameUs);
    p.observe(10 * kFrameUs);
    ASSERT_TRUE(p.skipping());
    // Back under the two frames, but a whole frame late: keep skipping.
    p.observe(2 * kFrameUs);
    p.observe(kFrameUs);
    EXPECT_TRUE(p.skipping());
    p.observe(kFrameUs - 1);
    p.observe(0);
    // One late picture breaks the run.
    p.observe(kFrameUs);
    p.observe(kFrameUs / 2);
    p.observe(-kFrameUs);
    EXPECT_TRUE(p.skipping());
    p.observe(0);
    EXPECT_FALSE(p.skipping());
    // A run counts afresh each time skipping starts again.
    p.observe(3 * kFrameUs);
    p.observe(0);
    p.observe(0);
    EXPECT_TRUE(p.skipping());
}

TEST(SkipPolicyTest, ResetStopsSkipping)
{
    SkipPolicy p(kFrameUs);
    p.observe(5 * kFrameUs);
    ASSERT_TRUE(p.skipping());
    p.reset();
    EXPECT_FALSE(p.skipping());
    p.observe(kFrameUs);
    EXPECT_FALSE(p.skipping());
}

TEST(SkipPolicyTest, KeyframesOnlyWins)
{
    EXPECT_EQ(kvplay::frameDiscard(false, false), AVDISCARD_DEFAULT);
    EXPECT_EQ(kvplay::frameDiscard(false, true), AVDISCARD_NONREF);
    EXPECT_EQ(kvplay::frameDiscard(true, false), AVDISCARD_NONKEY);
    EXPECT_EQ(kvplay::frameDiscard(true, true), AVDISCARD_NONKEY);
}

TEST(SkipPolicyTest, UnknownFrameDurationCountsAs25Fps)
{
    SkipPolicy p(0);
    p.observe(80'000);
    EXPECT_FALSE(p.skipping());
    p.observe(80'001);
    EXPECT_TRUE(p.skipping());
}

// Runs the reader and the video decoder of path alone and returns the times
// of the pictures the decoder gave, in order. prepare sets up the control
// before the threads start.
std::vector<int64_t> decodeAll(const std::string& path, const std::function<void(kvplay::Control&)>& prepare)
{
    int err = 0;
    auto source = kvplay::MediaSource::openFile(path, kvplay::OpenLimits{}, err);
    if (!source)
        return {};
    kvplay::Control control;
    kvplay::PacketQueue packets(256, 16 << 20);
    kvplay::FrameRing ring(4);
    const std::atomic<bool> smallTarget{false};
    kvplay::VideoDecoder decoder(*source, control, packets, ring, smallTarget);
    if (!decoder.open())
        return {};
    prepare(control);
    kvplay::Reader reader(*source, control, packets, nullptr, nullptr);
    std::thread readerThread([&reader] { reader.run(); });
    std::thread decoderThread([&decoder] { decoder.run(); });
    std::vector<int64_t> times;
    while (ring.waitChange(0, kvplay::FrameRing::Clock::now() + 30s) > 0) {
        const kvplay::DecodedFrame f = ring.pop();
        if (!f.frame)
            break;
        times.push_back(f.ptsUs);
    }
    control.abort();
    packets.abort();
    ring.abort();
    readerThread.join();
    decoderThread.join();
    return times;
}

class DecoderSkipTest : public EngineTest {};

TEST_F(DecoderSkipTest, WithoutTheRenderersWordEveryPictureIsDecoded)
{
    const auto times = decodeAll(bFrames(), [](kvplay::Control&) {});
    EXPECT_EQ(static_cast<int>(times.size()), kAllFrames);
}

TEST_F(DecoderSkipTest, WhileLateOnlyReferencesAreDecoded)
{
    const auto times = decodeAll(bFrames(), [](kvplay::Control& c) { c.setSkipping(c.serial()); });
    // No reference is ever left out, and the last picture is one, so
    // playback still ends on it. The decoder itself may keep a picture or two
    // right after the first keyframe, before it has references to skip by.
    for (int64_t ref : referenceTimes(0))
        EXPECT_NE(std::find(times.begin(), times.end(), ref), times.end()) << ref;
    EXPECT_LE(static_cast<int>(times.size()), kReferenceFrames + 2);
    for (size_t i = 1; i < times.size(); ++i)
        EXPECT_GT(times[i], times[i - 1]);
}

TEST_F(DecoderSkipTest, NothingIsSkippedWhilePausedSoStepsSeeEveryPicture)
{
    const auto times = decodeAll(bFrames(), [](kvplay::Control& c) {
        c.setSkipping(c.serial());
        c.setPaused(true);
    });
    EXPECT_EQ(static_cast<int>(times.size()), kAllFrames);
}

TEST_F(DecoderSkipTest, WordForAnOlderSerialIsIgnored)
{
    const auto times = decodeAll(bFrames(), [](kvplay::Control& c) {
        c.setSkipping(c.serial());
        c.requestSeek(0, false);
    });
    EXPECT_EQ(static_cast<int>(times.size()), kAllFrames);
}

TEST_F(DecoderSkipTest, ExactSeekTargetIsDecodedEvenWhileLate)
{
    // Frame 26 is a B picture that nothing refers to; so is 27, which leaves
    // the decoder before it knows that 26 is the one at the target.
    const int64_t target = 26 * kFrameUs;
    const auto times = decodeAll(bFrames(), [target](kvplay::Control& c) { c.setSkipping(c.requestSeek(target, true)); });
    std::vector<int64_t> want{target, target + kFrameUs};
    for (int64_t ref : referenceTimes(target + kFrameUs))
        want.push_back(ref);
    EXPECT_EQ(times, want);
}

TEST_F(DecoderSkipTest, KeyframesOnlyWinsOverSkipping)
{
    const auto times = decodeAll(bFrames(), [](kvplay::Control& c) {
        c.setSkipping(c.serial());
        c.setKeyframesOnly(true);
    });
    EXPECT_EQ(times, (std::vector<int64_t>{0, 25 * kFrameUs}));
}

// A render target that takes far longer than a frame at x4 for each picture.
struct SlowTarget {
    std::atomic<int> presents{0};
    static void present(void* user, const uint8_t*, int32_t, int32_t, int32_t)
    {
        std::this_thread::sleep_for(30ms);
        static_cast<SlowTarget*>(user)->presents.fetch_add(1);
    }
    static void size(void*, int32_t* w, int32_t* h)
    {
        *w = 64;
        *h = 48;
    }
};

class SlowPlayTest : public EngineTest {};

TEST_F(SlowPlayTest, FastPlayIntoASlowTargetStillEndsAtTheEnd)
{
    for (const std::string& path : {bFrames(), media().mp4, media().raw264}) {
        SCOPED_TRACE(path);
        SlowTarget slow;
        MessageSink sink;
        const KvRenderTarget target{&slow, &SlowTarget::present, &SlowTarget::size};
        const uint32_t h = openFile(path);
        ASSERT_EQ(KvPlaySetPlayWnd(h, &target), KV_OK);
        ASSERT_EQ(KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink), KV_OK);
        ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_FAST4, 0), KV_OK);
        ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
        ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
        uint64_t start = 0;
        uint64_t end = 0;
        ASSERT_EQ(KvPlayGetPlayFileTimeRange(h, &start, &end), KV_OK);
        EXPECT_GE(KvPlayGetCurPlayedTime(h), start + kDurationUs - 2 * kFrameUs);
        EXPECT_GT(slow.presents.load(), 0);
        EXPECT_EQ(sink.count(KV_MSG_END_OF_FILE), 1);
        EXPECT_EQ(KvPlayDestroyPlayInstance(h), KV_OK);
    }
}

} // namespace
} // namespace kvtest
