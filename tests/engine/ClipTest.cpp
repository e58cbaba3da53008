// Clips written without re-encoding, checked with ffprobe.
#include "MediaFixture.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

// "format_name|duration|codec|packets" of a file, from ffprobe.
std::string probe(const std::string& path)
{
    const std::string cmd = "ffprobe -v error -count_packets -select_streams v:0 -show_entries "
                            "format=format_name,duration:stream=codec_name,nb_read_packets -of "
                            "default=nw=1:nk=1 '" + path + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
    std::string out;
    char buf[256];
    while (pipe && std::fgets(buf, sizeof buf, pipe.get())) {
        std::string line(buf);
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        out += (out.empty() ? "" : "|") + line;
    }
    return out;
}

class ClipTest : public EngineTest {
protected:
    uint32_t pausedAt(const std::string& path, int64_t relUs)
    {
        const uint32_t h = openFile(path);
        KvPlaySetPlayWnd(h, target_.target());
        KvPlaySetPlayMode(h, KV_MODE_PAUSE, 0);
        EXPECT_EQ(KvPlayStartPlay(h), KV_OK);
        uint64_t e = 0;
        KvPlayGetPlayFileTimeRange(h, &start_, &e);
        moveTo(h, relUs);
        return h;
    }
    void moveTo(uint32_t h, int64_t relUs)
    {
        const uint64_t t = start_ + static_cast<uint64_t>(relUs);
        ASSERT_EQ(KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32)), KV_OK);
        ASSERT_TRUE(waitUntil([h, t] { return KvPlayGetCurPlayedTime(h) == t; }, 10s))
            << static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_);
    }
    TestTarget target_{32, 24};
    uint64_t start_ = 0;
};

struct Case {
    std::string source;
    std::string ext;
    int kind;
    std::string format;
};

TEST_F(ClipTest, ClipRunsFromTheKeyframeBeforeStartToTheStopPosition)
{
    const Case cases[] = {
        {media().mp4, "mp4", KV_CLIP_MP4, "mov,mp4,m4a,3gp,3g2,mj2"},
        {media().mp4, "avi", KV_CLIP_AVI, "avi"},
        {media().raw264, "264", KV_CLIP_RAW, "h264"},
        {media().ts, "UAF", KV_CLIP_SOURCE, "mpegts"},
        {media().mp4, "AVI", KV_CLIP_SOURCE, "mov,mp4,m4a,3gp,3g2,mj2"},
        {media().avi, "mp4", KV_CLIP_MP4, "mov,mp4,m4a,3gp,3g2,mj2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + " -> " + c.ext);
        // Start at 1.32 s (keyframe 1.0 s), stop on the frame at 1.8 s: 21 frames.
        const uint32_t h = pausedAt(c.source, 1320000);
        const std::string clip = media().dir + "/cut." + c.ext;
        const std::string picture = media().dir + "/cut-" + c.ext + ".png";
        const KvPlayLocalRecordRequest req{0, clip.c_str(), picture.c_str(), c.kind, 0, 0, 0};
        ASSERT_EQ(KvPlayStartlocalrecordFile(h, &req), KV_OK);
        EXPECT_EQ(KvPlayStartlocalrecordFile(h, &req), KV_ERR_STATE);
        moveTo(h, 1800000);
        uint64_t times[2] = {};
        uint32_t packets = 0;
        ASSERT_EQ(KvPlayStoplocalrecord(h, times, &packets), KV_OK);
        const bool mjpeg = c.source == media().avi;
        // MJPEG pictures are all keyframes: the clip starts on the frame itself.
        const uint32_t frames = mjpeg ? 13 : 21;
        EXPECT_EQ(packets, frames);
        EXPECT_EQ(times[0], start_ + (mjpeg ? 1320000 : 1000000));
        EXPECT_EQ(times[1], start_ + 1840000);
        const std::string info = probe(clip);
        EXPECT_NE(info.find(c.format), std::string::npos) << info;
        EXPECT_NE(info.find("|" + std::to_string(frames)), std::string::npos) << info;
        if (c.format != "h264" && c.format != "mjpeg") {
            const double duration = std::stod(info.substr(info.rfind('|') + 1));
            EXPECT_NEAR(duration, frames * 0.04, 0.05) << info;
        }
        EXPECT_TRUE(std::filesystem::exists(picture));
        EXPECT_FALSE(std::filesystem::exists(clip + ".part"));
        EXPECT_EQ(KvPlayStoplocalrecord(h, nullptr, nullptr), KV_ERR_STATE);
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(ClipTest, AClipThatCannotBeWrittenFailsAtTheStart)
{
    const uint32_t h = pausedAt(media().mp4, 400000);
    const std::string clip = "/nonexistent-folder/cut.mp4";
    const KvPlayLocalRecordRequest req{0, clip.c_str(), nullptr, KV_CLIP_MP4, 0, 0, 0};
    EXPECT_EQ(KvPlayStartlocalrecordFile(h, &req), KV_ERR_IO);
    EXPECT_EQ(KvPlayStoplocalrecord(h, nullptr, nullptr), KV_ERR_STATE) << "not recording";
    KvPlayDestroyPlayInstance(h);
}

TEST_F(ClipTest, AFailedStopEndsTheRecordingAndLeavesNoFile)
{
    const uint32_t h = pausedAt(media().mp4, 400000);
    const std::string folder = media().dir + "/going";
    std::filesystem::create_directories(folder);
    const std::string clip = folder + "/cut.mp4";
    const KvPlayLocalRecordRequest req{0, clip.c_str(), nullptr, KV_CLIP_MP4, 0, 0, 0};
    ASSERT_EQ(KvPlayStartlocalrecordFile(h, &req), KV_OK);
    EXPECT_TRUE(std::filesystem::exists(clip + ".part")) << "made at the start";
    std::filesystem::remove_all(folder);
    EXPECT_EQ(KvPlayStoplocalrecord(h, nullptr, nullptr), KV_ERR_IO);
    EXPECT_EQ(KvPlayStoplocalrecord(h, nullptr, nullptr), KV_ERR_STATE) << "the recording is over";
    EXPECT_FALSE(std::filesystem::exists(folder));
    KvPlayDestroyPlayInstance(h);
}

struct Outcome {
    std::mutex mutex;
    int calls = 0;
    KvPlayClipOutcome last{};
    static void report(const KvPlayClipOutcome* outcome, void* user)
    {
        auto* self = static_cast<Outcome*>(user);
        std::lock_guard lock(self->mutex);
        ++self->calls;
        self->last = *outcome;
    }
};

// The clip is written after the call returns, outlives its instance, and the
// library's release waits for it.
TEST_F(ClipTest, AClipStoppedInTheBackgroundIsWaitedForAtTheRelease)
{
    const uint32_t h = pausedAt(media().mp4, 1320000);
    const std::string clip = media().dir + "/background.mp4";
    const KvPlayLocalRecordRequest req{0, clip.c_str(), nullptr, KV_CLIP_MP4, 0, 0, 0};
    ASSERT_EQ(KvPlayStartlocalrecordFile(h, &req), KV_OK);
    moveTo(h, 1800000);
    Outcome outcome;
    EXPECT_EQ(KvPlayStopLocalRecordAsync(h, nullptr, &outcome), KV_ERR_PARAM);
    ASSERT_EQ(KvPlayStopLocalRecordAsync(h, Outcome::report, &outcome), KV_OK);
    EXPECT_EQ(KvPlayStopLocalRecordAsync(h, Outcome::report, &outcome), KV_ERR_STATE) << "no longer recording";
    EXPECT_NE(KvPlayGetCurPlayedTime(h), 0u) << "the instance answers meanwhile";
    KvPlayDestroyPlayInstance(h);
    ASSERT_EQ(KvPlayDeinitPlayLib(), KV_OK);
    {
        std::lock_guard lock(outcome.mutex);
        EXPECT_EQ(outcome.calls, 1) << "reported once, before the release returned";
        EXPECT_EQ(outcome.last.rc, KV_OK);
        EXPECT_EQ(outcome.last.packets, 21u);
        EXPECT_EQ(outcome.last.start_time, start_ + 1000000);
        EXPECT_EQ(outcome.last.end_time, start_ + 1840000);
    }
    EXPECT_NE(probe(clip).find("|21"), std::string::npos) << probe(clip);
    EXPECT_FALSE(std::filesystem::exists(clip + ".part"));
    ASSERT_EQ(KvPlayInitPlayLib(0, 0, 0), KV_OK);
}

TEST_F(ClipTest, RecordingNeedsAPlayingFileAndAPath)
{
    const uint32_t h = openFile(media().mp4);
    const std::string clip = media().dir + "/never.mp4";
    const KvPlayLocalRecordRequest req{0, clip.c_str(), nullptr, KV_CLIP_MP4, 0, 0, 0};
    EXPECT_EQ(KvPlayStartlocalrecordFile(h, &req), KV_ERR_STATE);
    EXPECT_EQ(KvPlayStartlocalrecordFile(h, nullptr), KV_ERR_PARAM);
    const KvPlayLocalRecordRequest empty{0, "", nullptr, KV_CLIP_MP4, 0, 0, 0};
    EXPECT_EQ(KvPlayStartlocalrecordFile(h, &empty), KV_ERR_PARAM);
    EXPECT_EQ(KvPlayStoplocalrecord(h, nullptr, nullptr), KV_ERR_STATE);
    KvPlayDestroyPlayInstance(h);
}

} // namespace
} // namespace kvtest
