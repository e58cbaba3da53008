// bench_soak FILE [CYCLES] [N]
// A soak of the library's life cycle: N (default 16) slots play at once, and
// CYCLES (default 1000) times in all, one slot after the other, the instance
// in a slot is destroyed and a new one opens FILE, plays, has its picture
// size read, seeks to a random place and runs on while the other slots take
// their turn. Meant for the address sanitizer's build, whose leak check at
// exit and error reports are the result; the program itself fails when an
// open, a start or a seek is refused, or when a playing instance never shows
// a picture. Prints the cycles done and the time taken.
#include "BenchUtil.h"
#include "kvplay.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr int kPictureWaitMs = 10000;

struct Slot {
    uint32_t handle = 0;
    std::atomic<int> pictures{0};

    static void present(void* user, const uint8_t*, int32_t, int32_t, int32_t)
    {
        static_cast<Slot*>(user)->pictures.fetch_add(1);
    }
    static void size(void*, int32_t* w, int32_t* h)
    {
        *w = 320;
        *h = 180;
    }
};

bool waitForPicture(const Slot& slot)
{
    for (int waited = 0; waited < kPictureWaitMs; waited += 5) {
        if (slot.pictures.load() > 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// One cycle in a slot: the old instance goes, a new one plays and seeks.
bool cycle(const std::string& file, Slot& slot, std::mt19937& random)
{
    if (slot.handle != 0)
        KvPlayDestroyPlayInstance(slot.handle);
    slot.pictures.store(0);
    slot.handle = KvPlayCreatePlayInstance(0);
    const KvRenderTarget target{&slot, &Slot::present, &Slot::size};
    if (slot.handle == 0 || KvPlayOpenPlayFile(slot.handle, file.c_str()) != KV_OK ||
        KvPlaySetPlayWnd(slot.handle, &target) != KV_OK || KvPlayStartPlay(slot.handle) != KV_OK) {
        std::fprintf(stderr, "cannot open and play %s\n", file.c_str());
        return false;
    }
    uint64_t start = 0;
    uint64_t end = 0;
    if (KvPlayGetPlayFileTimeRange(slot.handle, &start, &end) != KV_OK || end <= start) {
        std::fprintf(stderr, "no range for %s\n", file.c_str());
        return false;
    }
    if (!waitForPicture(slot)) {
        std::fprintf(stderr, "no picture within %d ms\n", kPictureWaitMs);
        return false;
    }
    int32_t width = 0;
    int32_t height = 0;
    KvPlayGetPlayPicSize(slot.handle, &width, &height);
    const uint64_t targetUs = start + std::uniform_int_distribution<uint64_t>(0, end - start - 1)(random);
    if (KvPlaySetCurPlayedTime(slot.handle, static_cast<uint32_t>(targetUs), static_cast<uint32_t>(targetUs >> 32)) !=
        KV_OK) {
        std::fprintf(stderr, "seek refused\n");
        return false;
    }
    return true;
}

}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_soak FILE [CYCLES] [N]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int cycles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
    const int n = argc > 3 ? std::clamp(std::atoi(argv[3]), 1, 64) : 16;
    if (KvPlayInitPlayLib(0, 0, 0) != KV_OK) {
        std::fprintf(stderr, "the library did not start\n");
        return 1;
    }
    std::vector<Slot> slots(static_cast<size_t>(n));
    std::mt19937 random(20261209);
    const double t0 = bench::nowS();
    int done = 0;
    bool ok = true;
    for (; done < cycles && ok; ++done) {
        ok = cycle(file, slots[static_cast<size_t>(done % n)], random);
        if (done % 100 == 99)
            std::printf("%d cycles, %.1f s\n", done + 1, bench::nowS() - t0);
    }
    for (Slot& slot : slots) {
        if (slot.handle != 0)
            KvPlayDestroyPlayInstance(slot.handle);
    }
    KvPlayDeinitPlayLib();
    std::printf("%s: %d of %d cycles over %d instances in %.1f s\n", ok ? "done" : "FAILED", ok ? done : done - 1,
                cycles, n, bench::nowS() - t0);
    return ok ? 0 : 1;
}
