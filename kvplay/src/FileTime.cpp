#include "FileTime.h"

#include <chrono>
#include <sys/stat.h>

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/parseutils.h>
}

namespace kvplay {

namespace {

// Times before this are recorder clocks that were never set; they would make
// a play list show 1970 dates, so they count as "no time".
constexpr int64_t kEarliestPlausible = 946684800LL * 1'000'000; // 2000-01-01

int64_t modificationTimeUs(const std::string& path)
{
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0)
        return 0;
    return static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000 + st.st_mtim.tv_nsec / 1000;
}

} // namespace

int64_t parseTagTime(const AVDictionary* metadata)
{
    const AVDictionaryEntry* e = av_dict_get(metadata, "creation_time", nullptr, 0);
    if (!e || !e->value)
        return 0;
    int64_t t = 0;
    if (av_parse_time(&t, e->value, 0) < 0 || t < kEarliestPlausible)
        return 0;
    return t;
}

int64_t recordingStart(int64_t metadataTime, int64_t wallclockStart, const std::string& path,
                       int64_t durationUs)
{
    if (metadataTime > 0)
        return metadataTime;
    if (wallclockStart >= kEarliestPlausible)
        return wallclockStart;
    int64_t end = modificationTimeUs(path);
    if (end <= 0) {
        end = std::chrono::duration_cast<std::chrono::microseconds>(
                  std::chrono::system_clock::now().time_since_epoch())
                  .count();
    }
    const int64_t start = end - (durationUs > 0 ? durationUs : 0);
    return start > 0 ? start : 1;
}

} // namespace kvplay
