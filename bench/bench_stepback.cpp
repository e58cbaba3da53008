// bench_stepback FILE [W H]
// One step back (KV_MODE_STEP_BACK: call until the new picture is presented
// into a W x H target, default 960 x 540), by kind: a step inside a group of
// pictures, and a step across a keyframe into the group before. Three ways:
// holding the key (a step every 40 ms, as a keyboard's auto-repeat does),
// back to back as fast as the calls return, and a single step back from a
// keyframe of a freshly opened file (nothing decoded ahead). Next to it, in
// the same run, the exact seek to the previous frame done by
// `ffmpeg -ss T -i F -frames:v 1 -vf scale=W:H -pix_fmt bgra -f null -`
// (a whole process: what a user of the tool waits for), inside a group and
// onto the last frame of a group. Keyframes are listed with ffprobe; the
// file is taken to run at 25 fps.
#include "BenchUtil.h"
#include "kvplay.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int64_t kFrameUs = 40000;
constexpr double kRepeatS = 0.040;
constexpr int kSteps = 150;

struct Target {
    std::atomic<long> presents{0};
    int width = 960;
    int height = 540;
    static void present(void* user, const uint8_t*, int32_t, int32_t, int32_t)
    {
        static_cast<Target*>(user)->presents.fetch_add(1);
    }
    static void size(void* user, int32_t* w, int32_t* h)
    {
        *w = static_cast<Target*>(user)->width;
        *h = static_cast<Target*>(user)->height;
    }
};

struct Times {
    std::vector<double> inside;
    std::vector<double> across;
};

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double worst(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

// Keyframe times relative to the first frame, us: the key flag of every
// frame in presentation order, at 25 fps (raw streams carry no times).
std::set<int64_t> keyframes(const std::string& file)
{
    const std::string cmd =
        "ffprobe -v error -select_streams v:0 -show_entries frame=key_frame -of csv=p=0 '" + file + "'";
    std::set<int64_t> out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return out;
    // One flag a line; a frame with side data adds a comma and an empty line.
    char line[128];
    int64_t frame = 0;
    while (std::fgets(line, sizeof line, p)) {
        if (line[0] != '0' && line[0] != '1')
            continue;
        if (line[0] == '1')
            out.insert(frame * kFrameUs);
        ++frame;
    }
    pclose(p);
    return out;
}

class Instance {
public:
    Instance(const std::string& file, int w, int h)
    {
        target_.width = w;
        target_.height = h;
        const KvRenderTarget t{&target_, &Target::present, &Target::size};
        h_ = KvPlayCreatePlayInstance(0);
        KvPlayOpenPlayFile(h_, file.c_str());
        KvPlaySetPlayWnd(h_, &t);
        KvPlaySetPlayMode(h_, KV_MODE_PAUSE, 0);
        KvPlayStartPlay(h_);
        uint64_t end = 0;
        KvPlayGetPlayFileTimeRange(h_, &start_, &end);
        while (KvPlayGetCurPlayedTime(h_) == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ~Instance() { KvPlayDestroyPlayInstance(h_); }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    void seekTo(int64_t rel)
    {
        const uint64_t t = start_ + static_cast<uint64_t>(rel);
        KvPlaySetCurPlayedTime(h_, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32));
        while (KvPlayGetCurPlayedTime(h_) != t)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    int64_t position() const { return static_cast<int64_t>(KvPlayGetCurPlayedTime(h_) - start_); }
    // Seconds from the call to the present of the new picture.
    double stepBack()
    {
        const long before = target_.presents.load();
        const double t0 = bench::nowS();
        KvPlaySetPlayMode(h_, KV_MODE_STEP_BACK, 0);
        while (target_.presents.load() == before && bench::nowS() - t0 < 5)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        return bench::nowS() - t0;
    }

private:
    Target target_;
    uint32_t h_ = 0;
    uint64_t start_ = 0;
};

// Steps back kSteps times from rel, paced or back to back; the first step
// (nothing decoded yet) is left out and returned in first.
Times stepRun(const std::string& file, int w, int h, int64_t rel, const std::set<int64_t>& keys, bool paced,
              double& first)
{
    Instance in(file, w, h);
    in.seekTo(rel);
    Times times;
    for (int i = 0; i < kSteps && in.position() > 0; ++i) {
        const int64_t from = in.position();
        const double t0 = bench::nowS();
        const double s = in.stepBack();
        if (i == 0)
            first = s;
        else
            (keys.count(from) ? times.across : times.inside).push_back(s);
        if (paced) {
            while (bench::nowS() - t0 < kRepeatS)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    return times;
}

double ffmpegSeek(const std::string& file, int64_t rel, int w, int h)
{
    const std::string ts = std::to_string(static_cast<double>(rel) / 1e6);
    const std::string scale = "scale=" + std::to_string(w) + ":" + std::to_string(h);
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i)
        runs.push_back(bench::runCopies({"ffmpeg", "-nostdin", "-ss", ts, "-i", file, "-frames:v", "1", "-vf", scale,
                                         "-pix_fmt", "bgra", "-f", "null", "-"},
                                        1)
                           .wallS);
    return median(runs);
}

void report(const char* name, const Times& t)
{
    std::printf("%s: inside a group median %.2f ms, worst %.2f ms (%zu steps); across a keyframe median %.2f ms, "
                "worst %.2f ms (%zu steps)\n",
                name, median(t.inside) * 1e3, worst(t.inside) * 1e3, t.inside.size(), median(t.across) * 1e3,
                worst(t.across) * 1e3, t.across.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_stepback FILE [W H]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int w = argc > 3 ? std::atoi(argv[2]) : 960;
    const int h = argc > 3 ? std::atoi(argv[3]) : 540;
    const std::set<int64_t> keys = keyframes(file);
    if (keys.size() < 5) {
        std::fprintf(stderr, "need at least 5 keyframes (ffprobe found %zu)\n", keys.size());
        return 1;
    }
    KvPlayInitPlayLib(0, 0, 0);
    // From the middle of the fifth group back through three keyframes.
    const int64_t fifth = *std::next(keys.begin(), 4);
    const int64_t startRel = fifth + (*std::next(keys.begin(), 5) - fifth) / 2;
    double firstPaced = 0;
    double firstFast = 0;
    const Times paced = stepRun(file, w, h, startRel, keys, true, firstPaced);
    const Times fast = stepRun(file, w, h, startRel, keys, false, firstFast);
    std::vector<double> cold;
    for (auto it = std::next(keys.begin()); it != keys.end() && cold.size() < 5; ++it) {
        Instance in(file, w, h);
        in.seekTo(*it);
        cold.push_back(in.stepBack());
    }
    KvPlayDeinitPlayLib();
    const double ffInside = ffmpegSeek(file, startRel - kFrameUs, w, h);
    const double ffAcross = ffmpegSeek(file, fifth - kFrameUs, w, h);
    std::printf("target %dx%d, %zu keyframes, from %.2f s back %d steps\n", w, h, keys.size(),
                static_cast<double>(startRel) / 1e6, kSteps);
    report("holding the key (a step every 40 ms)", paced);
    report("back to back", fast);
    std::printf("first step of a run (nothing decoded yet, mid-group): %.2f ms / %.2f ms\n", firstPaced * 1e3,
                firstFast * 1e3);
    std::printf("single step back from a keyframe, freshly opened: median %.2f ms, worst %.2f ms\n",
                median(cold) * 1e3, worst(cold) * 1e3);
    std::printf("ffmpeg -ss to the previous frame: inside a group %.2f ms, onto a group's last frame %.2f ms\n",
                ffInside * 1e3, ffAcross * 1e3);
    std::printf("ratios: holding, inside %.3f x ffmpeg; across %.3f x ffmpeg; cold across %.3f x ffmpeg\n",
                median(paced.inside) / ffInside, median(paced.across) / ffAcross, median(cold) / ffAcross);
    return 0;
}
