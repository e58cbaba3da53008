// bench_memory FILE [N] [SECONDS] [W H]
// Resident memory that N instances of FILE (default 1) add while they play
// for SECONDS (default 5) into W x H targets (default 1280 x 720): this
// process's resident size once the library is initialised, the highest one
// sampled while they play, and once they are destroyed. Anonymous memory
// (RssAnon) is the part no other process can share; the rest is code and
// files mapped from disk.
// For scale, the peak resident size of one whole
// `ffmpeg -re -t S -i F -vf scale=W:H -pix_fmt bgra -f null -` process and,
// when mpv is on PATH, of one `mpv --no-config --vo=null --ao=null` process
// playing the same file for the same time; they run first.
#include "BenchUtil.h"
#include "kvplay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

namespace {

struct Resident {
    double totalMb = 0;
    double anonMb = 0;
};

Resident resident()
{
    Resident r;
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        double kb = 0;
        if (key == "VmRSS:" && status >> kb)
            r.totalMb = kb / 1024.0;
        else if (key == "RssAnon:" && status >> kb)
            r.anonMb = kb / 1024.0;
        status.ignore(1 << 16, '\n');
    }
    return r;
}

struct Size {
    int width;
    int height;
    static void present(void*, const uint8_t*, int32_t, int32_t, int32_t) {}
    static void size(void* user, int32_t* w, int32_t* h)
    {
        *w = static_cast<Size*>(user)->width;
        *h = static_cast<Size*>(user)->height;
    }
};

// Plays n instances for secs; returns the highest resident size seen.
Resident play(const std::string& file, int n, double secs, Size& size)
{
    std::vector<uint32_t> handles;
    const KvRenderTarget target{&size, &Size::present, &Size::size};
    for (int i = 0; i < n; ++i) {
        const uint32_t h = KvPlayCreatePlayInstance(0);
        if (KvPlayOpenPlayFile(h, file.c_str()) != KV_OK)
            std::fprintf(stderr, "cannot open %s\n", file.c_str());
        KvPlaySetPlayWnd(h, &target);
        KvPlayStartPlay(h);
        handles.push_back(h);
    }
    Resident peak;
    const double end = bench::nowS() + secs;
    while (bench::nowS() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const Resident now = resident();
        peak.totalMb = std::max(peak.totalMb, now.totalMb);
        peak.anonMb = std::max(peak.anonMb, now.anonMb);
    }
    for (uint32_t h : handles)
        KvPlayDestroyPlayInstance(h);
    return peak;
}

// Peak resident sizes of one ffmpeg and, when on PATH, one mpv process
// playing file for secs at the target size. Run before this process grows:
// the kernel counts a child's size at spawn, while it still shares our
// memory, into its peak.
bench::Cost referencePeaks(const std::string& file, double secs, const Size& size, bench::Cost& mpv)
{
    const std::string len = std::to_string(secs);
    const std::string scale = "scale=" + std::to_string(size.width) + ":" + std::to_string(size.height);
    if (bench::onPath("mpv")) {
        mpv = bench::runCopies(
            {"mpv", "--no-config", "--really-quiet", "--hwdec=no", "--vo=null", "--ao=null", "--length=" + len, file}, 1);
    }
    return bench::runCopies(
        {"ffmpeg", "-nostdin", "-re", "-t", len, "-i", file, "-vf", scale, "-pix_fmt", "bgra", "-f", "null", "-"}, 1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_memory FILE [N] [SECONDS] [W H]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int n = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const double secs = argc > 3 ? std::atof(argv[3]) : 5.0;
    Size size{argc > 5 ? std::atoi(argv[4]) : 1280, argc > 5 ? std::atoi(argv[5]) : 720};
    bench::Cost mpv;
    const bench::Cost ff = referencePeaks(file, secs, size, mpv);
    KvPlayInitPlayLib(0, 0, 0);
    const Resident before = resident();
    const Resident peak = play(file, n, secs, size);
    const Resident after = resident();
    KvPlayDeinitPlayLib();
    std::printf("memory: %d x %s into %dx%d for %.1f s\n", n, file.c_str(), size.width, size.height, secs);
    std::printf("  before   resident %.1f MB (anonymous %.1f MB)\n", before.totalMb, before.anonMb);
    std::printf("  playing  resident %.1f MB (anonymous %.1f MB), peak sampled every 100 ms\n", peak.totalMb,
                peak.anonMb);
    std::printf("  after    resident %.1f MB (anonymous %.1f MB)\n", after.totalMb, after.anonMb);
    std::printf("  added    %.1f MB per instance (anonymous %.1f MB)\n", (peak.totalMb - before.totalMb) / n,
                (peak.anonMb - before.anonMb) / n);
    std::printf("  ffmpeg   peak resident %.1f MB (whole process)\n", ff.maxRssMb);
    if (mpv.maxRssMb > 0)
        std::printf("  mpv      peak resident %.1f MB (whole process)\n", mpv.maxRssMb);
    return 0;
}
