#include "FileTime.h"

#include "kvplay.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
#include <libavutil/mathematics.h>
}

namespace kvplay {

namespace {

// Times before this are recorder clocks that were never set; they would make
// a play list show 1970 dates, so they count as "no time".
constexpr int64_t kEarliestPlausible = 946684800LL * 1'000'000; // 2000-01-01
constexpr int kLatestYear = 2099;
constexpr int64_t kUsPerSecond = 1'000'000;

struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int64_t fractionUs = 0;
    bool zoned = false;
    int offsetSeconds = 0; // east of UTC
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads exactly n digits at p.
bool number(const char*& p, const char* end, int n, int& value)
{
    if (end - p < n)
        return false;
    value = 0;
    for (int i = 0; i < n; ++i) {
        if (!isDigit(p[i]))
            return false;
        value = value * 10 + (p[i] - '0');
    }
    p += n;
    return true;
}

bool accept(const char*& p, const char* end, const char* set)
{
    if (p < end && *p != '\0' && std::strchr(set, *p)) {
        ++p;
        return true;
    }
    return false;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

bool valid(const DateTime& t)
{
    return t.year >= 2000 && t.year <= kLatestYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour < 24 && t.minute < 60 && t.second < 60;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int year, int month, int day)
{
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<int64_t>(era) * 146097 + doe - 719468;
}

int64_t utcUs(const DateTime& t)
{
    const int64_t seconds = daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 +
                            t.second - t.offsetSeconds;
    return seconds * kUsPerSecond + t.fractionUs;
}

int64_t localUs(const DateTime& t)
{
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&tm);
    return seconds == static_cast<std::time_t>(-1) ? 0 : static_cast<int64_t>(seconds) * kUsPerSecond + t.fractionUs;
}

void fraction(const char*& p, const char* end, DateTime& t)
{
    if (!accept(p, end, ".,"))
        return;
    int64_t scale = 100'000;
    while (p < end && isDigit(*p)) {
        t.fractionUs += (*p - '0') * scale;
        scale /= 10;
        ++p;
    }
}

// "Z", "+HH:MM", "+HHMM" and, when hoursAlone, "+HH". False for a malformed zone.
bool zone(const char*& p, const char* end, DateTime& t, bool hoursAlone)
{
    if (accept(p, end, "Zz")) {
        t.zoned = true;
        return true;
    }
    if (p >= end || (*p != '+' && *p != '-'))
        return true;
    const int sign = *p == '-' ? -1 : 1;
    const char* q = p + 1;
    int hours = 0;
    int minutes = 0;
    if (!number(q, end, 2, hours))
        return false;
    accept(q, end, ":");
    if (!number(q, end, 2, minutes) && !hoursAlone)
        return false;
    if (hours > 14 || minutes > 59)
        return false;
    t.zoned = true;
    t.offsetSeconds = sign * (hours * 3600 + minutes * 60);
    p = q;
    return true;
}

bool parseNameAt(const char* p, const char* end, DateTime& t)
{
    const char* kSeparators = "-_. :Tt";
    bool ok = number(p, end, 4, t.year);
    ok = ok && (accept(p, end, kSeparators), number(p, end, 2, t.month));
    ok = ok && (accept(p, end, kSeparators), number(p, end, 2, t.day));
    ok = ok && (accept(p, end, kSeparators), number(p, end, 2, t.hour));
    ok = ok && (accept(p, end, kSeparators), number(p, end, 2, t.minute));
    ok = ok && (accept(p, end, kSeparators), number(p, end, 2, t.second));
    if (!ok || (p < end && isDigit(*p)) || !valid(t))
        return false;
    // A zone in a name must be unmistakable: "Z" alone, or four digits, so
    // that "-01" (a segment number) is not read as one.
    const char* rest = p;
    if (accept(rest, end, "Zz")) {
        if (rest == end || !std::isalnum(static_cast<unsigned char>(*rest)))
            t.zoned = true;
        return true;
    }
    DateTime zoned = t;
    if (zone(rest, end, zoned, false) && (rest == end || !isDigit(*rest)))
        t = zoned;
    return true;
}

} // namespace

int64_t parseCreationTime(const char* text)
{
    if (!text)
        return 0;
    const char* p = text;
    const char* end = text + std::strlen(text);
    DateTime t;
    bool ok = number(p, end, 4, t.year) && accept(p, end, "-") && number(p, end, 2, t.month) &&
              accept(p, end, "-") && number(p, end, 2, t.day) && accept(p, end, "Tt ") &&
              number(p, end, 2, t.hour) && accept(p, end, ":") && number(p, end, 2, t.minute);
    if (ok && accept(p, end, ":"))
        ok = number(p, end, 2, t.second);
    if (!ok || !valid(t))
        return 0;
    fraction(p, end, t);
    if (!zone(p, end, t, true) || p != end)
        return 0;
    const int64_t us = utcUs(t);
    return us >= kEarliestPlausible ? us : 0;
}

std::string creationTimeText(int64_t us)
{
    const int64_t seconds = us >= 0 ? us / kUsPerSecond : 0;
    const auto t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[96] = {};
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%06dZ", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(us >= 0 ? us % kUsPerSecond : 0));
    return text;
}

int64_t parseTagTime(const AVDictionary* metadata)
{
    const AVDictionaryEntry* e = av_dict_get(metadata, "creation_time", nullptr, 0);
    return e ? parseCreationTime(e->value) : 0;
}

int64_t streamStampTime(const AVPacket& pkt, AVRational timeBase, int64_t streamStartUs)
{
    size_t size = 0;
    const uint8_t* data = av_packet_get_side_data(&pkt, AV_PKT_DATA_PRFT, &size);
    if (!data || size < sizeof(AVProducerReferenceTime) || pkt.pts == AV_NOPTS_VALUE)
        return 0;
    AVProducerReferenceTime prft{};
    std::memcpy(&prft, data, sizeof prft);
    const int64_t start = prft.wallclock - (av_rescale_q(pkt.pts, timeBase, AVRational{1, 1'000'000}) - streamStartUs);
    return start >= kEarliestPlausible ? start : 0;
}

int64_t nameTime(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const char* begin = name.c_str();
    const char* end = begin + name.size();
    for (const char* p = begin; p < end; ++p) {
        if (!isDigit(*p) || (p > begin && isDigit(p[-1])))
            continue;
        DateTime t;
        if (!parseNameAt(p, end, t))
            continue;
        const int64_t us = t.zoned ? utcUs(t) : localUs(t);
        if (us >= kEarliestPlausible)
            return us;
    }
    return 0;
}

int64_t modifiedStart(const std::string& path, int64_t durationUs)
{
    struct stat st {};
    int64_t end = 0;
    if (!path.empty() && stat(path.c_str(), &st) == 0)
        end = static_cast<int64_t>(st.st_mtim.tv_sec) * kUsPerSecond + st.st_mtim.tv_nsec / 1000;
    if (end <= 0) {
        end = std::chrono::duration_cast<std::chrono::microseconds>(
                  std::chrono::system_clock::now().time_since_epoch())
                  .count();
    }
    const int64_t start = end - (durationUs > 0 ? durationUs : 0);
    return start > 0 ? start : 1;
}

RecordingTime recordingStart(int64_t metadataTime, int64_t streamTime, const std::string& path,
                             int64_t durationUs)
{
    if (metadataTime > 0)
        return {metadataTime, KV_TIME_CREATION};
    if (streamTime >= kEarliestPlausible)
        return {streamTime, KV_TIME_STREAM};
    if (const int64_t named = nameTime(path); named > 0)
        return {named, KV_TIME_FILE_NAME};
    return {modifiedStart(path, durationUs), KV_TIME_MODIFIED};
}

} // namespace kvplay
