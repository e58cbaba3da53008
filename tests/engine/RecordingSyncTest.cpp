// Instances in a recording-time sync group: a clock instance leads, and each
// follower shows, of its own file, the picture recorded at the clock's time.
#include "MediaFixture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

// 2024-05-06T07:08:09Z, the first camera's start.
constexpr uint64_t kBaseUs = 1714979289ULL * 1000000ULL;
constexpr std::array<int, 4> kStartS{0, 3, 7, 60};
constexpr int kLengthS = 10;

std::string cameraFile(int index)
{
    return media().dir + "/camera" + std::to_string(index) + ".mp4";
}

// creation_time of a camera started offsetS seconds after the first.
std::string creationTime(int offsetS)
{
    const int s = 8 * 60 + 9 + offsetS;
    char text[32];
    std::snprintf(text, sizeof text, "2024-05-06T07:%02d:%02dZ", s / 60, s % 60);
    return text;
}

// Four cameras, made once per program: 10 s each, started 0, 3, 7 and 60 s
// after the first.
bool makeCameras()
{
    static const bool made = [] {
        bool ok = true;
        for (size_t i = 0; i < kStartS.size(); ++i)
            ok = ok && runFfmpeg("-f lavfi -i testsrc=size=96x64:rate=25:duration=" + std::to_string(kLengthS) +
                                 " -c:v libx264 -preset ultrafast -g 25 -pix_fmt yuv420p -metadata creation_time=" +
                                 creationTime(kStartS[i]) + " -f mp4 " + cameraFile(static_cast<int>(i)));
        return ok;
    }();
    return made;
}

class RecordingSyncTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_TRUE(makeCameras());
        clock_ = KvPlayCreatePlayInstance(KV_KIND_SYNC_CLOCK);
        ASSERT_NE(clock_, 0u);
        for (size_t i = 0; i < kStartS.size(); ++i) {
            windows_[i] = openFile(cameraFile(static_cast<int>(i)));
            ASSERT_NE(windows_[i], 0u);
            ASSERT_EQ(KvPlaySetPlayWnd(windows_[i], targets_[i].target()), KV_OK);
            ASSERT_EQ(KvPlaySetCallbackMessageEx(windows_[i], &MessageSink::callback, &sinks_[i]), KV_OK);
            ASSERT_EQ(KvPlayAddSyncPlayInstance(clock_, windows_[i]), KV_OK);
            ASSERT_EQ(KvPlayStartPlay(windows_[i]), KV_OK);
        }
    }
    void TearDown() override
    {
        for (uint32_t h : windows_)
            KvPlayDestroyPlayInstance(h);
        KvPlayDestroyPlayInstance(clock_);
        EngineTest::TearDown();
    }
    static uint64_t at(double seconds) { return kBaseUs + static_cast<uint64_t>(seconds * 1e6); }
    int seekClock(uint64_t t) const
    {
        return KvPlaySetCurPlayedTime(clock_, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32));
    }
    // Largest distance between the shown recording times of the windows whose
    // file covers t; max when one of them shows nothing.
    int64_t skewAt(uint64_t t) const
    {
        uint64_t lo = std::numeric_limits<uint64_t>::max();
        uint64_t hi = 0;
        for (size_t i = 0; i < kStartS.size(); ++i) {
            if (t < at(kStartS[i]) || t >= at(kStartS[i] + kLengthS - 1))
                continue;
            const uint64_t shown = KvPlayGetCurPlayedTime(windows_[i]);
            if (shown == 0)
                return std::numeric_limits<int64_t>::max();
            lo = std::min(lo, shown);
            hi = std::max(hi, shown);
        }
        return hi >= lo ? static_cast<int64_t>(hi - lo) : 0;
    }
    bool agree() const { return skewAt(KvPlayGetCurPlayedTime(clock_)) <= kFrameUs; }
    uint64_t shown(size_t i) const { return KvPlayGetCurPlayedTime(windows_[i]); }

    uint32_t clock_ = 0;
    std::array<uint32_t, 4> windows_{};
    std::array<TestTarget, 4> targets_{TestTarget{48, 32}, TestTarget{48, 32}, TestTarget{48, 32},
                                       TestTarget{48, 32}};
    std::array<MessageSink, 4> sinks_;
};

TEST_F(RecordingSyncTest, TheClockPlaysNoFileAndCannotFollow)
{
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), 0u);
    EXPECT_EQ(KvPlayGetPlayMode(clock_), KV_MODE_PAUSE);
    EXPECT_EQ(KvPlayOpenPlayFile(clock_, cameraFile(0).c_str()), KV_ERR_STATE);
    EXPECT_EQ(KvPlayStartPlay(clock_), KV_ERR_STATE);
    EXPECT_EQ(seekClock(0), KV_ERR_PARAM);
    const uint32_t lone = openFile(media().mp4);
    const uint32_t idle = KvPlayCreatePlayInstance(KV_KIND_SYNC_CLOCK);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(lone, idle), KV_ERR_STATE);
    EXPECT_EQ(KvPlayCreatePlayInstance(2), 0u);
    KvPlayDestroyPlayInstance(idle);
    KvPlayDestroyPlayInstance(lone);
    ASSERT_EQ(seekClock(at(5)), KV_OK);
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), at(5));
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_STEP, 80000), KV_OK);
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), at(5.08));
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_STEP_BACK, 0), KV_OK);
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), at(5.04));
    EXPECT_EQ(KvPlayGetPlayMode(clock_), KV_MODE_PAUSE);
    // Followers refuse their own mode changes and seeks.
    EXPECT_EQ(KvPlaySetPlayMode(windows_[1], KV_MODE_PLAY, 0), KV_ERR_STATE);
}

// A step of the clock left to choose is one picture of its fastest file.
TEST_F(RecordingSyncTest, AStepOfTheClockIsTheShortestFrameOfItsFiles)
{
    ASSERT_EQ(seekClock(at(5)), KV_OK);
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_STEP, 0), KV_OK);
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), at(5) + 40000) << "25 fps cameras";
    const std::string fast = media().dir + "/camera50fps.mp4";
    ASSERT_TRUE(runFfmpeg("-f lavfi -i testsrc=size=96x64:rate=50:duration=2 -c:v libx264 -preset ultrafast "
                          "-pix_fmt yuv420p -f mp4 " + fast));
    const uint32_t fifty = openFile(fast);
    ASSERT_NE(fifty, 0u);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(clock_, fifty), KV_OK);
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_STEP, 0), KV_OK);
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), at(5) + 60000);
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_STEP_BACK, 0), KV_OK);
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), at(5) + 40000);
    KvPlayDestroyPlayInstance(fifty);
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_STEP, 0), KV_OK);
    EXPECT_EQ(KvPlayGetCurPlayedTime(clock_), at(5) + 80000) << "once the fast file has gone";
}

TEST_F(RecordingSyncTest, WindowsShowTheClocksRecordingTime)
{
    // Paused after a seek: every covering window settles on the picture
    // recorded at the clock's time, whatever its own file's start.
    ASSERT_EQ(seekClock(at(8)), KV_OK);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(waitUntil([&] { return shown(i) == at(8); }, 10s)) << i << ": " << shown(i);
    // The camera that starts a minute later holds its first picture.
    EXPECT_TRUE(waitUntil([&] { return shown(3) == at(60); }, 10s)) << shown(3);
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_PLAY, 0), KV_OK);
    EXPECT_TRUE(waitUntil([&] { return shown(0) > at(8.2) && agree(); }, 10s)) << skewAt(at(8.2));
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_FAST4, 0), KV_OK);
    EXPECT_TRUE(waitUntil([&] { return shown(1) > at(9.2) && agree(); }, 10s)) << skewAt(at(9.2));
    EXPECT_EQ(shown(3), at(60));
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_PAUSE, 0), KV_OK);
    const uint64_t paused = KvPlayGetCurPlayedTime(clock_);
    EXPECT_TRUE(waitUntil([&] { return skewAt(paused) == 0; }, 10s)) << skewAt(paused);
    // A step moves every window one picture on.
    const uint64_t before = shown(1);
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_STEP, kFrameUs), KV_OK);
    EXPECT_TRUE(waitUntil([&] { return shown(1) == before + kFrameUs && skewAt(paused) == 0; }, 10s))
        << shown(1) - before << " " << skewAt(paused);
}

TEST_F(RecordingSyncTest, ALateCameraStartsByItselfAndAnEndedOneHoldsItsLastPicture)
{
    ASSERT_EQ(seekClock(at(59.5)), KV_OK);
    ASSERT_TRUE(waitUntil([&] { return shown(3) == at(60); }, 10s)) << shown(3);
    // The first camera ended seconds ago: it holds its last picture.
    EXPECT_TRUE(waitUntil([&] { return shown(0) >= at(kLengthS) - 2 * kFrameUs; }, 10s)) << shown(0);
    ASSERT_EQ(KvPlaySetPlayMode(clock_, KV_MODE_PLAY, 0), KV_OK);
    EXPECT_TRUE(waitUntil([&] { return shown(3) > at(60.2); }, 10s)) << shown(3);
    const uint64_t clock = KvPlayGetCurPlayedTime(clock_);
    EXPECT_LE(std::llabs(static_cast<int64_t>(clock - shown(3))), 2 * kFrameUs);
    EXPECT_GE(shown(0), at(kLengthS) - 2 * kFrameUs);
    // Back into the first camera's footage, it plays again.
    ASSERT_EQ(seekClock(at(2)), KV_OK);
    EXPECT_TRUE(waitUntil([&] { return shown(0) > at(2.2) && shown(0) < at(4); }, 10s)) << shown(0);
    EXPECT_TRUE(waitUntil([&] { return shown(3) == at(60); }, 10s)) << shown(3);
}

} // namespace
} // namespace kvtest
