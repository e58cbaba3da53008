// bench_sync FILE...: the files in as many instances that follow one
// recording-time clock, played through kvplay.h. Every 100 ms it reads the
// recording time each window shows and takes the largest difference between
// two windows whose file covers the clock's time: over 20 s at x1, 20 s at
// x4, and after seeks, where it also measures how long the windows take to
// agree again (within 40 ms, a frame at 25 fps). The first second after a
// start, a speed change or a seek is the recovery window and is left out of
// the largest skew. Beside it, for scale, ffmpeg decodes the same files at
// once in the same run.
#include "BenchUtil.h"
#include "kvplay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
constexpr int64_t kAgreeUs = 40000;
constexpr auto kSample = 100ms;
constexpr auto kRecovery = 1s;

void present(void*, const uint8_t*, int32_t, int32_t, int32_t) {}
void size(void*, int32_t* w, int32_t* h)
{
    *w = 320;
    *h = 180;
}
const KvRenderTarget kTarget{nullptr, &present, &size};

struct Window {
    uint32_t h = 0;
    uint64_t start = 0;
    uint64_t end = 0;
};

// Largest distance between the shown times of the windows covering t; -1
// while one of them shows nothing yet.
int64_t skewAt(const std::vector<Window>& windows, uint64_t t)
{
    uint64_t lo = UINT64_MAX;
    uint64_t hi = 0;
    for (const Window& w : windows) {
        if (t < w.start || t + kAgreeUs >= w.end)
            continue;
        const uint64_t shown = KvPlayGetCurPlayedTime(w.h);
        if (shown == 0)
            return -1;
        lo = std::min(lo, shown);
        hi = std::max(hi, shown);
    }
    return hi >= lo ? static_cast<int64_t>(hi - lo) : 0;
}

struct Run {
    uint32_t clock = 0;
    std::vector<Window> windows;
    int64_t largest = 0; // after the recovery windows
};

void seekClock(uint32_t clock, uint64_t t)
{
    KvPlaySetCurPlayedTime(clock, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32));
}

// Samples for span; the largest skew after the recovery window.
int64_t sample(Run& run, std::chrono::milliseconds span)
{
    const auto begin = std::chrono::steady_clock::now();
    int64_t largest = 0;
    while (std::chrono::steady_clock::now() - begin < span) {
        std::this_thread::sleep_for(kSample);
        const int64_t skew = skewAt(run.windows, KvPlayGetCurPlayedTime(run.clock));
        if (std::chrono::steady_clock::now() - begin >= kRecovery)
            largest = std::max(largest, skew < 0 ? INT64_MAX / 2 : skew);
    }
    run.largest = std::max(run.largest, largest);
    return largest;
}

// Time until the windows agree after a seek, ms; -1 when not within 5 s.
int recoveryMs(const Run& run)
{
    const auto begin = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - begin < 5s) {
        const int64_t skew = skewAt(run.windows, KvPlayGetCurPlayedTime(run.clock));
        if (skew >= 0 && skew <= kAgreeUs)
            return static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin).count());
        std::this_thread::sleep_for(10ms);
    }
    return -1;
}

bool open(Run& run, int argc, char** argv)
{
    run.clock = KvPlayCreatePlayInstance(KV_KIND_SYNC_CLOCK);
    for (int i = 1; i < argc; ++i) {
        Window w;
        w.h = KvPlayCreatePlayInstance(KV_KIND_FILE);
        if (w.h == 0 || KvPlayOpenPlayFile(w.h, argv[i]) != KV_OK ||
            KvPlayGetPlayFileTimeRange(w.h, &w.start, &w.end) != KV_OK) {
            std::fprintf(stderr, "bench_sync: cannot open %s\n", argv[i]);
            return false;
        }
        KvPlaySetPlayWnd(w.h, &kTarget);
        KvPlayStartPlay(w.h);
        KvPlayAddSyncPlayInstance(run.clock, w.h);
        run.windows.push_back(w);
    }
    return run.clock != 0;
}

void close(Run& run)
{
    for (const Window& w : run.windows)
        KvPlayDestroyPlayInstance(w.h);
    KvPlayDestroyPlayInstance(run.clock);
}

void playAndSeek(Run& run)
{
    uint64_t from = 0;
    uint64_t to = UINT64_MAX;
    for (const Window& w : run.windows) {
        from = std::max(from, w.start);
        to = std::min(to, w.end);
    }
    if (to <= from + 2'000'000)
        to = from + 2'000'000;
    seekClock(run.clock, from);
    KvPlaySetPlayMode(run.clock, KV_MODE_PLAY, 0);
    std::printf("x1, 20 s: largest skew %lld ms\n", static_cast<long long>(sample(run, 20s) / 1000));
    KvPlaySetPlayMode(run.clock, KV_MODE_FAST4, 0);
    std::printf("x4, 20 s: largest skew %lld ms\n", static_cast<long long>(sample(run, 20s) / 1000));
    KvPlaySetPlayMode(run.clock, KV_MODE_PLAY, 0);
    std::mt19937_64 random(14);
    int worst = 0;
    int64_t afterSeeks = 0;
    for (int i = 0; i < 5; ++i) {
        const uint64_t t = from + random() % (to - from - 1'000'000);
        seekClock(run.clock, t);
        const int ms = recoveryMs(run);
        worst = ms < 0 || worst < 0 ? -1 : std::max(worst, ms);
        afterSeeks = std::max(afterSeeks, sample(run, 3s));
    }
    std::printf("after 5 seeks at x1: recovery at most %d ms, then largest skew %lld ms\n", worst,
                static_cast<long long>(afterSeeks / 1000));
}

void reference(int argc, char** argv)
{
    if (!bench::onPath("ffmpeg"))
        return;
    std::vector<std::vector<std::string>> commands;
    for (int i = 1; i < argc; ++i)
        commands.push_back({"ffmpeg", "-nostdin", "-loglevel", "error", "-t", "20", "-i", argv[i], "-f", "null", "-"});
    const bench::Cost cost = bench::runTogether(commands);
    std::printf("ffmpeg, 20 s of each file decoded at once: %.1f s wall, %.1f s CPU\n", cost.wallS, cost.cpuS);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_sync FILE FILE...\n");
        return 2;
    }
    if (KvPlayInitPlayLib(0, 0, 0) != KV_OK)
        return 1;
    Run run;
    const bool opened = open(run, argc, argv);
    if (opened)
        playAndSeek(run);
    close(run);
    KvPlayDeinitPlayLib();
    if (!opened)
        return 1;
    reference(argc, argv);
    std::printf("%d files\nlargest skew: %lld ms\n", argc - 1, static_cast<long long>(run.largest / 1000));
    return 0;
}
