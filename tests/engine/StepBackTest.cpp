// Exact steps back through the C API: after N steps back from frame F the
// picture on screen is frame F-N, in a raw stream and in containers with
// B-frames, across a keyframe, and at the first frame; forward steps and
// snapshots after stepping back; followers of a sync master go along.
#include "MediaFixture.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

constexpr int kBits = 8;
constexpr int kWidth = 320;
constexpr int kHeight = 240;

// 2 s at 25 fps, keyframes every 25 frames; each picture shows its own
// frame number as eight grey or white stripes, bit 0 on the left.
struct Numbered {
    std::string raw;
    std::string mp4;
    std::string ts;
};

const Numbered& numbered()
{
    static const Numbered files = [] {
        Numbered n;
        n.raw = media().dir + "/numbered.264";
        n.mp4 = media().dir + "/numbered-b.mp4";
        n.ts = media().dir + "/numbered-b.ts";
        const std::string src = "-f lavfi -i color=c=black:s=320x240:r=25:d=2 -vf "
                                "\"geq=lum='if(mod(floor(N/pow(2,floor(X/40))),2),235,16)':cb=128:cr=128\" ";
        const std::string h264 = " -c:v libx264 -preset veryfast -crf 12 -g 25 -keyint_min 25 -pix_fmt yuv420p ";
        const bool ok = runFfmpeg(src + h264 + "-bf 0 -f h264 " + n.raw) &&
                        runFfmpeg(src + h264 + "-bf 2 -f mp4 " + n.mp4) &&
                        runFfmpeg(src + h264 + "-bf 2 -f mpegts " + n.ts);
        if (!ok)
            std::fprintf(stderr, "numbered media failed in %s\n", media().dir.c_str());
        return n;
    }();
    return files;
}

// The frame number a picture of `width` x `height` BGRA pixels shows.
template <typename Pixel>
int readNumber(int width, int height, Pixel&& lumaAt)
{
    int n = 0;
    for (int bit = 0; bit < kBits; ++bit) {
        const int x = (2 * bit + 1) * width / (2 * kBits);
        if (lumaAt(x, height / 2) > 128)
            n |= 1 << bit;
    }
    return n;
}

int shownNumber(const TestTarget& target)
{
    return readNumber(target.lastWidth(), target.lastHeight(),
                      [&target](int x, int y) { return static_cast<int>((target.lastPixel(x, y) >> 8) & 0xff); });
}

class StepBackTest : public EngineTest {
protected:
    // Opens path paused on frame `frame`.
    uint32_t pausedAt(const std::string& path, TestTarget& target, int frame)
    {
        const uint32_t h = openFile(path);
        KvPlaySetPlayWnd(h, target.target());
        KvPlaySetPlayMode(h, KV_MODE_PAUSE, 0);
        EXPECT_EQ(KvPlayStartPlay(h), KV_OK);
        EXPECT_TRUE(waitUntil([h] { return KvPlayGetCurPlayedTime(h) != 0; }, 10s));
        uint64_t e = 0;
        KvPlayGetPlayFileTimeRange(h, &start_, &e);
        const uint64_t t = timeOf(frame);
        KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32));
        EXPECT_TRUE(shows(h, target, frame));
        return h;
    }
    uint64_t timeOf(int frame) const { return start_ + static_cast<uint64_t>(frame) * kFrameUs; }
    // Both the time and the picture of frame, within a while.
    bool shows(uint32_t h, const TestTarget& target, int frame) const
    {
        const uint64_t t = timeOf(frame);
        const bool ok = waitUntil([&] { return KvPlayGetCurPlayedTime(h) == t && shownNumber(target) == frame; }, 10s);
        if (!ok)
            ADD_FAILURE() << "wanted frame " << frame << ", time says "
                          << (static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_) / kFrameUs)
                          << ", picture says " << shownNumber(target);
        return ok;
    }
    uint64_t start_ = 0;
};

TEST_F(StepBackTest, NStepsBackFromFrameFShowFrameFMinusNAcrossAKeyframe)
{
    for (const std::string& path : {numbered().raw, numbered().mp4, numbered().ts}) {
        SCOPED_TRACE(path);
        TestTarget target(160, 120);
        const uint32_t h = pausedAt(path, target, 30);
        // 30 back to 18 crosses the keyframe at 25.
        for (int frame = 29; frame >= 18; --frame) {
            ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP_BACK, 0), KV_OK);
            // The step returns once its frame is known.
            EXPECT_EQ(KvPlayGetCurPlayedTime(h), timeOf(frame));
            ASSERT_TRUE(shows(h, target, frame));
        }
        EXPECT_EQ(KvPlayGetPlayMode(h), KV_MODE_PAUSE);
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(StepBackTest, ForwardStepsAfterStepsBackGoOnPastTheKeptPictures)
{
    for (const std::string& path : {numbered().raw, numbered().mp4}) {
        SCOPED_TRACE(path);
        TestTarget target(160, 120);
        const uint32_t h = pausedAt(path, target, 12);
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP_BACK, 0), KV_OK);
        ASSERT_TRUE(shows(h, target, 8));
        // 9..12 are kept; from 13 on the decoder carries on from the picture on screen.
        for (int frame = 9; frame <= 16; ++frame) {
            ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP, 0), KV_OK);
            ASSERT_TRUE(shows(h, target, frame));
        }
        // And back again over the same ground.
        ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP_BACK, 0), KV_OK);
        EXPECT_TRUE(shows(h, target, 15));
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(StepBackTest, AtTheFirstFrameAStepBackStaysWithoutError)
{
    TestTarget target(160, 120);
    const uint32_t h = pausedAt(numbered().mp4, target, 2);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP_BACK, 0), KV_OK);
    EXPECT_TRUE(shows(h, target, 0));
    EXPECT_EQ(KvPlayGetCurPlayedTime(h), start_);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(StepBackTest, PlayingOnStartsFromTheSteppedBackFrame)
{
    TestTarget target(160, 120);
    const uint32_t h = pausedAt(numbered().mp4, target, 40);
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP_BACK, 0), KV_OK);
    ASSERT_TRUE(shows(h, target, 10));
    // Slowly, so that the picture after 10 is seen whatever the load: had
    // the decoder gone on from 40, 11 would never come.
    ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_SLOW16, 0), KV_OK);
    EXPECT_TRUE(shows(h, target, 11));
    KvPlayDestroyPlayInstance(h);
}

std::vector<unsigned char> grey(const std::string& png)
{
    const std::string raw = png + ".gray";
    if (!runFfmpeg("-i " + png + " -f rawvideo -pix_fmt gray " + raw))
        return {};
    std::ifstream in(raw, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(StepBackTest, ASnapshotOfASteppedBackFrameIsThatFrameAtFullSize)
{
    TestTarget target(80, 60);
    const uint32_t h = pausedAt(numbered().ts, target, 27);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP_BACK, 0), KV_OK);
    ASSERT_TRUE(shows(h, target, 22));
    KvPlayCaptureRecord rec{};
    const std::string path = media().dir + "/stepped.png";
    std::snprintf(rec.path, sizeof rec.path, "%s", path.c_str());
    rec.format = 256;
    ASSERT_EQ(KvPlayCapturePicture(h, &rec), KV_OK);
    const std::vector<unsigned char> pixels = grey(path);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight));
    EXPECT_EQ(readNumber(kWidth, kHeight, [&](int x, int y) { return pixels[static_cast<size_t>(y * kWidth + x)]; }),
              22);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(StepBackTest, FollowersMoveToTheMastersSteppedBackFrame)
{
    TestTarget masterTarget(160, 120);
    TestTarget followerTarget(160, 120);
    const uint32_t master = pausedAt(numbered().mp4, masterTarget, 30);
    const uint32_t follower = openFile(numbered().mp4);
    KvPlaySetPlayWnd(follower, followerTarget.target());
    ASSERT_EQ(KvPlayStartPlay(follower), KV_OK);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(master, follower), KV_OK);
    ASSERT_TRUE(shows(follower, followerTarget, 30));
    for (int i = 0; i < 7; ++i)
        ASSERT_EQ(KvPlaySetPlayMode(master, KV_MODE_STEP_BACK, 0), KV_OK);
    EXPECT_TRUE(shows(master, masterTarget, 23));
    EXPECT_TRUE(shows(follower, followerTarget, 23));
    EXPECT_EQ(KvPlaySetPlayMode(follower, KV_MODE_STEP_BACK, 0), KV_ERR_STATE);
    KvPlayDestroyPlayInstance(follower);
    KvPlayDestroyPlayInstance(master);
}

TEST_F(StepBackTest, AStepBackNeedsAPlayingVideoAndATarget)
{
    const uint32_t idle = openFile(numbered().mp4);
    EXPECT_EQ(KvPlaySetPlayMode(idle, KV_MODE_STEP_BACK, 0), KV_ERR_STATE);
    ASSERT_EQ(KvPlayStartPlay(idle), KV_OK);
    EXPECT_EQ(KvPlaySetPlayMode(idle, KV_MODE_STEP_BACK, 0), KV_ERR_STATE) << "no render target";
    KvPlayDestroyPlayInstance(idle);
    const uint32_t sound = openFile(media().audioOnly);
    TestTarget target(32, 24);
    KvPlaySetPlayWnd(sound, target.target());
    ASSERT_EQ(KvPlayStartPlay(sound), KV_OK);
    EXPECT_EQ(KvPlaySetPlayMode(sound, KV_MODE_STEP_BACK, 0), KV_ERR_NO_STREAM);
    KvPlayDestroyPlayInstance(sound);
}

} // namespace
} // namespace kvtest
