// bench_tiles [--load L] FILE N SECONDS [W H [MODE]]
// N instances of FILE play through kvplay.h into W x H targets (default
// 320 x 180). --load L keeps L processes spinning at normal priority for the
// whole run, the reference tools' runs included.
//
// MODE 1 (default): real time for SECONDS; then N `ffmpeg -re` processes
// scale the same file to the same size for the same time, and so do N
// `mpv --vo=null` processes when mpv is on PATH. Prints the CPU times, the
// ratios, and the share of frames we showed late or dropped once all N run,
// and the largest lag of any window behind its clock (see LagMeter; windows
// that reached their end no longer count). For ffmpeg, how far it fell behind: its wall time past the
// length it played.
// The reference processes run SECONDS + 1 s, as long as the library did.
//
// MODE 16..19 (x2..x16): every instance plays the whole file at that speed
// until it reports its end; then N ffmpeg processes decode and scale the
// whole file as fast as they go, with `-skip_frame nokey` for x8 and x16,
// where the library decodes keyframes only. SECONDS is ignored.
#include "BenchUtil.h"
#include "BusyLoad.h"
#include "kvplay.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Counter {
    int width;
    int height;
    std::atomic<long> frames{0};
    std::atomic<int> ended{0};
    static void present(void* user, const uint8_t*, int32_t, int32_t, int32_t)
    {
        static_cast<Counter*>(user)->frames.fetch_add(1);
    }
    static void size(void* user, int32_t* w, int32_t* h)
    {
        *w = static_cast<Counter*>(user)->width;
        *h = static_cast<Counter*>(user)->height;
    }
    static void message(int32_t msg, void* user)
    {
        if (msg == KV_MSG_END_OF_FILE)
            static_cast<Counter*>(user)->ended.store(1);
    }
};

struct Tiles {
    std::vector<std::unique_ptr<Counter>> counters;
    std::vector<uint32_t> handles;

    bool open(const std::string& file, int n, int w, int h, int mode)
    {
        for (int i = 0; i < n; ++i) {
            auto c = std::make_unique<Counter>();
            c->width = w;
            c->height = h;
            const uint32_t hd = KvPlayCreatePlayInstance(0);
            if (KvPlayOpenPlayFile(hd, file.c_str()) != KV_OK) {
                std::fprintf(stderr, "cannot open %s\n", file.c_str());
                return false;
            }
            const KvRenderTarget target{c.get(), &Counter::present, &Counter::size};
            KvPlaySetPlayWnd(hd, &target);
            KvPlaySetCallbackMessageEx(hd, &Counter::message, c.get());
            KvPlaySetPlayMode(hd, mode, 0);
            KvPlayStartPlay(hd);
            handles.push_back(hd);
            counters.push_back(std::move(c));
        }
        return true;
    }
    long frames() const
    {
        long sum = 0;
        for (const auto& c : counters)
            sum += c->frames.load();
        return sum;
    }
    int ended() const
    {
        int sum = 0;
        for (const auto& c : counters)
            sum += c->ended.load();
        return sum;
    }
    void close()
    {
        for (uint32_t hd : handles)
            KvPlayDestroyPlayInstance(hd);
    }
};

std::vector<std::string> ffmpegScale(const std::string& file, int w, int h, const std::vector<std::string>& input)
{
    std::vector<std::string> cmd{"ffmpeg", "-nostdin"};
    cmd.insert(cmd.end(), input.begin(), input.end());
    const std::string size = "scale=" + std::to_string(w) + ":" + std::to_string(h);
    cmd.insert(cmd.end(), {"-i", file, "-vf", size, "-pix_fmt", "bgra", "-f", "null", "-"});
    return cmd;
}

// Samples each window's position against the wall clock while it runs.
// A window's lag is how late a picture comes up against the clock: each time
// the position changes, the wall time minus the new position, measured from
// the best moment that window had. Its hold is the same measure taken at
// every sample, so it also grows while a window holds a picture (skipping to
// the next keyframe holds the last one shown until the keyframe is due).
class LagMeter {
public:
    explicit LagMeter(const Tiles& tiles)
        : tiles_(tiles), windows_(tiles.handles.size())
    {
        thread_ = std::thread([this] { run(); });
    }
    ~LagMeter() { stop(); }
    LagMeter(const LagMeter&) = delete;
    LagMeter& operator=(const LagMeter&) = delete;
    void stop()
    {
        stop_.store(true);
        if (thread_.joinable())
            thread_.join();
    }
    // The largest lag and hold of any window, in ms.
    double largestLagMs() const { return largest(&Window::lag); }
    double longestHoldMs() const { return largest(&Window::hold); }

private:
    struct Window {
        uint64_t pos = 0;
        int64_t best = INT64_MAX;
        int64_t lag = 0;
        int64_t hold = 0;
    };

    double largest(int64_t Window::*field) const
    {
        int64_t most = 0;
        for (const Window& w : windows_)
            most = std::max(most, w.*field);
        return static_cast<double>(most) / 1000.0;
    }

    void run()
    {
        while (!stop_.load()) {
            const auto wallUs = static_cast<int64_t>(bench::nowS() * 1e6);
            for (size_t i = 0; i < windows_.size(); ++i) {
                // A window that reached its end holds its last picture.
                const uint64_t pos = KvPlayGetCurPlayedTime(tiles_.handles[i]);
                if (pos == 0 || tiles_.counters[i]->ended.load() != 0)
                    continue;
                Window& w = windows_[i];
                const int64_t offset = wallUs - static_cast<int64_t>(pos);
                if (pos != w.pos) {
                    w.pos = pos;
                    w.best = std::min(w.best, offset);
                    w.lag = std::max(w.lag, offset - w.best);
                }
                w.hold = std::max(w.hold, offset - w.best);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    const Tiles& tiles_;
    std::vector<Window> windows_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

int realTime(const std::string& file, int n, double secs, int w, int h)
{
    Tiles tiles;
    const double cpu0 = bench::selfCpuS();
    const double t0 = bench::nowS();
    if (!tiles.open(file, n, w, h, KV_MODE_PLAY))
        return 1;
    // Frames are counted once every instance runs, so opening 16 files one
    // after the other does not count as frames missed.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long before = tiles.frames();
    const int inHardware = KvPlayGetHardwareDecodeCount();
    const double steady0 = bench::nowS();
    LagMeter lag(tiles);
    std::this_thread::sleep_for(std::chrono::duration<double>(secs));
    lag.stop();
    const double steady = bench::nowS() - steady0;
    const double wall = bench::nowS() - t0;
    const long frames = tiles.frames() - before;
    tiles.close();
    const double ours = bench::selfCpuS() - cpu0;
    const double expected = steady * 25.0 * n;
    const double missed = expected > 0 ? 100.0 * (1.0 - static_cast<double>(frames) / expected) : 0;

    const std::string len = std::to_string(secs + 1);
    const bench::Cost ff = bench::runCopies(ffmpegScale(file, w, h, {"-re", "-t", len}), n);
    std::printf("tiles: %d x %s at %dx%d for %.1f s, %d decoding in hardware\n", n, file.c_str(), w, h, wall,
                inHardware);
    std::printf("  kvplay   cpu %.2f s (%.2f cores), frames shown in the last %.1f s %ld of ~%.0f (%.2f %% late or dropped)\n", ours,
                ours / wall, steady, frames, expected, missed);
    std::printf("largest lag: %.0f ms\n", lag.largestLagMs());
    std::printf("  longest hold of a picture behind the clock: %.0f ms\n", lag.longestHoldMs());
    std::printf("  ffmpeg   cpu %.2f s (%.2f cores), wall %.1f s, behind by %.1f s at its end\n", ff.cpuS,
                ff.cpuS / ff.wallS, ff.wallS, std::max(0.0, ff.wallS - (secs + 1)));
    std::printf("  ratio    kvplay/ffmpeg cpu = %.2f\n", ff.cpuS > 0 ? ours / ff.cpuS : 0.0);
    if (!bench::onPath("mpv"))
        return 0;
    const std::string filter = "lavfi=[scale=" + std::to_string(w) + ":" + std::to_string(h) + ",format=bgra]";
    const bench::Cost mpv = bench::runCopies({"mpv", "--no-config", "--really-quiet", "--hwdec=no", "--vo=null",
                                              "--ao=null", "--length=" + len, "--vf=" + filter, file},
                                             n);
    std::printf("  mpv      cpu %.2f s (%.2f cores), wall %.1f s\n", mpv.cpuS, mpv.cpuS / mpv.wallS, mpv.wallS);
    std::printf("  ratio    kvplay/mpv cpu = %.2f\n", mpv.cpuS > 0 ? ours / mpv.cpuS : 0.0);
    return 0;
}

int wholeFile(const std::string& file, int n, int w, int h, int mode)
{
    Tiles tiles;
    const double cpu0 = bench::selfCpuS();
    const double t0 = bench::nowS();
    if (!tiles.open(file, n, w, h, mode))
        return 1;
    while (tiles.ended() < n && bench::nowS() - t0 < 600)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const double wall = bench::nowS() - t0;
    const long frames = tiles.frames();
    const int ended = tiles.ended();
    tiles.close();
    const double ours = bench::selfCpuS() - cpu0;

    const bool keyOnly = mode == KV_MODE_FAST8 || mode == KV_MODE_FAST16;
    const std::vector<std::string> input = keyOnly ? std::vector<std::string>{"-skip_frame", "nokey"}
                                                   : std::vector<std::string>{};
    const bench::Cost ff = bench::runCopies(ffmpegScale(file, w, h, input), n);
    std::printf("tiles: %d x %s at %dx%d, mode %d, whole file\n", n, file.c_str(), w, h, mode);
    std::printf("  kvplay   cpu %.2f s, wall %.2f s, %d of %d ended, %ld frames shown\n", ours, wall, ended, n, frames);
    std::printf("  ffmpeg%s cpu %.2f s, wall %.2f s\n", keyOnly ? " -skip_frame nokey" : "", ff.cpuS, ff.wallS);
    std::printf("  ratio    kvplay/ffmpeg cpu = %.2f\n", ff.cpuS > 0 ? ours / ff.cpuS : 0.0);
    return ended == n ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    int load = 0;
    if (argc > 2 && std::string(argv[1]) == "--load") {
        load = std::atoi(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc < 4 || load < 0) {
        std::fprintf(stderr, "usage: bench_tiles [--load L] FILE N SECONDS [W H [MODE [HW]]]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int n = std::atoi(argv[2]);
    const double secs = std::atof(argv[3]);
    const int w = argc > 5 ? std::atoi(argv[4]) : 320;
    const int h = argc > 5 ? std::atoi(argv[5]) : 180;
    const int mode = argc > 6 ? std::atoi(argv[6]) : KV_MODE_PLAY;
    if (mode != KV_MODE_PLAY && (mode < KV_MODE_FAST2 || mode > KV_MODE_FAST16)) {
        std::fprintf(stderr, "MODE: 1 or 16..19\n");
        return 2;
    }
    // Forked before the library starts threads of its own.
    const bench::BusyLoad busy(load);
    if (load > 0)
        std::printf("load: %d busy processes\n", busy.size());
    KvPlayInitPlayLib(0, 0, 0);
    if (argc > 7 && KvPlaySetMaxHardwareDecodeNumber(std::atoi(argv[7])) != KV_OK) {
        std::fprintf(stderr, "HW: 0 or more\n");
        return 2;
    }
    const int rc = mode == KV_MODE_PLAY ? realTime(file, n, secs, w, h) : wholeFile(file, n, w, h, mode);
    KvPlayDeinitPlayLib();
    return rc;
}
