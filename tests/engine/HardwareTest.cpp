// Hardware decoding: the slots shared by all instances, the choices made on
// the way to a VA-API decoder, and the fall back to software wherever the
// machine, the device or the codec says no. Development and CI machines have
// no render node, so the hardware path itself is only reached up to the
// device's refusal; a fake node stands in for one that will not open.
#include "MediaFixture.h"

#include "HardwareDecode.h"
#include "HardwareSlots.h"
#include "MediaSource.h"
#include "VideoCodec.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace kvtest {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using kvplay::DecodePath;
using kvplay::HardwareSlots;
using kvplay::VideoCodec;

constexpr int kMp4Frames = 50;

// A folder of its own under the test media, made empty.
std::string freshFolder(const std::string& name)
{
    const std::string dir = media().dir + "/" + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A folder whose render node is a plain file: found, but no device opens.
std::string fakeRenderNodes()
{
    const std::string dir = freshFolder("fake-dri");
    std::ofstream(dir + "/card0").flush();
    std::ofstream(dir + "/renderD128").flush();
    return dir;
}

const std::string& ffv1File()
{
    static const std::string path = [] {
        const std::string p = media().dir + "/lossless.mkv";
        runFfmpeg("-f lavfi -i testsrc2=size=160x120:rate=25:duration=1 -c:v ffv1 -f matroska " + p);
        return p;
    }();
    return path;
}

struct DecodeRun {
    bool opened = false;
    DecodePath path = DecodePath::NotAllowed;
    bool inHardware = true;
    int pictures = 0;
    bool allInMemory = true;
};

// Decodes every video packet of path through a VideoCodec, as the decoder
// thread does.
DecodeRun decodeAll(const std::string& path, const VideoCodec::Setup& setup)
{
    DecodeRun run;
    int err = 0;
    const std::unique_ptr<kvplay::MediaSource> source = kvplay::MediaSource::openFile(path, {}, err);
    if (!source || !source->videoStream())
        return run;
    VideoCodec codec;
    run.opened = codec.open(*source->videoStream(), setup);
    run.path = codec.path();
    run.inHardware = codec.inHardware();
    if (!run.opened)
        return run;
    const auto take = [&](const AVPacket* pkt) {
        codec.send(pkt);
        kvplay::FramePtr frame = kvplay::makeFrame();
        while (codec.receive(frame) >= 0) {
            const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame->format));
            run.allInMemory = run.allInMemory && d && !(d->flags & AV_PIX_FMT_FLAG_HWACCEL);
            ++run.pictures;
            frame = kvplay::makeFrame();
        }
    };
    for (const kvplay::PacketPtr& pkt : source->takePreread()) {
        if (pkt->stream_index == source->videoIndex())
            take(pkt.get());
    }
    kvplay::PacketPtr pkt = kvplay::makePacket();
    while (av_read_frame(source->format(), pkt.get()) >= 0) {
        if (pkt->stream_index == source->videoIndex())
            take(pkt.get());
        av_packet_unref(pkt.get());
    }
    take(nullptr);
    return run;
}

TEST(HardwareSlotsTest, HandsOutUpToTheLimitAndTakesSlotsBackWhenDropped)
{
    HardwareSlots slots(2);
    HardwareSlots::Slot a = slots.acquire();
    HardwareSlots::Slot b = slots.acquire();
    EXPECT_TRUE(a && b);
    EXPECT_FALSE(slots.acquire());
    EXPECT_EQ(slots.inUse(), 2);

    HardwareSlots::Slot moved = std::move(a);
    EXPECT_FALSE(a);
    EXPECT_EQ(slots.inUse(), 2);
    moved.release();
    moved.release();
    EXPECT_EQ(slots.inUse(), 1);
    {
        const HardwareSlots::Slot c = slots.acquire();
        EXPECT_TRUE(c);
        EXPECT_EQ(slots.inUse(), 2);
    }
    EXPECT_EQ(slots.inUse(), 1);
    b = slots.acquire();
    EXPECT_EQ(slots.inUse(), 1) << "assigning over a held slot gives the old one back";
}

TEST(HardwareSlotsTest, ALowerLimitStopsNewStreamsAndLeavesRunningOnesAlone)
{
    HardwareSlots slots(3);
    HardwareSlots::Slot a = slots.acquire();
    HardwareSlots::Slot b = slots.acquire();
    slots.setLimit(0);
    EXPECT_FALSE(slots.acquire());
    EXPECT_EQ(slots.inUse(), 2);
    a.release();
    b.release();
    EXPECT_EQ(slots.inUse(), 0);
    EXPECT_FALSE(slots.acquire());
    slots.setLimit(-4);
    EXPECT_EQ(slots.limit(), 0);
    slots.setLimit(1);
    EXPECT_TRUE(slots.acquire());
}

TEST(HardwareSlotsTest, ThreadsTogetherNeverHoldMoreThanTheLimit)
{
    HardwareSlots slots(3);
    std::atomic<int> held{0};
    std::atomic<int> most{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                HardwareSlots::Slot slot = slots.acquire();
                if (!slot)
                    continue;
                const int now = ++held;
                int seen = most.load();
                while (now > seen && !most.compare_exchange_weak(seen, now)) {
                }
                --held;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_LE(most.load(), 3);
    EXPECT_GE(most.load(), 1);
    EXPECT_EQ(slots.inUse(), 0);
}

TEST(HardwareDecodeTest, FindsTheFirstRenderNodeOnly)
{
    const std::string dir = freshFolder("dri");
    EXPECT_EQ(kvplay::findRenderNode(dir), "");
    std::ofstream(dir + "/card0").flush();
    EXPECT_EQ(kvplay::findRenderNode(dir), "");
    std::ofstream(dir + "/renderD129").flush();
    std::ofstream(dir + "/renderD128").flush();
    EXPECT_EQ(kvplay::findRenderNode(dir), dir + "/renderD128");
    EXPECT_EQ(kvplay::findRenderNode(dir + "/missing"), "");
}

TEST(HardwareDecodeTest, TakesSurfacesOnlyWhenAllowedAndElseTheFirstFormatInMemory)
{
    const AVPixelFormat both[] = {AV_PIX_FMT_CUDA, AV_PIX_FMT_VAAPI, AV_PIX_FMT_NV12, AV_PIX_FMT_YUV420P,
                                  AV_PIX_FMT_NONE};
    EXPECT_EQ(kvplay::chooseFormat(both, true), AV_PIX_FMT_VAAPI);
    EXPECT_EQ(kvplay::chooseFormat(both, false), AV_PIX_FMT_NV12);
    const AVPixelFormat memoryOnly[] = {AV_PIX_FMT_YUV420P, AV_PIX_FMT_NONE};
    EXPECT_EQ(kvplay::chooseFormat(memoryOnly, true), AV_PIX_FMT_YUV420P);
    const AVPixelFormat surfacesOnly[] = {AV_PIX_FMT_VAAPI, AV_PIX_FMT_NONE};
    EXPECT_EQ(kvplay::chooseFormat(surfacesOnly, false), AV_PIX_FMT_NONE);
}

TEST(HardwareDecodeTest, KnowsWhichCodecsDecodeThroughVaapi)
{
    const AVCodec* h264 = avcodec_find_decoder(AV_CODEC_ID_H264);
    const AVCodec* ffv1 = avcodec_find_decoder(AV_CODEC_ID_FFV1);
    ASSERT_TRUE(h264 && ffv1);
    EXPECT_TRUE(kvplay::supportsVaapi(*h264));
    EXPECT_FALSE(kvplay::supportsVaapi(*ffv1));
    EXPECT_EQ(kvplay::openVaapiDevice(fakeRenderNodes() + "/renderD128"), nullptr);
}

TEST(VideoCodecTest, WithoutSlotsNeverLooksForTheDevice)
{
    HardwareSlots slots(0);
    // Not NoDevice, though the folder has no node: the slot is asked first.
    const DecodeRun run = decodeAll(media().mp4, {2, 0, &slots, media().dir + "/never-read"});
    EXPECT_TRUE(run.opened);
    EXPECT_EQ(run.path, DecodePath::NotAllowed);
    EXPECT_FALSE(run.inHardware);
    EXPECT_EQ(run.pictures, kMp4Frames);

    HardwareSlots full(1);
    const HardwareSlots::Slot taken = full.acquire();
    EXPECT_EQ(decodeAll(media().mp4, {2, 0, &full, fakeRenderNodes()}).path, DecodePath::NotAllowed);
    EXPECT_EQ(full.inUse(), 1);
}

TEST(VideoCodecTest, FallsBackToSoftwareAndGivesTheSlotBackWheneverHardwareSaysNo)
{
    HardwareSlots slots(2);
    struct Case {
        std::string file;
        std::string nodes;
        DecodePath path;
        int pictures;
    };
    const std::vector<Case> cases = {
        {media().mp4, freshFolder("no-dri"), DecodePath::NoDevice, kMp4Frames},
        {media().mp4, fakeRenderNodes(), DecodePath::DeviceRefused, kMp4Frames},
        {ffv1File(), fakeRenderNodes(), DecodePath::CodecRefused, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + c.nodes);
        const DecodeRun run = decodeAll(c.file, {2, 0, &slots, c.nodes});
        EXPECT_TRUE(run.opened);
        EXPECT_EQ(run.path, c.path);
        EXPECT_FALSE(run.inHardware);
        EXPECT_EQ(run.pictures, c.pictures);
        EXPECT_TRUE(run.allInMemory);
        EXPECT_EQ(slots.inUse(), 0);
    }
}

class HardwareLimitTest : public EngineTest {
protected:
    void TearDown() override
    {
        KvPlaySetMaxHardwareDecodeNumber(KV_DEFAULT_HARDWARE_DECODERS);
        EngineTest::TearDown();
    }
};

TEST_F(HardwareLimitTest, TheLimitIsKeptAndANegativeOneRefused)
{
    EXPECT_EQ(KvPlayGetMaxHardwareDecodeNumber(), KV_DEFAULT_HARDWARE_DECODERS);
    EXPECT_EQ(KvPlaySetMaxHardwareDecodeNumber(3), KV_OK);
    EXPECT_EQ(KvPlayGetMaxHardwareDecodeNumber(), 3);
    EXPECT_EQ(KvPlaySetMaxHardwareDecodeNumber(-1), KV_ERR_PARAM);
    EXPECT_EQ(KvPlayGetMaxHardwareDecodeNumber(), 3);
    EXPECT_EQ(KvPlaySetMaxHardwareDecodeNumber(0), KV_OK);
    EXPECT_EQ(KvPlayGetMaxHardwareDecodeNumber(), 0);
}

// Whatever the machine offers, instances play, hold no more slots than the
// limit between them, and give every slot back when they stop.
TEST_F(HardwareLimitTest, InstancesPlayWithinTheLimitAndReleaseTheirSlots)
{
    const bool device = !kvplay::findRenderNode(kvplay::kRenderNodeFolder).empty();
    ASSERT_EQ(KvPlaySetMaxHardwareDecodeNumber(2), KV_OK);
    std::vector<std::unique_ptr<TestTarget>> targets;
    std::vector<uint32_t> handles;
    for (int i = 0; i < 3; ++i) {
        targets.push_back(std::make_unique<TestTarget>(160, 120));
        const uint32_t h = openFile(media().mp4);
        ASSERT_EQ(KvPlaySetPlayWnd(h, targets.back()->target()), KV_OK);
        ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
        handles.push_back(h);
    }
    for (const auto& target : targets)
        EXPECT_TRUE(target->waitPresents(3, 10s));
    const int inUse = KvPlayGetHardwareDecodeCount();
    EXPECT_LE(inUse, 2);
    if (!device) {
        EXPECT_EQ(inUse, 0);
    }
    for (const uint32_t h : handles)
        EXPECT_EQ(KvPlayDestroyPlayInstance(h), KV_OK);
    EXPECT_EQ(KvPlayGetHardwareDecodeCount(), 0);
}

} // namespace
} // namespace kvtest
