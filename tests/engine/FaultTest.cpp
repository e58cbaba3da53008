// Damaged and vanishing files: each opens and fails cleanly, or plays what
// it can and then ends with message 11.
#include "MediaFixture.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>
#include <unistd.h>

namespace kvtest {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::vector<char> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<char>& data)
{
    std::ofstream out(path, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

class FaultTest : public EngineTest {
protected:
    // Plays path fast; true when it opened. An opened file must end with 11.
    bool playsOrFails(const std::string& path)
    {
        const uint32_t h = KvPlayCreatePlayInstance(0);
        EXPECT_NE(h, 0u);
        if (KvPlayOpenPlayFile(h, path.c_str()) != KV_OK) {
            KvPlayDestroyPlayInstance(h);
            return false;
        }
        TestTarget target(32, 24);
        MessageSink sink;
        KvPlaySetPlayWnd(h, target.target());
        KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
        KvPlaySetPlayMode(h, KV_MODE_FAST4, 0);
        EXPECT_EQ(KvPlayStartPlay(h), KV_OK);
        EXPECT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s)) << path;
        KvPlayDestroyPlayInstance(h);
        return true;
    }
    std::string copyNamed(const std::string& name, const std::vector<char>& data)
    {
        const std::string path = media().dir + "/" + name;
        writeAll(path, data);
        return path;
    }
};

TEST_F(FaultTest, TruncatedFilesPlayToTheCut)
{
    for (const std::string& src : {media().ts, media().raw264, media().avi}) {
        std::vector<char> data = readAll(src);
        data.resize(data.size() * 3 / 5 + 7); // mid-packet
        EXPECT_TRUE(playsOrFails(copyNamed("cut-" + fs::path(src).filename().string(), data))) << src;
    }
}

TEST_F(FaultTest, RandomBytesInTheMiddle)
{
    std::mt19937 rng(7);
    for (const std::string& src : {media().ts, media().raw264, media().avi, media().mp4}) {
        std::vector<char> data = readAll(src);
        for (size_t i = data.size() / 3; i < data.size() / 3 + 4096 && i < data.size(); ++i)
            data[i] = static_cast<char>(rng() & 0xff);
        playsOrFails(copyNamed("noise-" + fs::path(src).filename().string(), data));
    }
}

TEST_F(FaultTest, AbsurdDimensionsInTheHeaderNeverReachTheDecoder)
{
    std::vector<char> data = readAll(media().avi);
    const std::string tag = "strf";
    auto it = std::search(data.begin(), data.end(), tag.begin(), tag.end());
    ASSERT_NE(it, data.end());
    const auto at = static_cast<size_t>(it - data.begin()) + 8 + 4;
    const int32_t huge = 1 << 20;
    std::memcpy(&data[at], &huge, 4);
    std::memcpy(&data[at + 4], &huge, 4);
    const std::string path = copyNamed("huge.avi", data);
    if (playsOrFails(path)) {
        const uint32_t h = openFile(path);
        int32_t w = 0;
        int32_t ht = 0;
        // Either the video is refused (sound only) or the real size was found.
        if (KvPlayGetPlayPicSize(h, &w, &ht) == KV_OK) {
            EXPECT_LE(static_cast<int64_t>(w) * ht, 8192LL * 8192);
        }
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(FaultTest, FileDeletedWhilePlaying)
{
    const std::string path = copyNamed("doomed.ts", readAll(media().ts));
    TestTarget target(32, 24);
    MessageSink sink;
    const uint32_t h = openFile(path);
    KvPlaySetPlayWnd(h, target.target());
    KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
    ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
    ASSERT_TRUE(target.waitPresents(1, 10s));
    ASSERT_EQ(unlink(path.c_str()), 0);
    KvPlaySetPlayMode(h, KV_MODE_FAST16, 0);
    EXPECT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    KvPlayDestroyPlayInstance(h);
}

TEST_F(FaultTest, SixteenInstancesAtOnce)
{
    struct Slot {
        TestTarget target{32, 24};
        MessageSink sink;
        uint32_t h = 0;
    };
    std::vector<std::unique_ptr<Slot>> slots;
    const std::string files[] = {media().mp4, media().ts, media().raw264, media().avi};
    for (int i = 0; i < 16; ++i) {
        auto s = std::make_unique<Slot>();
        s->h = openFile(files[i % 4]);
        KvPlaySetPlayWnd(s->h, s->target.target());
        KvPlaySetCallbackMessageEx(s->h, &MessageSink::callback, &s->sink);
        KvPlaySetPlayMode(s->h, KV_MODE_FAST4, 0);
        ASSERT_EQ(KvPlayStartPlay(s->h), KV_OK);
        slots.push_back(std::move(s));
    }
    for (auto& s : slots)
        EXPECT_TRUE(s->sink.wait(KV_MSG_END_OF_FILE, 1, 60s));
    // Deinit tears down whatever is left.
}

} // namespace
} // namespace kvtest
