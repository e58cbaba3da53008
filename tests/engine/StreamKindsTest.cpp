// Streams recorders write that the other tests do not hold: interlaced
// (field-coded) pictures, which are shown deinterlaced, and H.264 with
// B-frames, whose exact seeks and steps land on the very picture.
#include "MediaFixture.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

constexpr int kD1Width = 720;
constexpr int kD1Height = 576;

// 1 s of moving test pattern, 50 pictures a second woven into 25 interlaced
// frames, field-coded; or the same pattern at 25 progressive frames.
std::string d1(bool interlaced)
{
    const std::string p = media().dir + (interlaced ? "/d1_interlaced.mp4" : "/d1_progressive.mp4");
    const std::string source = "-f lavfi -i testsrc2=size=720x576:rate=50:duration=1 ";
    const std::string coding = interlaced ? "-vf interlace=scan=tff -flags +ildct+ilme -x264-params interlaced=1:tff=1 "
                                          : "-r 25 ";
    EXPECT_TRUE(runFfmpeg(source + coding + "-c:v libx264 -preset veryfast -pix_fmt yuv420p -f mp4 " + p));
    return p;
}

// How much neighbouring lines differ against lines two apart, over the
// middle of a luma picture. Lines from two instants woven together (combing)
// differ more from their neighbours than from the line after: above 1.
template <typename Luma>
double combing(const Luma& luma)
{
    double near = 0;
    double far = 0;
    for (int y = kD1Height / 4; y < kD1Height * 3 / 4; ++y) {
        for (int x = 0; x < kD1Width; ++x) {
            near += std::abs(luma(x, y) - luma(x, y + 1));
            far += std::abs(luma(x, y) - luma(x, y + 2));
        }
    }
    return far > 0 ? near / far : 0;
}

// The luma of the last picture as ffmpeg decodes it, without deinterlacing.
double combingDecodedAsIs(const std::string& path)
{
    const std::string raw = path + ".gray";
    EXPECT_TRUE(runFfmpeg("-i " + path + " -pix_fmt gray -f rawvideo " + raw));
    std::ifstream in(raw, std::ios::binary);
    const std::vector<char> all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t picture = static_cast<size_t>(kD1Width) * kD1Height;
    EXPECT_GE(all.size(), picture);
    if (all.size() < picture)
        return 0;
    const char* last = all.data() + all.size() - picture;
    return combing([last](int x, int y) {
        const size_t at = static_cast<size_t>(y) * kD1Width + static_cast<size_t>(x);
        return static_cast<int>(static_cast<unsigned char>(last[at]));
    });
}

class StreamKindsTest : public EngineTest {
protected:
    // Plays path to its end at its own size; the combing of the last picture.
    double combingShown(const std::string& path)
    {
        TestTarget target(kD1Width, kD1Height);
        MessageSink sink;
        const uint32_t h = openFile(path);
        KvPlaySetPlayWnd(h, target.target());
        KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
        KvPlaySetPlayMode(h, KV_MODE_FAST4, 0);
        EXPECT_EQ(KvPlayStartPlay(h), KV_OK);
        EXPECT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
        EXPECT_EQ(target.lastWidth(), kD1Width);
        EXPECT_EQ(target.lastHeight(), kD1Height);
        const double c = combing([&target](int x, int y) {
            const uint32_t bgra = target.lastPixel(x, y);
            const uint32_t luma = (29 * (bgra & 0xff) + 150 * ((bgra >> 8) & 0xff) + 77 * ((bgra >> 16) & 0xff)) >> 8;
            return static_cast<int>(luma);
        });
        KvPlayDestroyPlayInstance(h);
        return c;
    }
};

TEST_F(StreamKindsTest, InterlacedPicturesAreShownWithoutCombingAndProgressiveOnesUntouched)
{
    const std::string interlaced = d1(true);
    const double woven = combingDecodedAsIs(interlaced);
    const double shown = combingShown(interlaced);
    EXPECT_GT(woven, 1.0) << "the recording itself is combed";
    EXPECT_LT(shown, 1.0) << "shown deinterlaced";

    // A progressive picture keeps its lines as decoded: a deinterlacer would
    // smooth them and lower the measure.
    const std::string progressive = d1(false);
    const double asIs = combingDecodedAsIs(progressive);
    const double kept = combingShown(progressive);
    EXPECT_NEAR(kept, asIs, 0.05);
}

// I B B P B B P ... at 25 fps, 2 s, a keyframe every 25 frames: B pictures
// decode after the P picture that follows them.
std::string bFrames()
{
    const std::string p = media().dir + "/kinds_bframes.mp4";
    EXPECT_TRUE(runFfmpeg("-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v libx264 -preset veryfast -bf 2 "
                          "-g 25 -x264-params b-pyramid=none:b-adapt=0 -pix_fmt yuv420p -f mp4 " + p));
    return p;
}

TEST_F(StreamKindsTest, BFramesSeekExactlyAndStepInShowingOrder)
{
    TestTarget target(64, 48);
    const uint32_t h = openFile(bFrames());
    KvPlaySetPlayWnd(h, target.target());
    KvPlaySetPlayMode(h, KV_MODE_PAUSE, 0);
    ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
    ASSERT_TRUE(waitUntil([h] { return KvPlayGetCurPlayedTime(h) != 0; }, 10s));
    uint64_t start = 0;
    uint64_t end = 0;
    KvPlayGetPlayFileTimeRange(h, &start, &end);
    const auto shownFrame = [h, start] {
        return static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start) / kFrameUs;
    };
    // Frame 31 is a B picture of the second group, 10 a B picture of the first.
    for (int64_t frame : {31, 10, 26}) {
        const uint64_t t = start + static_cast<uint64_t>(frame * kFrameUs + kFrameUs / 2);
        ASSERT_EQ(KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(t & 0xffffffffu), static_cast<uint32_t>(t >> 32)),
                  KV_OK);
        EXPECT_TRUE(waitUntil([&] { return shownFrame() == frame; }, 10s)) << frame << " shows " << shownFrame();
    }
    // Steps from 26 (B) through 27 (B) and 28 (P) to 29 (B), one at a time.
    for (int64_t frame = 27; frame <= 29; ++frame) {
        ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP, 0), KV_OK);
        EXPECT_TRUE(waitUntil([&] { return shownFrame() == frame; }, 10s)) << frame << " shows " << shownFrame();
    }
    KvPlayDestroyPlayInstance(h);
}

} // namespace
} // namespace kvtest
