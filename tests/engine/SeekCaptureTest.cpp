// Exact and keyframe seeks, and snapshots.
#include "MediaFixture.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>
#include <thread>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

class SeekTest : public EngineTest {
protected:
    uint32_t pausedAtStart(const std::string& path, TestTarget& target)
    {
        const uint32_t h = openFile(path);
        KvPlaySetPlayWnd(h, target.target());
        KvPlaySetPlayMode(h, KV_MODE_PAUSE, 0);
        EXPECT_EQ(KvPlayStartPlay(h), KV_OK);
        EXPECT_TRUE(waitUntil([h] { return KvPlayGetCurPlayedTime(h) != 0; }, 10s));
        uint64_t e = 0;
        KvPlayGetPlayFileTimeRange(h, &start_, &e);
        return h;
    }
    static int seek(uint32_t h, uint64_t t, bool exact)
    {
        const auto low = static_cast<uint32_t>(t & 0xffffffffu);
        const auto high = static_cast<uint32_t>(t >> 32);
        return exact ? KvPlaySetCurPlayedTime(h, low, high) : KvPlaySetCurPlayedTimeEX(h, low, high);
    }
    uint64_t start_ = 0;
};

TEST_F(SeekTest, ExactSeekShowsTheFrameAtOrJustBeforeTheTarget)
{
    for (const std::string& path : {media().mp4, media().ts, media().avi, media().raw264}) {
        SCOPED_TRACE(path);
        TestTarget target(32, 24);
        const uint32_t h = pausedAtStart(path, target);
        // 1.23 s falls inside frame 30 (1.20 s); its keyframe is at 1.00 s.
        ASSERT_EQ(seek(h, start_ + 1230000, true), KV_OK);
        const uint64_t want = start_ + 30 * kFrameUs;
        EXPECT_TRUE(waitUntil([h, want] { return KvPlayGetCurPlayedTime(h) == want; }, 10s))
            << static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_);
        // Backwards, onto an exact frame time.
        ASSERT_EQ(seek(h, start_ + 7 * kFrameUs, true), KV_OK);
        const uint64_t back = start_ + 7 * kFrameUs;
        EXPECT_TRUE(waitUntil([h, back] { return KvPlayGetCurPlayedTime(h) == back; }, 10s))
            << static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_);
        // Still paused after seeking, and stepping goes on from there.
        ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP, 0), KV_OK);
        const uint64_t next = back + kFrameUs;
        EXPECT_TRUE(waitUntil([h, next] { return KvPlayGetCurPlayedTime(h) == next; }, 10s));
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(SeekTest, FastSeekShowsTheKeyframeBefore)
{
    TestTarget target(32, 24);
    const uint32_t h = pausedAtStart(media().mp4, target);
    ASSERT_EQ(seek(h, start_ + 1500000, false), KV_OK);
    const uint64_t want = start_ + 1000000;
    EXPECT_TRUE(waitUntil([h, want] { return KvPlayGetCurPlayedTime(h) == want; }, 10s))
        << static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(SeekTest, SeeksOutsideTheRangeAreClamped)
{
    TestTarget target(32, 24);
    MessageSink sink;
    const uint32_t h = pausedAtStart(media().mp4, target);
    KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
    ASSERT_EQ(seek(h, start_ + 500 * kDurationUs, true), KV_OK);
    const uint64_t last = start_ + kDurationUs - kFrameUs;
    EXPECT_TRUE(waitUntil([h, last] { return KvPlayGetCurPlayedTime(h) == last; }, 10s));
    ASSERT_EQ(seek(h, 1, true), KV_OK);
    EXPECT_TRUE(waitUntil([this, h] { return KvPlayGetCurPlayedTime(h) == start_; }, 10s));
    KvPlayDestroyPlayInstance(h);
}

TEST_F(SeekTest, SeekWithoutPlaybackIsAStateError)
{
    const uint32_t h = openFile(media().mp4);
    EXPECT_EQ(KvPlaySetCurPlayedTime(h, 1, 0), KV_ERR_STATE);
    KvPlayDestroyPlayInstance(h);
}

struct PngSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

PngSize readPngSize(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char head[24] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    if (!in || std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0)
        return {};
    auto be = [&](int o) {
        return static_cast<uint32_t>(head[o]) << 24 | static_cast<uint32_t>(head[o + 1]) << 16 |
               static_cast<uint32_t>(head[o + 2]) << 8 | head[o + 3];
    };
    return {be(16), be(20)};
}

TEST_F(SeekTest, CaptureWritesAPngAtThePictureResolution)
{
    TestTarget target(40, 30);
    const uint32_t h = pausedAtStart(media().mp4, target);
    KvPlayCaptureRequest req{};
    const std::string path = media().dir + "/snap.png";
    std::strncpy(req.record.path, path.c_str(), sizeof req.record.path - 1);
    req.record.format = 256;
    ASSERT_EQ(KvPlayCapturePicture(h, &req.record), KV_OK);
    const PngSize size = readPngSize(path);
    EXPECT_EQ(size.width, 320u);
    EXPECT_EQ(size.height, 240u);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(SeekTest, CaptureFailsWithoutAFrameOrAWritableFolder)
{
    const uint32_t h = openFile(media().mp4);
    KvPlayCaptureRecord rec{};
    std::strncpy(rec.path, (media().dir + "/none.png").c_str(), sizeof rec.path - 1);
    EXPECT_EQ(KvPlayCapturePicture(h, &rec), KV_ERR_STATE);
    TestTarget target(40, 30);
    KvPlayDestroyPlayInstance(h);
    const uint32_t p = pausedAtStart(media().mp4, target);
    std::strncpy(rec.path, "/nonexistent-folder/x.png", sizeof rec.path - 1);
    EXPECT_EQ(KvPlayCapturePicture(p, &rec), KV_ERR_IO);
    KvPlayCaptureRecord empty{};
    EXPECT_EQ(KvPlayCapturePicture(p, &empty), KV_ERR_PARAM);
    KvPlayDestroyPlayInstance(p);
}

} // namespace
} // namespace kvtest

namespace kvtest {
namespace {

TEST_F(SeekTest, RawStreamGetsAnExactRangeAndFarExactSeeks)
{
    const std::string longRaw = media().dir + "/seek-long.264";
    {
        std::ofstream out(longRaw, std::ios::binary);
        for (int i = 0; i < 10; ++i) {
            std::ifstream in(media().raw264, std::ios::binary);
            out << in.rdbuf();
        }
    }
    TestTarget target(32, 24);
    const uint32_t h = pausedAtStart(longRaw, target);
    // The background index replaces the estimate with the counted frames.
    const auto exact = [h] {
        uint64_t s = 0;
        uint64_t e = 0;
        KvPlayGetPlayFileTimeRange(h, &s, &e);
        return e - s == 10 * kDurationUs;
    };
    ASSERT_TRUE(waitUntil(exact, 20s));
    ASSERT_EQ(seek(h, start_ + 15230000, true), KV_OK);
    const uint64_t want = start_ + 15200000;
    EXPECT_TRUE(waitUntil([h, want] { return KvPlayGetCurPlayedTime(h) == want; }, 10s))
        << static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_);
    ASSERT_EQ(seek(h, start_ + 3000000, false), KV_OK);
    const uint64_t key = start_ + 3000000;
    EXPECT_TRUE(waitUntil([h, key] { return KvPlayGetCurPlayedTime(h) == key; }, 10s))
        << static_cast<int64_t>(KvPlayGetCurPlayedTime(h) - start_);
    KvPlayDestroyPlayInstance(h);
}

} // namespace
} // namespace kvtest

namespace kvtest {
namespace {

std::vector<char> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(SeekTest, SnapshotAtTileSizeEqualsTheFullQualityPicture)
{
    TestTarget target(40, 30); // a tile: decoding skips the loop filter
    const uint32_t h = pausedAtStart(media().mp4, target);
    const uint64_t t = start_ + 30 * kFrameUs;
    ASSERT_EQ(seek(h, t, true), KV_OK);
    ASSERT_TRUE(waitUntil([h, t] { return KvPlayGetCurPlayedTime(h) == t; }, 10s));
    KvPlayCaptureRecord small{};
    std::snprintf(small.path, sizeof small.path, "%s/tile.png", media().dir.c_str());
    ASSERT_EQ(KvPlayCapturePicture(h, &small), KV_OK);

    // Large again: the same frame decoded in full.
    target.setSize(640, 480);
    const int before = target.presents();
    ASSERT_EQ(KvPlayRePaint(h), KV_OK);
    ASSERT_TRUE(target.waitPresents(before + 1, 10s));
    ASSERT_EQ(seek(h, start_, true), KV_OK);
    ASSERT_TRUE(waitUntil([this, h] { return KvPlayGetCurPlayedTime(h) == start_; }, 10s));
    ASSERT_EQ(seek(h, t, true), KV_OK);
    ASSERT_TRUE(waitUntil([h, t] { return KvPlayGetCurPlayedTime(h) == t; }, 10s));
    KvPlayCaptureRecord large{};
    std::snprintf(large.path, sizeof large.path, "%s/large.png", media().dir.c_str());
    ASSERT_EQ(KvPlayCapturePicture(h, &large), KV_OK);
    const auto a = fileBytes(small.path);
    EXPECT_FALSE(a.empty());
    EXPECT_TRUE(a == fileBytes(large.path));
    KvPlayDestroyPlayInstance(h);
}

} // namespace
} // namespace kvtest
