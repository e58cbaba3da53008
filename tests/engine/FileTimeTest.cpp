// The recording-time rules one by one, and their order through the C API.
#include "AvPtr.h"
#include "FileTime.h"
#include "MediaFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/time.h>

extern "C" {
#include <libavcodec/avcodec.h>
}

using namespace kvtest;

namespace {

constexpr int64_t kSecond = 1'000'000;
// 2025-03-14 09:26:53 UTC.
constexpr int64_t k20250314 = 1741944413LL * kSecond;

// Pins the local zone for one test: names without a zone are local times.
class LocalZone {
public:
    explicit LocalZone(const char* tz)
    {
        if (const char* old = std::getenv("TZ")) {
            had_ = true;
            old_ = old;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~LocalZone()
    {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    bool had_ = false;
    std::string old_;
};

struct TimeCase {
    const char* text;
    int64_t expected;
};

} // namespace

TEST(FileTimeRules, CreationTimeTable)
{
    const TimeCase cases[] = {
        {"2025-03-14T09:26:53.000000Z", k20250314},
        {"2025-03-14T09:26:53Z", k20250314},
        {"2025-03-14 09:26:53", k20250314}, // containers store UTC
        {"2025-03-14T10:26:53+01:00", k20250314},
        {"2025-03-14T10:26:53+0100", k20250314},
        {"2025-03-14T04:56:53-04:30", k20250314},
        {"2025-03-14T11:26:53+02", k20250314},
        {"2025-03-14T09:26:53.250Z", k20250314 + 250'000},
        {"2025-03-14T09:26Z", k20250314 - 53 * kSecond},
        {"1970-01-01T00:00:00Z", 0},  // a recorder clock never set
        {"2025-02-30T09:26:53Z", 0},  // no such day
        {"2025-03-14T24:00:00Z", 0},
        {"2025-03-14T09:26:53+15:00", 0},
        {"2025-03-14T09:26:53 garbage", 0},
        {"yesterday", 0},
        {"", 0},
    };
    for (const TimeCase& c : cases)
        EXPECT_EQ(kvplay::parseCreationTime(c.text), c.expected) << c.text;
    EXPECT_EQ(kvplay::parseCreationTime(nullptr), 0);

    AVDictionary* tags = nullptr;
    av_dict_set(&tags, "creation_time", "2025-03-14T10:26:53+01:00", 0);
    EXPECT_EQ(kvplay::parseTagTime(tags), k20250314);
    av_dict_free(&tags);
    EXPECT_EQ(kvplay::parseTagTime(nullptr), 0);
}

TEST(FileTimeRules, StreamStampTable)
{
    struct StampCase {
        int64_t wallclock;
        int64_t pts; // in 1/90000
        int64_t streamStartUs;
        int64_t expected;
    };
    const StampCase cases[] = {
        {k20250314, 0, 0, k20250314},
        {k20250314 + 2 * kSecond, 180000, 0, k20250314},    // stamped two seconds in
        {k20250314 + kSecond, 180000, kSecond, k20250314},  // the stream starts at 1 s
        {5 * kSecond, 0, 0, 0},                            // before 2000
    };
    const AVRational tb{1, 90000};
    for (const StampCase& c : cases) {
        kvplay::PacketPtr pkt(av_packet_alloc());
        pkt->pts = c.pts;
        auto* prft = reinterpret_cast<AVProducerReferenceTime*>(
            av_packet_new_side_data(pkt.get(), AV_PKT_DATA_PRFT, sizeof(AVProducerReferenceTime)));
        ASSERT_NE(prft, nullptr);
        prft->wallclock = c.wallclock;
        EXPECT_EQ(kvplay::streamStampTime(*pkt, tb, c.streamStartUs), c.expected) << c.wallclock;
    }
    kvplay::PacketPtr bare(av_packet_alloc());
    bare->pts = 0;
    EXPECT_EQ(kvplay::streamStampTime(*bare, tb, 0), 0) << "no stamp";
}

TEST(FileTimeRules, FileNameTable)
{
    const LocalZone zone("KVT-2"); // local time is UTC+2, without summer time
    const int64_t local = k20250314 - 2 * 3600 * kSecond; // 09:26:53 local
    const TimeCase cases[] = {
        {"20250314092653.264", local},
        {"20250314_092653.mp4", local},
        {"2025-03-14_09-26-53.avi", local},
        {"2025-03-14 09.26.53.rf", local},
        {"ch03_20250314092653.264", local},
        {"CH03-2025-03-14_09-26-53.mp4", local},
        {"/rec/2019-01-01_00-00-00/ch03_20250314_092653.264", local}, // folders do not count
        {"ch03_20250314092653-01.264", local},                       // a segment number is no zone
        {"20250314092653-20250314102653.mp4", local},                // the first of two
        {"cam_20250314T092653Z.mp4", k20250314},
        {"cam_20250314_092653+0100.mp4", k20250314 - 3600 * kSecond},
        {"cam_2025-03-14_09-26-53-04:00.mp4", k20250314 + 4 * 3600 * kSecond},
        {"camera01.mp4", 0},
        {"ch03_record.264", 0},
        {"202503140926531.mp4", 0},   // fifteen digits are no date-time
        {"20251314092653.mp4", 0},    // month 13
        {"19991231235959.mp4", 0},    // before 2000
        {"", 0},
    };
    for (const TimeCase& c : cases)
        EXPECT_EQ(kvplay::nameTime(c.text), c.expected) << c.text;
}

TEST(FileTimeRules, ModificationTimeMinusLength)
{
    const std::string path = media().dir + "/mtime-rule.bin";
    std::ofstream(path) << "x";
    const timeval tv[2] = {{1741944413, 0}, {1741944413, 0}};
    ASSERT_EQ(utimes(path.c_str(), tv), 0);
    EXPECT_EQ(kvplay::modifiedStart(path, 60 * kSecond), k20250314 - 60 * kSecond);
    EXPECT_EQ(kvplay::modifiedStart(path, -5), k20250314) << "no length: the modification time";
    const int64_t before = static_cast<int64_t>(std::time(nullptr)) * kSecond;
    EXPECT_GE(kvplay::modifiedStart(media().missing, 0), before) << "a missing file: now";
}

TEST(FileTimeRules, TheFirstRuleThatKnowsATimeWins)
{
    const LocalZone zone("UTC0");
    const std::string named = media().dir + "/ch01_20250314092653.bin";
    std::ofstream(named) << "x";
    const timeval tv[2] = {{1600000000, 0}, {1600000000, 0}};
    ASSERT_EQ(utimes(named.c_str(), tv), 0);

    const kvplay::RecordingTime creation = kvplay::recordingStart(k20250314 + 7, k20250314 + 8, named, 0);
    EXPECT_EQ(creation.us, k20250314 + 7);
    EXPECT_EQ(creation.source, KV_TIME_CREATION);
    const kvplay::RecordingTime stamp = kvplay::recordingStart(0, k20250314 + 8, named, 0);
    EXPECT_EQ(stamp.us, k20250314 + 8);
    EXPECT_EQ(stamp.source, KV_TIME_STREAM);
    const kvplay::RecordingTime byName = kvplay::recordingStart(0, 0, named, 0);
    EXPECT_EQ(byName.us, k20250314);
    EXPECT_EQ(byName.source, KV_TIME_FILE_NAME);
    const std::string plain = media().dir + "/plain.bin";
    std::filesystem::copy_file(named, plain, std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(utimes(plain.c_str(), tv), 0);
    const kvplay::RecordingTime modified = kvplay::recordingStart(0, 0, plain, 2 * kSecond);
    EXPECT_EQ(modified.us, 1600000000LL * kSecond - 2 * kSecond);
    EXPECT_EQ(modified.source, KV_TIME_MODIFIED);
}

TEST(FileTimeRules, TheFileInformationNamesTheSource)
{
    const LocalZone zone("UTC0");
    KvPlayFileInfo info{};
    std::strncpy(info.path, media().mp4.c_str(), sizeof info.path - 1);
    ASSERT_EQ(KvPlayGetFileInfo(&info), KV_OK);
    EXPECT_EQ(info.time_source, KV_TIME_CREATION);
    EXPECT_EQ(info.time, kMp4CreationUs);

    const std::string named = media().dir + "/CH03-2025-03-14_09-26-53.264";
    std::filesystem::copy_file(media().raw264, named, std::filesystem::copy_options::overwrite_existing);
    KvPlayFileInfo byName{};
    std::strncpy(byName.path, named.c_str(), sizeof byName.path - 1);
    ASSERT_EQ(KvPlayGetFileInfo(&byName), KV_OK);
    EXPECT_EQ(byName.time_source, KV_TIME_FILE_NAME);
    EXPECT_EQ(byName.time, static_cast<uint64_t>(k20250314));

    KvPlayFileInfo raw{};
    std::strncpy(raw.path, media().raw264.c_str(), sizeof raw.path - 1);
    ASSERT_EQ(KvPlayGetFileInfo(&raw), KV_OK);
    EXPECT_EQ(raw.time_source, KV_TIME_MODIFIED);
}
