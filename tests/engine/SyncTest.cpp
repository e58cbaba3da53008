// Instances in sync: a follower shows its file at its master's position and
// takes the master's mode; bad requests are refused; the master may go first.
#include "MediaFixture.h"

#include <cstdlib>
#include <limits>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

class SyncTest : public EngineTest {
protected:
    struct Playing {
        uint32_t h = 0;
        TestTarget target{64, 48};
        MessageSink sink;
    };

    // Opens the test recording into p, which then plays in mode.
    void play(Playing& p, int mode)
    {
        p.h = openFile(media().mp4);
        ASSERT_EQ(KvPlaySetPlayWnd(p.h, p.target.target()), KV_OK);
        ASSERT_EQ(KvPlaySetCallbackMessageEx(p.h, &MessageSink::callback, &p.sink), KV_OK);
        ASSERT_EQ(KvPlaySetPlayMode(p.h, mode, 0), KV_OK);
        ASSERT_EQ(KvPlayStartPlay(p.h), KV_OK);
    }
    static uint64_t startOf(uint32_t h)
    {
        uint64_t s = 0;
        uint64_t e = 0;
        KvPlayGetPlayFileTimeRange(h, &s, &e);
        return s;
    }
    // Distance between the pictures on screen, in media time; both play the
    // same file, so their times share one scale.
    static int64_t gap(uint32_t a, uint32_t b)
    {
        const uint64_t ta = KvPlayGetCurPlayedTime(a);
        const uint64_t tb = KvPlayGetCurPlayedTime(b);
        if (ta == 0 || tb == 0)
            return std::numeric_limits<int64_t>::max();
        return std::llabs(static_cast<int64_t>(ta - tb));
    }
    static int seek(uint32_t h, uint64_t t)
    {
        return KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32));
    }
};

TEST_F(SyncTest, BadHandlesAndSelfSyncAreRefused)
{
    const uint32_t a = KvPlayCreatePlayInstance(0);
    const uint32_t b = KvPlayCreatePlayInstance(0);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(0, a), KV_ERR_HANDLE);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(a, 0), KV_ERR_HANDLE);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(a, 0xdeadbeef), KV_ERR_HANDLE);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(a, a), KV_ERR_PARAM);
    ASSERT_EQ(KvPlayDestroyPlayInstance(b), KV_OK);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(a, b), KV_ERR_HANDLE);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(b, a), KV_ERR_HANDLE);
    // Refused requests leave a on its own.
    EXPECT_EQ(KvPlaySetPlayMode(a, KV_MODE_PAUSE, 0), KV_OK);
    KvPlayDestroyPlayInstance(a);
}

TEST_F(SyncTest, GroupsHaveOneMasterAndNoLoops)
{
    const uint32_t a = KvPlayCreatePlayInstance(0);
    const uint32_t b = KvPlayCreatePlayInstance(0);
    const uint32_t c = KvPlayCreatePlayInstance(0);
    const uint32_t d = KvPlayCreatePlayInstance(0);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a, b), KV_OK);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(b, a), KV_ERR_PARAM);
    EXPECT_EQ(KvPlayAddSyncPlayInstance(d, a), KV_ERR_STATE);
    // Following a follower means following its master.
    ASSERT_EQ(KvPlayAddSyncPlayInstance(b, c), KV_OK);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a, d), KV_OK);
    for (uint32_t h : {b, c, d})
        EXPECT_EQ(KvPlaySetPlayMode(h, KV_MODE_PLAY, 0), KV_ERR_STATE) << h;
    EXPECT_EQ(KvPlaySetPlayMode(a, KV_MODE_PLAY, 0), KV_OK);
    // With a gone, every one of them is on its own again.
    ASSERT_EQ(KvPlayDestroyPlayInstance(a), KV_OK);
    for (uint32_t h : {b, c, d}) {
        EXPECT_EQ(KvPlaySetPlayMode(h, KV_MODE_PLAY, 0), KV_OK) << h;
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(SyncTest, FollowerTakesTheMastersModeAndRefusesItsOwn)
{
    Playing a;
    Playing b;
    play(a, KV_MODE_PAUSE);
    play(b, KV_MODE_PLAY);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a.h, b.h), KV_OK);
    EXPECT_EQ(KvPlayGetPlayMode(b.h), KV_MODE_PAUSE);
    ASSERT_EQ(KvPlaySetPlayMode(a.h, KV_MODE_FAST2, 0), KV_OK);
    EXPECT_EQ(KvPlayGetPlayMode(b.h), KV_MODE_FAST2);
    ASSERT_EQ(KvPlaySetPlayMode(a.h, KV_MODE_STEP, 0), KV_OK);
    EXPECT_EQ(KvPlayGetPlayMode(b.h), KV_MODE_PAUSE);
    EXPECT_EQ(KvPlaySetPlayMode(b.h, KV_MODE_PLAY, 0), KV_ERR_STATE);
    EXPECT_EQ(seek(b.h, startOf(b.h)), KV_ERR_STATE);
    EXPECT_EQ(KvPlayGetPlayMode(b.h), KV_MODE_PAUSE);
    KvPlayDestroyPlayInstance(b.h);
    KvPlayDestroyPlayInstance(a.h);
}

TEST_F(SyncTest, FollowerShowsTheMastersPosition)
{
    Playing a;
    Playing b;
    play(a, KV_MODE_SLOW2);
    play(b, KV_MODE_PLAY);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a.h, b.h), KV_OK);
    const uint64_t start = startOf(a.h);
    ASSERT_TRUE(waitUntil([&] { return KvPlayGetCurPlayedTime(a.h) >= start + 600'000; }, 30s));
    // While both play, each reading may land between two pictures of either.
    EXPECT_TRUE(waitUntil([&] { return gap(a.h, b.h) <= 2 * kFrameUs; }, 10s)) << gap(a.h, b.h);
    // Paused, both settle on the picture at the master's time; the master's
    // may be one older when the pause came just as the next fell due.
    ASSERT_EQ(KvPlaySetPlayMode(a.h, KV_MODE_PAUSE, 0), KV_OK);
    EXPECT_TRUE(waitUntil([&] { return gap(a.h, b.h) <= kFrameUs; }, 10s)) << gap(a.h, b.h);
    const uint64_t before = KvPlayGetCurPlayedTime(a.h);
    ASSERT_EQ(KvPlaySetPlayMode(a.h, KV_MODE_STEP, 0), KV_OK);
    ASSERT_TRUE(waitUntil([&] { return KvPlayGetCurPlayedTime(a.h) != before; }, 10s));
    EXPECT_TRUE(waitUntil([&] { return gap(a.h, b.h) == 0; }, 10s)) << gap(a.h, b.h);
    ASSERT_EQ(KvPlaySetPlayMode(a.h, KV_MODE_FAST4, 0), KV_OK);
    EXPECT_TRUE(a.sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    EXPECT_TRUE(b.sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    EXPECT_GE(KvPlayGetCurPlayedTime(b.h), start + kDurationUs - 2 * kFrameUs);
    KvPlayDestroyPlayInstance(a.h);
    KvPlayDestroyPlayInstance(b.h);
}

TEST_F(SyncTest, MasterSeekMovesTheFollower)
{
    Playing a;
    Playing b;
    play(a, KV_MODE_PAUSE);
    play(b, KV_MODE_PAUSE);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a.h, b.h), KV_OK);
    const uint64_t target = startOf(a.h) + 30 * kFrameUs;
    ASSERT_EQ(seek(a.h, target), KV_OK);
    EXPECT_TRUE(waitUntil([&] { return KvPlayGetCurPlayedTime(a.h) == target; }, 10s));
    EXPECT_TRUE(waitUntil([&] { return KvPlayGetCurPlayedTime(b.h) == target; }, 10s))
        << KvPlayGetCurPlayedTime(b.h);
    KvPlayDestroyPlayInstance(a.h);
    KvPlayDestroyPlayInstance(b.h);
}

TEST_F(SyncTest, MasterStartBringsItsFollowersAlong)
{
    Playing a;
    Playing b;
    play(b, KV_MODE_PLAY);
    // A master that never played holds its followers on their first picture.
    a.h = openFile(media().mp4);
    KvPlaySetCallbackMessageEx(a.h, &MessageSink::callback, &a.sink);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a.h, b.h), KV_OK);
    ASSERT_TRUE(waitUntil([&] { return KvPlayGetCurPlayedTime(b.h) == startOf(b.h); }, 10s));
    ASSERT_EQ(KvPlaySetPlayMode(a.h, KV_MODE_FAST16, 0), KV_OK);
    ASSERT_EQ(KvPlayStartPlay(a.h), KV_OK);
    EXPECT_EQ(KvPlayGetPlayMode(b.h), KV_MODE_FAST16);
    EXPECT_TRUE(a.sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    EXPECT_TRUE(b.sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    KvPlayDestroyPlayInstance(a.h);
    KvPlayDestroyPlayInstance(b.h);
}

TEST_F(SyncTest, DestroyingThePlayingMasterLeavesTheFollowerPlaying)
{
    Playing a;
    Playing b;
    play(a, KV_MODE_PLAY);
    play(b, KV_MODE_PAUSE);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a.h, b.h), KV_OK);
    const uint64_t start = startOf(b.h);
    ASSERT_TRUE(waitUntil([&] { return KvPlayGetCurPlayedTime(b.h) >= start + 200'000; }, 30s));
    ASSERT_EQ(KvPlayDestroyPlayInstance(a.h), KV_OK);
    EXPECT_TRUE(b.sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    EXPECT_GE(KvPlayGetCurPlayedTime(b.h), start + kDurationUs - 2 * kFrameUs);
    EXPECT_EQ(KvPlayGetPlayMode(b.h), KV_MODE_PLAY);
    EXPECT_EQ(seek(b.h, start), KV_OK);
    KvPlayDestroyPlayInstance(b.h);
}

TEST_F(SyncTest, DestroyingThePausedMasterLeavesTheFollowerPausedAndItsOwn)
{
    Playing a;
    Playing b;
    play(a, KV_MODE_PAUSE);
    play(b, KV_MODE_PLAY);
    ASSERT_EQ(KvPlayAddSyncPlayInstance(a.h, b.h), KV_OK);
    ASSERT_EQ(KvPlayDestroyPlayInstance(a.h), KV_OK);
    EXPECT_EQ(KvPlayGetPlayMode(b.h), KV_MODE_PAUSE);
    ASSERT_EQ(KvPlaySetPlayMode(b.h, KV_MODE_FAST4, 0), KV_OK);
    EXPECT_TRUE(b.sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    KvPlayDestroyPlayInstance(b.h);
}

} // namespace
} // namespace kvtest
