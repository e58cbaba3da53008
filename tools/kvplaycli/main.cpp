// kvplaycli: plays one file through kvplay.h into a null or PNG render target
// and reports what happened.
//
//   kvplaycli FILE [--mode CODE] [--size WxH] [--png OUT.png]
//                  [--snapshot SNAP.png] [--clip CLIP.ext]
#include "PngFile.h"
#include "kvplay.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Options {
    std::string file;
    int mode = KV_MODE_PLAY;
    int width = 320;
    int height = 180;
    std::string png;
    std::string snapshot;
    std::string clip;
};

// Render target that counts frames and, with a PNG path, keeps the last one.
struct Target {
    std::mutex mutex;
    std::condition_variable cv;
    int width = 0;
    int height = 0;
    bool keep = false;
    long frames = 0;
    int lastW = 0;
    int lastH = 0;
    std::vector<uint8_t> last;
    bool ended = false;

    static void present(void* user, const uint8_t* bgra, int32_t w, int32_t h, int32_t stride)
    {
        auto* t = static_cast<Target*>(user);
        std::lock_guard lock(t->mutex);
        ++t->frames;
        if (!t->keep)
            return;
        t->last.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
        for (int y = 0; y < h; ++y)
            std::memcpy(t->last.data() + static_cast<ptrdiff_t>(y) * w * 4, bgra + static_cast<ptrdiff_t>(y) * stride,
                        static_cast<size_t>(w) * 4);
        t->lastW = w;
        t->lastH = h;
    }
    static void size(void* user, int32_t* w, int32_t* h)
    {
        auto* t = static_cast<Target*>(user);
        *w = t->width;
        *h = t->height;
    }
    static void message(int32_t msg, void* context)
    {
        auto* t = static_cast<Target*>(context);
        std::lock_guard lock(t->mutex);
        if (msg == KV_MSG_END_OF_FILE)
            t->ended = true;
        t->cv.notify_all();
    }
};

std::string isoTime(uint64_t us)
{
    const auto secs = static_cast<std::time_t>(us / 1000000);
    std::tm tm{};
    gmtime_r(&secs, &tm);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%06uZ", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<unsigned>(us % 1000000));
    return buf;
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--mode" && hasValue)
            o.mode = std::atoi(argv[++i]);
        else if (a == "--size" && hasValue)
            std::sscanf(argv[++i], "%dx%d", &o.width, &o.height);
        else if (a == "--png" && hasValue)
            o.png = argv[++i];
        else if (a == "--snapshot" && hasValue)
            o.snapshot = argv[++i];
        else if (a == "--clip" && hasValue)
            o.clip = argv[++i];
        else if (o.file.empty() && a.rfind("--", 0) != 0)
            o.file = a;
        else
            return false;
    }
    return !o.file.empty();
}

int clipKind(const std::string& path)
{
    const std::string ext = path.substr(path.find_last_of('.') + 1);
    if (ext == "rf" || ext == "264" || ext == "265" || ext == "lf")
        return KV_CLIP_RAW;
    if (ext == "avi")
        return KV_CLIP_AVI;
    if (ext == "mp4")
        return KV_CLIP_MP4;
    return KV_CLIP_SOURCE;
}

int play(uint32_t h, const Options& o, Target& target)
{
    uint64_t start = 0;
    uint64_t end = 0;
    KvPlayGetPlayFileTimeRange(h, &start, &end);
    std::printf("range: %s .. %s (%.3f s)\n", isoTime(start).c_str(), isoTime(end).c_str(),
                static_cast<double>(end - start) / 1e6);
    const KvRenderTarget rt{&target, &Target::present, &Target::size};
    KvPlaySetPlayWnd(h, &rt);
    KvPlaySetCallbackMessageEx(h, &Target::message, &target);
    KvPlaySetPlayMode(h, o.mode, 0);
    if (int rc = KvPlayStartPlay(h); rc != KV_OK) {
        std::printf("start failed: %d\n", rc);
        return 1;
    }
    std::string picture;
    if (!o.clip.empty()) {
        while (KvPlayGetCurPlayedTime(h) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        picture = o.clip.substr(0, o.clip.find_last_of('.')) + ".png";
        const KvPlayLocalRecordRequest req{0, o.clip.c_str(), picture.c_str(), clipKind(o.clip), 0, 0, 0};
        std::printf("clip start: %d\n", KvPlayStartlocalrecordFile(h, &req));
    }
    std::unique_lock lock(target.mutex);
    const bool ended = target.cv.wait_for(lock, std::chrono::minutes(10), [&] { return target.ended; });
    lock.unlock();
    std::printf("end message: %s\n", ended ? "11" : "none (timeout)");
    if (!o.clip.empty()) {
        uint64_t times[2] = {};
        uint32_t packets = 0;
        const int rc = KvPlayStoplocalrecord(h, times, &packets);
        std::printf("clip: %s (%d, %u packets, %.3f s), picture %s\n", o.clip.c_str(), rc, packets,
                    static_cast<double>(times[1] - times[0]) / 1e6, picture.c_str());
    }
    if (!o.snapshot.empty()) {
        KvPlayCaptureRecord rec{};
        std::snprintf(rec.path, sizeof rec.path, "%s", o.snapshot.c_str());
        rec.format = 256;
        std::printf("snapshot: %s (%d)\n", o.snapshot.c_str(), KvPlayCapturePicture(h, &rec));
    }
    KvPlayStopPlay(h);
    std::lock_guard done(target.mutex);
    std::printf("frames shown: %ld\n", target.frames);
    if (!o.png.empty()) {
        const bool ok = writeBgraPng(o.png, target.last.data(), target.lastW, target.lastH, target.lastW * 4);
        std::printf("last frame: %s (%s)\n", o.png.c_str(), ok ? "written" : "failed");
    }
    return ended ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: kvplaycli FILE [--mode CODE] [--size WxH] [--png OUT.png] "
                             "[--snapshot SNAP.png] [--clip CLIP.ext]\n");
        return 2;
    }
    Target target;
    target.width = o.width;
    target.height = o.height;
    target.keep = !o.png.empty();
    KvPlayInitPlayLib(0, 0, 0);
    const uint32_t h = KvPlayCreatePlayInstance(0);
    const int rc = KvPlayOpenPlayFile(h, o.file.c_str());
    int status = 1;
    if (rc != KV_OK)
        std::printf("open failed: %d\n", rc);
    else
        status = play(h, o, target);
    KvPlayDestroyPlayInstance(h);
    KvPlayDeinitPlayLib();
    return status;
}
