// bench_export FILE [SECONDS]
// An evidence export of the first SECONDS (default 600) of FILE with the
// program's headless command (`KvPlayer --export`: lossless copy, snapshot,
// SHA-256 of the source and of every output read back, manifest, report),
// side by side in the same run with what the FFmpeg tools take for the bare
// copy and its hashes: `ffmpeg -ss 0 -to SECONDS -i FILE -c copy` followed by
// `sha256sum FILE COPY`. Median of 3 alternating runs each, page cache warm.
#include "BenchUtil.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string tempFolder()
{
    char tmpl[] = "/tmp/bench-export-XXXXXX";
    const char* made = mkdtemp(tmpl);
    return made ? made : "";
}

// The single folder an export wrote below parent, or empty.
std::string exportedFolder(const std::string& parent)
{
    for (const auto& entry : fs::directory_iterator(parent)) {
        if (entry.is_directory() && entry.path().filename().string().front() != '.')
            return entry.path().string();
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_export FILE [SECONDS]\n");
        return 2;
    }
    const std::string file = fs::absolute(argv[1]).string();
    const std::string seconds = argc > 2 ? argv[2] : "600";
    const std::string work = tempFolder();
    if (work.empty() || !bench::onPath("ffmpeg") || !bench::onPath("sha256sum")) {
        std::fprintf(stderr, "needs a temporary folder, ffmpeg and sha256sum\n");
        return 1;
    }
    const std::string ext = fs::path(file).extension().string() == ".mp4" ? ".mp4" : ".mkv";
    const std::string copy = work + "/ffmpeg-copy" + ext;
    const std::vector<std::string> kvplayer{KV_PROGRAM_DIR "/KvPlayer", "--export", "--in", "0s", "--out",
                                            seconds + "s", "--to", work + "/kv", file};
    const std::vector<std::string> ffmpeg{"ffmpeg", "-nostdin", "-y", "-ss", "0", "-to", seconds,
                                          "-i", file, "-c", "copy", copy};
    const std::vector<std::string> sums{"sha256sum", file, copy};
    bench::runTogether({{"cat", file}}); // warm the cache for both sides
    std::vector<double> ours, oursCpu, tools, toolsCpu;
    std::string folder;
    for (int i = 0; i < 3; ++i) {
        fs::remove_all(work + "/kv");
        const bench::Cost kv = bench::runTogether({kvplayer});
        folder = exportedFolder(work + "/kv");
        const bench::Cost cut = bench::runTogether({ffmpeg});
        const bench::Cost hash = bench::runTogether({sums});
        ours.push_back(kv.wallS);
        oursCpu.push_back(kv.cpuS);
        tools.push_back(cut.wallS + hash.wallS);
        toolsCpu.push_back(cut.cpuS + hash.cpuS);
    }
    if (folder.empty()) {
        std::fprintf(stderr, "the export wrote nothing; run the command by hand to see why\n");
        return 1;
    }
    std::uintmax_t written = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        written += entry.file_size();
    std::printf("source: %s, %.1f MB; export folder %.1f MB\n", file.c_str(),
                static_cast<double>(fs::file_size(file)) / 1e6, static_cast<double>(written) / 1e6);
    std::printf("KvPlayer --export:              %.2f s wall, %.2f s CPU\n", median(ours), median(oursCpu));
    std::printf("ffmpeg -c copy + sha256sum:     %.2f s wall, %.2f s CPU\n", median(tools), median(toolsCpu));
    std::printf("ratio (wall): %.2f\n", median(ours) / median(tools));
    fs::remove_all(work);
    return 0;
}
