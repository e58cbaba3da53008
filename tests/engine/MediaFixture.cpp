#include "MediaFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

namespace fs = std::filesystem;

namespace kvtest {

namespace {

const std::string kVideo = "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2";
const std::string kH264 = "-c:v libx264 -preset veryfast -bf 0 -g 25 -pix_fmt yuv420p";

struct MediaDir {
    Media m;
    MediaDir()
    {
        char tmpl[] = "/tmp/kvplay-test-XXXXXX";
        m.dir = mkdtemp(tmpl);
        // No audio device in CI; SDL's dummy driver keeps sound code running.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        m.mp4 = m.dir + "/clip.rf";
        m.avi = m.dir + "/clip.lf";
        m.ts = m.dir + "/clip.UAF";
        m.raw264 = m.dir + "/clip.Qzip";
        m.mkvTags = m.dir + "/tags.mkv";
        m.audioOnly = m.dir + "/sound.rf";
        m.halves = m.dir + "/halves.mp4";
        m.missing = m.dir + "/missing.mp4";
        m.empty = m.dir + "/empty.mp4";
        m.garbage = m.dir + "/garbage.avi";
        m.noMoov = m.dir + "/nomoov.mp4";
        const std::string audio = " -f lavfi -i sine=frequency=440:sample_rate=8000:duration=2 ";
        bool ok = runFfmpeg(kVideo + audio + kH264 +
                            " -c:a aac -metadata creation_time=2024-05-06T07:08:09Z -f mp4 " + m.mp4);
        ok = ok && runFfmpeg(kVideo + audio + " -c:v mjpeg -q:v 5 -c:a pcm_s16le -f avi " + m.avi);
        ok = ok && runFfmpeg(kVideo + audio + kH264 + " -c:a mp2 -f mpegts " + m.ts);
        ok = ok && runFfmpeg(kVideo + " " + kH264 + " -f h264 " + m.raw264);
        ok = ok && runFfmpeg(kVideo + " " + kH264 +
                             " -metadata mac=00:11:22:33:44:55 -metadata serial=SN123 -metadata channel=3"
                             " -metadata device_type=NVR-8 -metadata creation_time=2023-11-14T22:13:20Z"
                             " -f matroska " + m.mkvTags);
        ok = ok && runFfmpeg(audio + " -c:a pcm_alaw -f wav " + m.audioOnly);
        ok = ok && runFfmpeg("-f lavfi -i color=c=red:size=320x240:rate=25:duration=1 -vf "
                             "drawbox=x=0:y=0:w=160:h=240:color=blue:t=fill " + kH264 + " -f mp4 " + m.halves);
        std::ofstream(m.empty, std::ios::binary).flush();
        std::mt19937 rng(42);
        std::ofstream g(m.garbage, std::ios::binary);
        for (int i = 0; i < 65536; ++i)
            g.put(static_cast<char>(rng() & 0xff));
        g.close();
        const std::string fullMp4 = m.dir + "/full.mp4";
        ok = ok && runFfmpeg(kVideo + " " + kH264 + " -f mp4 " + fullMp4);
        fs::resize_file(fullMp4, fs::file_size(fullMp4) / 2);
        fs::rename(fullMp4, m.noMoov);
        if (!ok)
            std::fprintf(stderr, "media generation failed in %s\n", m.dir.c_str());
    }
    ~MediaDir()
    {
        std::error_code ec;
        fs::remove_all(m.dir, ec);
    }
};

} // namespace

const Media& media()
{
    static MediaDir dir;
    return dir.m;
}

bool runFfmpeg(const std::string& args)
{
    const std::string cmd = "ffmpeg -nostdin -hide_banner -loglevel error -y " + args;
    return std::system(cmd.c_str()) == 0;
}

bool waitUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!cond()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TestTarget::TestTarget(int width, int height) : width_(width), height_(height)
{
    target_.user = this;
    target_.present = &TestTarget::present;
    target_.size = &TestTarget::size;
}

void TestTarget::setSize(int width, int height)
{
    std::lock_guard lock(mutex_);
    width_ = width;
    height_ = height;
}

void TestTarget::present(void* user, const uint8_t* bgra, int32_t w, int32_t h, int32_t stride)
{
    auto* self = static_cast<TestTarget*>(user);
    std::lock_guard lock(self->mutex_);
    self->last_.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    for (int y = 0; y < h; ++y) {
        std::copy_n(bgra + static_cast<ptrdiff_t>(y) * stride, w * 4,
                    self->last_.data() + static_cast<ptrdiff_t>(y) * w * 4);
    }
    self->lastW_ = w;
    self->lastH_ = h;
    ++self->presents_;
    self->cv_.notify_all();
}

void TestTarget::size(void* user, int32_t* w, int32_t* h)
{
    auto* self = static_cast<TestTarget*>(user);
    std::lock_guard lock(self->mutex_);
    *w = self->width_;
    *h = self->height_;
}

int TestTarget::presents() const
{
    std::lock_guard lock(mutex_);
    return presents_;
}

int TestTarget::lastWidth() const
{
    std::lock_guard lock(mutex_);
    return lastW_;
}

int TestTarget::lastHeight() const
{
    std::lock_guard lock(mutex_);
    return lastH_;
}

uint32_t TestTarget::lastPixel(int x, int y) const
{
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || x >= lastW_ || y >= lastH_)
        return 0;
    const uint8_t* p = last_.data() + (static_cast<ptrdiff_t>(y) * lastW_ + x) * 4;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool TestTarget::waitPresents(int count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, timeout, [&] { return presents_ >= count; });
}

void MessageSink::callback(int32_t message, void* context)
{
    auto* self = static_cast<MessageSink*>(context);
    std::lock_guard lock(self->mutex_);
    if (message == KV_MSG_END_OF_FILE)
        ++self->endOfFile_;
    else
        ++self->other_;
    self->cv_.notify_all();
}

int MessageSink::count(int32_t message) const
{
    std::lock_guard lock(mutex_);
    return message == KV_MSG_END_OF_FILE ? endOfFile_ : other_;
}

bool MessageSink::wait(int32_t message, int times, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, timeout, [&] {
        return (message == KV_MSG_END_OF_FILE ? endOfFile_ : other_) >= times;
    });
}

void EngineTest::SetUp()
{
    media();
    ASSERT_EQ(KvPlayInitPlayLib(0, 0, 0), KV_OK);
}

void EngineTest::TearDown() { KvPlayDeinitPlayLib(); }

uint32_t EngineTest::openFile(const std::string& path)
{
    const uint32_t h = KvPlayCreatePlayInstance(0);
    EXPECT_NE(h, 0u);
    EXPECT_EQ(KvPlayOpenPlayFile(h, path.c_str()), KV_OK) << path;
    return h;
}

} // namespace kvtest
