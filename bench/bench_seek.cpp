// bench_seek FILE [T]
// Time to the first presented frame (open, start, first present) and of an
// exact seek to T seconds (default: 2/3 of the file) through kvplay.h,
// against `ffmpeg -i F -frames:v 1 -f null -` and
// `ffmpeg -ss T -i F -frames:v 1 -f null -` (whole processes: that is what a
// user of the tools waits for), and the cost of opening for the range alone.
// Each figure is the median of 5 runs.
#include "BenchUtil.h"
#include "kvplay.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

struct Counter {
    std::atomic<long> frames{0};
    static void present(void* user, const uint8_t*, int32_t, int32_t, int32_t)
    {
        static_cast<Counter*>(user)->frames.fetch_add(1);
    }
    static void size(void*, int32_t* w, int32_t* h)
    {
        *w = 320;
        *h = 180;
    }
};

// Opens a file, reads its range and closes it, as a play list does: the
// length in microseconds.
uint64_t readLengthUs(const std::string& file)
{
    const uint32_t h = KvPlayCreatePlayInstance(0);
    uint64_t s = 0;
    uint64_t e = 0;
    KvPlayOpenPlayFile(h, file.c_str());
    KvPlayGetPlayFileTimeRange(h, &s, &e);
    KvPlayDestroyPlayInstance(h);
    return e - s;
}

// Seconds that readLengthUs takes.
double rangeCost(const std::string& file)
{
    const double t0 = bench::nowS();
    readLengthUs(file);
    return bench::nowS() - t0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Seconds to the first frame and to the exact seek.
std::pair<double, double> ours(const std::string& file, double seekS)
{
    Counter c;
    const KvRenderTarget target{&c, &Counter::present, &Counter::size};
    const double t0 = bench::nowS();
    const uint32_t h = KvPlayCreatePlayInstance(0);
    KvPlayOpenPlayFile(h, file.c_str());
    KvPlaySetPlayWnd(h, &target);
    KvPlaySetPlayMode(h, KV_MODE_PAUSE, 0);
    KvPlayStartPlay(h);
    while (c.frames.load() == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const double first = bench::nowS() - t0;
    uint64_t start = 0;
    uint64_t end = 0;
    KvPlayGetPlayFileTimeRange(h, &start, &end);
    const uint64_t t = start + static_cast<uint64_t>(seekS * 1e6);
    const double t1 = bench::nowS();
    KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32));
    const uint64_t frameUs = 40000;
    while (KvPlayGetCurPlayedTime(h) + frameUs <= t || KvPlayGetCurPlayedTime(h) > t)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const double seek = bench::nowS() - t1;
    KvPlayDestroyPlayInstance(h);
    return {first, seek};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_seek FILE [T]\n");
        return 2;
    }
    const std::string file = argv[1];
    KvPlayInitPlayLib(0, 0, 0);
    double seekS = argc > 2 ? std::atof(argv[2]) : 0;
    if (seekS <= 0)
        seekS = static_cast<double>(readLengthUs(file)) / 1e6 * 2 / 3;
    std::vector<double> first;
    std::vector<double> seek;
    std::vector<double> ffFirst;
    std::vector<double> ffSeek;
    std::vector<double> range;
    const std::string ts = std::to_string(seekS);
    for (int i = 0; i < 5; ++i) {
        const auto [f, s] = ours(file, seekS);
        range.push_back(rangeCost(file));
        first.push_back(f);
        seek.push_back(s);
        ffFirst.push_back(bench::runCopies({"ffmpeg", "-nostdin", "-i", file, "-frames:v", "1", "-f", "null", "-"}, 1).wallS);
        ffSeek.push_back(
            bench::runCopies({"ffmpeg", "-nostdin", "-ss", ts, "-i", file, "-frames:v", "1", "-f", "null", "-"}, 1).wallS);
    }
    KvPlayDeinitPlayLib();
    std::printf("open for the range: kvplay %.1f ms\n", median(range) * 1e3);
    std::printf("first frame: kvplay %.1f ms, ffmpeg %.1f ms, ratio %.2f\n", median(first) * 1e3,
                median(ffFirst) * 1e3, median(first) / median(ffFirst));
    std::printf("exact seek to %.2f s: kvplay %.1f ms, ffmpeg -ss %.1f ms, ratio %.2f\n", seekS, median(seek) * 1e3,
                median(ffSeek) * 1e3, median(seek) / median(ffSeek));
    return 0;
}
