// Span exports through the C API: the copy's packets are the source's own.
#include "AvPtr.h"
#include "MediaFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kvtest {
namespace {

namespace fs = std::filesystem;

struct Packet {
    std::string data;
    int64_t ptsUs = 0; // from the stream's start
    bool key = false;
};

// The packets of the first stream of a kind, in file order.
std::vector<Packet> packetsOf(const std::string& path, AVMediaType type)
{
    std::vector<Packet> out;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0)
        return out;
    kvplay::FormatPtr fmt(raw);
    if (avformat_find_stream_info(fmt.get(), nullptr) < 0)
        return out;
    const int index = av_find_best_stream(fmt.get(), type, -1, -1, nullptr, 0);
    if (index < 0)
        return out;
    const AVStream* st = fmt->streams[index];
    const int64_t start = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
    kvplay::PacketPtr pkt = kvplay::makePacket();
    int64_t frame = 0;
    while (av_read_frame(fmt.get(), pkt.get()) == 0) {
        if (pkt->stream_index == index) {
            const int64_t pts = pkt->pts == AV_NOPTS_VALUE ? frame * kFrameUs
                                                           : av_rescale_q(pkt->pts - start, st->time_base, {1, 1000000});
            out.push_back({std::string(reinterpret_cast<const char*>(pkt->data), static_cast<size_t>(pkt->size)),
                           pts, (pkt->flags & AV_PKT_FLAG_KEY) != 0});
            ++frame;
        }
        av_packet_unref(pkt.get());
    }
    return out;
}

// Where the copy's packets sit in the source: the index of its first one,
// or -1 when they are not one unbroken run of the source's packets.
long runStart(const std::vector<Packet>& source, const std::vector<Packet>& copy)
{
    if (copy.empty())
        return -1;
    for (size_t i = 0; i + copy.size() <= source.size(); ++i) {
        bool same = true;
        for (size_t j = 0; same && j < copy.size(); ++j)
            same = source[i + j].data == copy[j].data;
        if (same)
            return static_cast<long>(i);
    }
    return -1;
}

class SpanExportTest : public EngineTest {
protected:
    KvPlaySpanRequest request(const std::string& source, uint64_t start, uint64_t end)
    {
        KvPlaySpanRequest r{};
        source_ = source;
        r.source = source_.c_str();
        r.output = output_.c_str();
        r.start = start;
        r.end = end;
        return r;
    }
    // The recording time of a file's start.
    uint64_t startOf(const std::string& path)
    {
        KvPlayFileInfo info{};
        path.copy(info.path, sizeof info.path - 1);
        EXPECT_EQ(KvPlayGetFileInfo(&info), KV_OK);
        return info.time;
    }
    // The copy covers [in, out]: it starts at a keyframe at or before in,
    // its packets are the source's, and its last picture is after out.
    // reorder: how many pictures a decoder may hold back (B-frames + 1).
    void expectLosslessSpan(const std::string& source, int64_t inRel, int64_t outRel, int reorder = 1)
    {
        const std::vector<Packet> src = packetsOf(source, AVMEDIA_TYPE_VIDEO);
        const std::vector<Packet> copy = packetsOf(output_, AVMEDIA_TYPE_VIDEO);
        const long at = runStart(src, copy);
        ASSERT_GE(at, 0) << "the copy's pictures are not the source's packets";
        const Packet& first = src[static_cast<size_t>(at)];
        EXPECT_TRUE(first.key);
        EXPECT_LE(first.ptsUs, inRel);
        int64_t last = 0;
        for (size_t j = 0; j < copy.size(); ++j)
            last = std::max(last, src[static_cast<size_t>(at) + j].ptsUs);
        EXPECT_GT(last, outRel);
        EXPECT_LE(last, outRel + (reorder + 1) * kFrameUs) << "the copy stops right after the end";
    }

    std::string source_;
    std::string output_ =
        media().dir + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".out";
};

TEST_F(SpanExportTest, TheContainerIsTheSourcesOwnWhereItCanBeWritten)
{
    const std::pair<std::string, const char*> cases[] = {
        {media().mp4, "mp4"}, {media().ts, "ts"}, {media().avi, "avi"},
        {media().mkvTags, "mkv"}, {media().raw264, "h264"},
    };
    for (const auto& [path, expected] : cases) {
        char ext[16] = {};
        ASSERT_EQ(KvPlayGetSpanExtension(path.c_str(), ext, sizeof ext), KV_OK) << path;
        EXPECT_STREQ(ext, expected) << path;
    }
    char ext[16] = {};
    EXPECT_EQ(KvPlayGetSpanExtension(media().audioOnly.c_str(), ext, sizeof ext), KV_ERR_NO_STREAM);
    EXPECT_EQ(KvPlayGetSpanExtension(media().missing.c_str(), ext, sizeof ext), KV_ERR_OPEN);
    EXPECT_EQ(KvPlayGetSpanExtension(media().mp4.c_str(), ext, 2), KV_ERR_PARAM);
}

TEST_F(SpanExportTest, AnMp4SpanIsTheSourcesPacketsFromTheKeyframeBefore)
{
    const uint64_t start = startOf(media().mp4);
    KvPlaySpanRequest r = request(media().mp4, start + 1'300'000, start + 1'500'000);
    KvPlaySpanResult result{};
    ASSERT_EQ(KvPlayExportSpan(&r, &result), KV_OK);
    expectLosslessSpan(media().mp4, 1'300'000, 1'500'000);
    EXPECT_EQ(result.first, start + 1'000'000) << "GOP 25: the keyframe at 1 s";
    EXPECT_GT(result.last, start + 1'500'000);
    EXPECT_STREQ(result.container, "mp4");
    EXPECT_STREQ(result.video_codec, "h264");
    EXPECT_STREQ(result.audio_codec, "aac");
    EXPECT_GT(result.audio_packets, 0u);
    EXPECT_GT(result.bytes, 0u);
    EXPECT_LE(result.bytes, fs::file_size(output_)) << "packets plus the container's own bytes";
    EXPECT_EQ(startOf(output_) / 1'000'000, result.first / 1'000'000) << "the copy's creation time";
}

TEST_F(SpanExportTest, ReorderedPicturesUpToTheEndAreAllIn)
{
    const std::string bframes = media().dir + "/bframes.mp4";
    ASSERT_TRUE(runFfmpeg("-f lavfi -i testsrc2=size=320x240:rate=25:duration=4 -c:v libx264 -preset veryfast "
                          "-bf 3 -g 50 -pix_fmt yuv420p -metadata creation_time=2025-03-14T09:26:53Z " + bframes));
    const uint64_t start = startOf(bframes);
    KvPlaySpanRequest r = request(bframes, start + 2'500'000, start + 3'000'000);
    KvPlaySpanResult result{};
    ASSERT_EQ(KvPlayExportSpan(&r, &result), KV_OK);
    expectLosslessSpan(bframes, 2'500'000, 3'000'000, 4);
}

TEST_F(SpanExportTest, ARawStreamIsCopiedFromTheIndexedKeyframe)
{
    const uint64_t start = startOf(media().raw264);
    KvPlaySpanRequest r = request(media().raw264, start + 1'100'000, start + 1'200'000);
    KvPlaySpanResult result{};
    ASSERT_EQ(KvPlayExportSpan(&r, &result), KV_OK);
    expectLosslessSpan(media().raw264, 1'100'000, 1'200'000);
    EXPECT_EQ(result.first, start + 1'000'000);
}

TEST_F(SpanExportTest, ThePictureIsTheOneAtTheStart)
{
    const std::string picture = media().dir + "/span-in.png";
    const uint64_t start = startOf(media().mp4);
    KvPlaySpanRequest r = request(media().mp4, start + 500'000, start + 700'000);
    r.picture = picture.c_str();
    KvPlaySpanResult result{};
    ASSERT_EQ(KvPlayExportSpan(&r, &result), KV_OK);
    ASSERT_TRUE(fs::exists(picture));
    const std::vector<Packet> png = packetsOf(picture, AVMEDIA_TYPE_VIDEO);
    ASSERT_EQ(png.size(), 1u);
    EXPECT_EQ(png[0].data.substr(1, 3), "PNG");
}

TEST_F(SpanExportTest, FailuresLeaveNothingBehind)
{
    const uint64_t start = startOf(media().mp4);
    KvPlaySpanResult result{};
    KvPlaySpanRequest after = request(media().mp4, start + 60'000'000, start + 61'000'000);
    EXPECT_EQ(KvPlayExportSpan(&after, &result), KV_ERR_NO_FRAME) << "after the file";
    KvPlaySpanRequest before = request(media().mp4, start - 9'000'000, start - 1'000'000);
    EXPECT_EQ(KvPlayExportSpan(&before, &result), KV_ERR_NO_FRAME) << "before the file";
    KvPlaySpanRequest reversed = request(media().mp4, start + 2, start + 1);
    EXPECT_EQ(KvPlayExportSpan(&reversed, &result), KV_ERR_PARAM);
    EXPECT_FALSE(fs::exists(output_));

    KvPlaySpanRequest cancelled = request(media().mp4, start, start + 1'800'000);
    int calls = 0;
    cancelled.user = &calls;
    cancelled.progress = [](uint64_t, void* user) -> int32_t { return ++*static_cast<int*>(user) < 5 ? 1 : 0; };
    EXPECT_EQ(KvPlayExportSpan(&cancelled, &result), KV_ERR_CANCELLED);
    EXPECT_EQ(calls, 5);
    EXPECT_FALSE(fs::exists(output_));
    EXPECT_FALSE(fs::exists(output_ + ".part"));

    const std::string nowhere = media().dir + "/no-such-folder/out.mp4";
    KvPlaySpanRequest unwritable = request(media().mp4, start, start + 500'000);
    unwritable.output = nowhere.c_str();
    EXPECT_EQ(KvPlayExportSpan(&unwritable, &result), KV_ERR_IO);
    KvPlaySpanRequest missing = request(media().missing, start, start + 1);
    EXPECT_EQ(KvPlayExportSpan(&missing, &result), KV_ERR_OPEN);
    EXPECT_EQ(KvPlayExportSpan(nullptr, &result), KV_ERR_PARAM);
}

} // namespace
} // namespace kvtest
