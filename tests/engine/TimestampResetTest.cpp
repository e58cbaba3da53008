// Recordings whose timestamps reset in the middle, as when a recorder
// restarts while it writes an MPEG-TS: the mending rule on its own, then
// length, playback, seeks and clips of two parts joined byte for byte.
#include "MediaFixture.h"
#include "TimestampMender.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace kvtest {
namespace {

using namespace std::chrono_literals;
using kvplay::StreamTrack;

constexpr int64_t kPartUs = 4'000'000;

StreamTrack track(int64_t step, int64_t maxGap)
{
    StreamTrack t;
    t.step = step;
    t.maxGap = maxGap;
    t.overlap = maxGap / 5;
    return t;
}

// The continuous decoding times of a stream whose own times are given.
std::vector<int64_t> follow(StreamTrack& t, const std::vector<int64_t>& times, int* resets = nullptr)
{
    std::vector<int64_t> out;
    for (int64_t ts : times) {
        if (kvplay::followTrack(t, ts, 0) && resets)
            ++*resets;
        out.push_back(t.last);
    }
    return out;
}

TEST(TimestampMender, ResetsEitherWayContinueOneStepOnAndPausesStay)
{
    StreamTrack t = track(10, 1000);
    int resets = 0;
    // Steady, a pause within the gap, jitter under a step: all as they are.
    EXPECT_EQ(follow(t, {100, 110, 120, 900, 910, 905, 920}, &resets),
              (std::vector<int64_t>{100, 110, 120, 900, 910, 905, 920}));
    EXPECT_EQ(resets, 0);
    // Back to the start, then forward by far more than any pause.
    EXPECT_EQ(follow(t, {0, 10, 20, 5'000'000, 5'000'010}, &resets),
              (std::vector<int64_t>{930, 940, 950, 960, 970}));
    EXPECT_EQ(resets, 2);
    // A packet's own duration is the step after it.
    StreamTrack d = track(10, 1000);
    kvplay::followTrack(d, 50, 25);
    kvplay::followTrack(d, 0, 25);
    EXPECT_EQ(d.last, 75);
}

TEST(TimestampMender, AfterASeekRepeatedPacketsAreNoResetButARealOneStillIs)
{
    StreamTrack t = track(10, 1000);
    follow(t, {100, 110, 120, 130});
    StreamTrack resumed = t;
    resumed.settling = true;
    EXPECT_EQ(follow(resumed, {110, 120, 130, 140}), (std::vector<int64_t>{110, 120, 130, 140}));
    resumed = t;
    resumed.settling = true;
    int resets = 0;
    EXPECT_EQ(follow(resumed, {-500, -490}, &resets), (std::vector<int64_t>{140, 150}))
        << "further back than packets repeat";
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(resumed.settling) << "only the first packet after the seek";
}

std::string capture(const std::string& cmd)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
    std::string out;
    char buf[256];
    while (pipe && std::fgets(buf, sizeof buf, pipe.get()))
        out += buf;
    return out;
}

// Presentation times (s) of one stream of a file, in file order.
std::vector<double> packetTimes(const std::string& path, const char* stream)
{
    std::istringstream lines(capture(std::string("ffprobe -v error -select_streams ") + stream +
                                     " -show_entries packet=pts_time -of csv=p=0 '" + path + "' 2>/dev/null"));
    std::vector<double> times;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty())
            times.push_back(std::stod(line));
    }
    return times;
}

struct ResetMedia {
    std::string back;    // testsrc2 from 3 s, then red from 0 s: 7 s back, less than a long pause
    std::string forward; // testsrc2 from 0 s, then red two hours on
};

std::string part(const std::string& name, const std::string& source, const std::string& offset)
{
    const std::string path = media().dir + "/" + name;
    const bool ok = runFfmpeg("-f lavfi -i " + source + "size=320x240:rate=25:duration=4"
                              " -f lavfi -i sine=frequency=440:sample_rate=8000:duration=4"
                              " -c:v libx264 -preset veryfast -bf 0 -g 25 -pix_fmt yuv420p -c:a mp2"
                              " -output_ts_offset " + offset + " -f mpegts " + path);
    return ok ? path : std::string();
}

std::string joined(const std::string& name, const std::string& first, const std::string& second)
{
    const std::string path = media().dir + "/" + name;
    std::ofstream out(path, std::ios::binary);
    for (const std::string& p : {first, second}) {
        std::ifstream in(p, std::ios::binary);
        out << in.rdbuf();
    }
    return path;
}

const ResetMedia& resetMedia()
{
    static const ResetMedia m = [] {
        const std::string pattern = part("pattern-3.ts", "testsrc2=", "3");
        const std::string pattern0 = part("pattern-0.ts", "testsrc2=", "0");
        const std::string red = part("red-0.ts", "color=c=red:", "0");
        const std::string redLater = part("red-7200.ts", "color=c=red:", "7200");
        return ResetMedia{joined("reset-back.ts", pattern, red), joined("reset-forward.ts", pattern0, redLater)};
    }();
    return m;
}

bool isRed(uint32_t bgra)
{
    const uint32_t b = bgra & 0xff;
    const uint32_t g = (bgra >> 8) & 0xff;
    const uint32_t r = (bgra >> 16) & 0xff;
    return r > 200 && g < 60 && b < 60;
}

class ResetTest : public EngineTest {
protected:
    // Paused at the start once the whole timeline is known.
    uint32_t pausedAtStart(const std::string& path)
    {
        const uint32_t h = openFile(path);
        KvPlaySetPlayWnd(h, target_.target());
        KvPlaySetPlayMode(h, KV_MODE_PAUSE, 0);
        EXPECT_EQ(KvPlayStartPlay(h), KV_OK);
        uint64_t end = 0;
        EXPECT_EQ(KvPlayGetPlayFileTimeRangeExact(h, &start_, &end, 60000), KV_OK);
        return h;
    }
    void moveTo(uint32_t h, int64_t relUs)
    {
        const uint64_t t = start_ + static_cast<uint64_t>(relUs);
        ASSERT_EQ(KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32)), KV_OK);
        ASSERT_TRUE(waitUntil([h, t] { return KvPlayGetCurPlayedTime(h) == t; }, 20s))
            << static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_);
    }
    bool showsRed() const
    {
        return isRed(target_.lastPixel(4, 4)) && isRed(target_.lastPixel(16, 12)) && isRed(target_.lastPixel(28, 20));
    }
    TestTarget target_{32, 24};
    uint64_t start_ = 0;
};

TEST_F(ResetTest, TheLengthIsBothPartsAndPlaybackReachesTheEnd)
{
    for (const std::string& path : {resetMedia().back, resetMedia().forward}) {
        SCOPED_TRACE(path);
        const uint32_t h = openFile(path);
        uint64_t start = 0;
        uint64_t end = 0;
        ASSERT_EQ(KvPlayGetPlayFileTimeRangeExact(h, &start, &end, 60000), KV_OK);
        EXPECT_NEAR(static_cast<double>(end - start), 2.0 * kPartUs, 2 * kFrameUs);
        MessageSink sink;
        TestTarget target(32, 24);
        KvPlaySetPlayWnd(h, target.target());
        KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
        KvPlaySetPlayMode(h, KV_MODE_FAST4, 0);
        ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
        ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 60s));
        EXPECT_GE(KvPlayGetCurPlayedTime(h), start + 2 * kPartUs - 2 * kFrameUs) << "through the reset";
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(ResetTest, SeeksLandOnEitherSideOfTheReset)
{
    for (const std::string& path : {resetMedia().back, resetMedia().forward}) {
        SCOPED_TRACE(path);
        const uint32_t h = pausedAtStart(path);
        moveTo(h, kPartUs + 2'000'000);
        EXPECT_TRUE(showsRed()) << "the second part's picture";
        moveTo(h, 1'000'000);
        EXPECT_FALSE(showsRed()) << "the first part's picture";
        moveTo(h, kPartUs + 1'000'000);
        EXPECT_TRUE(showsRed());
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(ResetTest, AClipAcrossTheResetHasEveryFrameOnOneTimeline)
{
    struct Case {
        int kind;
        std::string ext;
    };
    for (const std::string& path : {resetMedia().back, resetMedia().forward}) {
        for (const Case& c : {Case{KV_CLIP_SOURCE, "ts"}, Case{KV_CLIP_MP4, "mp4"}}) {
            SCOPED_TRACE(path + " -> " + c.ext);
            // From the keyframe at 3 s to the frame at 5 s: 51 frames, a second each side.
            const uint32_t h = pausedAtStart(path);
            moveTo(h, 3'000'000);
            const std::string clip = media().dir + "/across." + c.ext;
            const KvPlayLocalRecordRequest req{0, clip.c_str(), nullptr, c.kind, 0, 0, 0};
            ASSERT_EQ(KvPlayStartlocalrecordFile(h, &req), KV_OK);
            moveTo(h, 5'000'000);
            uint64_t times[2] = {};
            uint32_t packets = 0;
            ASSERT_EQ(KvPlayStoplocalrecord(h, times, &packets), KV_OK);
            EXPECT_EQ(packets, 51u);
            EXPECT_EQ(times[0], start_ + 3'000'000);
            EXPECT_EQ(times[1], start_ + 5'040'000);
            const std::vector<double> video = packetTimes(clip, "v:0");
            ASSERT_EQ(video.size(), 51u);
            for (size_t i = 1; i < video.size(); ++i)
                EXPECT_NEAR(video[i] - video[i - 1], 0.04, 0.002) << "frame " << i;
            const std::vector<double> audio = packetTimes(clip, "a:0");
            ASSERT_GE(audio.size(), 2u);
            for (size_t i = 1; i < audio.size(); ++i)
                EXPECT_GT(audio[i], audio[i - 1]) << "audio packet " << i;
            EXPECT_GT(audio.back() - audio.front(), 1.5) << "sound on both sides of the reset";
            KvPlayDestroyPlayInstance(h);
            std::filesystem::remove(clip);
        }
    }
}

TEST_F(ResetTest, AnExportedSpanAcrossTheResetIsOneTimelineAndTheEndIsTheWholeFiles)
{
    const std::string path = resetMedia().back;
    KvPlayFileInfo info{};
    path.copy(info.path, sizeof info.path - 1);
    ASSERT_EQ(KvPlayGetFileInfo(&info), KV_OK);
    const std::string output = media().dir + "/span-across.ts";
    KvPlaySpanRequest r{};
    r.source = path.c_str();
    r.output = output.c_str();
    r.start = info.time + 3'300'000;
    r.end = info.time + 4'500'000;
    KvPlaySpanResult result{};
    ASSERT_EQ(KvPlayExportSpan(&r, &result), KV_OK);
    EXPECT_EQ(result.first, info.time + 3'000'000) << "the keyframe before, in the first part";
    EXPECT_GT(result.last, info.time + 4'500'000) << "pictures of the second part";
    const std::vector<double> video = packetTimes(output, "v:0");
    ASSERT_GE(video.size(), 38u);
    for (size_t i = 1; i < video.size(); ++i)
        EXPECT_NEAR(video[i] - video[i - 1], 0.04, 0.002) << "frame " << i;
    std::filesystem::remove(output);
    // Past what the demuxer alone measures (one part), inside the whole file.
    r.start = info.time + 6'100'000;
    r.end = info.time + 6'500'000;
    ASSERT_EQ(KvPlayExportSpan(&r, &result), KV_OK);
    EXPECT_EQ(result.first, info.time + 6'000'000);
    std::filesystem::remove(output);
    r.start = info.time + 9'000'000;
    r.end = info.time + 10'000'000;
    EXPECT_EQ(KvPlayExportSpan(&r, &result), KV_ERR_NO_FRAME) << "after the whole file";
    EXPECT_FALSE(std::filesystem::exists(output));
}

} // namespace
} // namespace kvtest
