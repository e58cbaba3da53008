// bench_tiles FILE N SECONDS [W H]
// N instances of FILE play in real time through kvplay.h into W x H targets
// (default 320 x 180) for SECONDS; then N `ffmpeg -re` processes scale the
// same file to the same size for the same time. Prints both CPU times, the
// ratio, and the share of frames we showed late or dropped once all N run.
// The ffmpeg processes run SECONDS + 1 s, as long as the library did.
#include "BenchUtil.h"
#include "kvplay.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct Counter {
    int width;
    int height;
    std::atomic<long> frames{0};
    static void present(void* user, const uint8_t*, int32_t, int32_t, int32_t)
    {
        static_cast<Counter*>(user)->frames.fetch_add(1);
    }
    static void size(void* user, int32_t* w, int32_t* h)
    {
        *w = static_cast<Counter*>(user)->width;
        *h = static_cast<Counter*>(user)->height;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_tiles FILE N SECONDS [W H]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int n = std::atoi(argv[2]);
    const double secs = std::atof(argv[3]);
    const int w = argc > 5 ? std::atoi(argv[4]) : 320;
    const int h = argc > 5 ? std::atoi(argv[5]) : 180;
    KvPlayInitPlayLib(0, 0, 0);
    std::vector<std::unique_ptr<Counter>> counters;
    std::vector<uint32_t> handles;
    const double cpu0 = bench::selfCpuS();
    const double t0 = bench::nowS();
    for (int i = 0; i < n; ++i) {
        auto c = std::make_unique<Counter>();
        c->width = w;
        c->height = h;
        const uint32_t hd = KvPlayCreatePlayInstance(0);
        if (KvPlayOpenPlayFile(hd, file.c_str()) != KV_OK) {
            std::fprintf(stderr, "cannot open %s\n", file.c_str());
            return 1;
        }
        const KvRenderTarget target{c.get(), &Counter::present, &Counter::size};
        KvPlaySetPlayWnd(hd, &target);
        KvPlayStartPlay(hd);
        handles.push_back(hd);
        counters.push_back(std::move(c));
    }
    // Frames are counted once every instance runs, so opening 16 files one
    // after the other does not count as frames missed.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    long before = 0;
    for (const auto& c : counters)
        before += c->frames.load();
    const double steady0 = bench::nowS();
    std::this_thread::sleep_for(std::chrono::duration<double>(secs));
    const double steady = bench::nowS() - steady0;
    const double wall = bench::nowS() - t0;
    long frames = -before;
    for (const auto& c : counters)
        frames += c->frames.load();
    for (uint32_t hd : handles)
        KvPlayDestroyPlayInstance(hd);
    const double ours = bench::selfCpuS() - cpu0;
    KvPlayDeinitPlayLib();
    const double expected = steady * 25.0 * n;
    const double missed = expected > 0 ? 100.0 * (1.0 - static_cast<double>(frames) / expected) : 0;

    const std::string size = "scale=" + std::to_string(w) + ":" + std::to_string(h);
    const bench::Cost ff = bench::runCopies({"ffmpeg", "-nostdin", "-re", "-t", std::to_string(secs + 1), "-i", file,
                                             "-vf", size, "-pix_fmt", "bgra", "-f", "null", "-"},
                                            n);
    std::printf("tiles: %d x %s at %dx%d for %.1f s\n", n, file.c_str(), w, h, wall);
    std::printf("  kvplay   cpu %.2f s (%.2f cores), frames shown in the last %.1f s %ld of ~%.0f (%.2f %% late or dropped)\n", ours,
                ours / wall, steady, frames, expected, missed);
    std::printf("  ffmpeg   cpu %.2f s (%.2f cores), wall %.1f s\n", ff.cpuS, ff.cpuS / ff.wallS, ff.wallS);
    std::printf("  ratio    kvplay/ffmpeg cpu = %.2f\n", ff.cpuS > 0 ? ours / ff.cpuS : 0.0);
    return 0;
}
