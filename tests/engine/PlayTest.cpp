// Playback through the C API: end of file, pause, step, speeds, repaint,
// teardown while playing.
#include "MediaFixture.h"

#include <mutex>
#include <thread>
#include <vector>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

class PlayTest : public EngineTest {
protected:
    uint32_t startPlaying(const std::string& path, TestTarget& target, MessageSink& sink, int mode = KV_MODE_PLAY)
    {
        const uint32_t h = openFile(path);
        EXPECT_EQ(KvPlaySetPlayWnd(h, target.target()), KV_OK);
        EXPECT_EQ(KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink), KV_OK);
        EXPECT_EQ(KvPlaySetPlayMode(h, mode, 0), KV_OK);
        EXPECT_EQ(KvPlayStartPlay(h), KV_OK);
        return h;
    }
    static uint64_t startOf(uint32_t h)
    {
        uint64_t s = 0;
        uint64_t e = 0;
        KvPlayGetPlayFileTimeRange(h, &s, &e);
        return s;
    }
};

TEST_F(PlayTest, PlaysToTheEndAndReportsItOnce)
{
    for (const std::string& path : {media().mp4, media().avi, media().ts, media().raw264}) {
        SCOPED_TRACE(path);
        TestTarget target(160, 120);
        MessageSink sink;
        const uint32_t h = startPlaying(path, target, sink, KV_MODE_FAST4);
        ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
        EXPECT_GT(target.presents(), 0);
        EXPECT_LE(target.presents(), 50);
        EXPECT_EQ(target.lastWidth(), 160);
        EXPECT_EQ(target.lastHeight(), 120);
        // The last frame stays on screen with its time.
        const uint64_t t = KvPlayGetCurPlayedTime(h);
        EXPECT_GE(t, startOf(h) + kDurationUs - 2 * kFrameUs);
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(sink.count(KV_MSG_END_OF_FILE), 1);
        EXPECT_EQ(KvPlayStopPlay(h), KV_OK);
        EXPECT_EQ(KvPlayGetCurPlayedTime(h), 0u);
        EXPECT_EQ(KvPlayDestroyPlayInstance(h), KV_OK);
    }
}

TEST_F(PlayTest, PauseKeepsTheFrameAndStepAdvancesExactlyOne)
{
    TestTarget target(64, 48);
    MessageSink sink;
    const uint32_t h = startPlaying(media().mp4, target, sink, KV_MODE_PAUSE);
    // Paused from the start: the first frame is shown and stays.
    ASSERT_TRUE(waitUntil([h] { return KvPlayGetCurPlayedTime(h) != 0; }, 10s));
    const uint64_t first = KvPlayGetCurPlayedTime(h);
    EXPECT_EQ(first, startOf(h));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(KvPlayGetCurPlayedTime(h), first);
    EXPECT_EQ(KvPlayGetPlayMode(h), KV_MODE_PAUSE);
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP, 0), KV_OK);
        const uint64_t want = first + static_cast<uint64_t>(i * kFrameUs);
        ASSERT_TRUE(waitUntil([h, want] { return KvPlayGetCurPlayedTime(h) == want; }, 10s))
            << KvPlayGetCurPlayedTime(h) - first;
    }
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(KvPlayGetCurPlayedTime(h), first + 3 * kFrameUs);
    EXPECT_EQ(KvPlayGetPlayMode(h), KV_MODE_PAUSE);
    EXPECT_EQ(sink.count(KV_MSG_END_OF_FILE), 0);
    EXPECT_EQ(KvPlayDestroyPlayInstance(h), KV_OK);
}

TEST_F(PlayTest, StepFromPlayStopsOnTheNextFrame)
{
    TestTarget target(64, 48);
    MessageSink sink;
    const uint32_t h = startPlaying(media().mp4, target, sink, KV_MODE_SLOW16);
    ASSERT_TRUE(waitUntil([h] { return KvPlayGetCurPlayedTime(h) != 0; }, 10s));
    ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_STEP, 0), KV_OK);
    std::this_thread::sleep_for(300ms);
    const uint64_t t = KvPlayGetCurPlayedTime(h);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(KvPlayGetCurPlayedTime(h), t);
    EXPECT_EQ(KvPlayGetPlayMode(h), KV_MODE_PAUSE);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(PlayTest, FastestSpeedShowsKeyframesOnly)
{
    TestTarget target(64, 48);
    MessageSink sink;
    const uint32_t h = startPlaying(media().mp4, target, sink, KV_MODE_FAST16);
    ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    // GOP 25 over 50 frames: two keyframes.
    EXPECT_GE(target.presents(), 1);
    EXPECT_LE(target.presents(), 2);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(PlayTest, RepaintPresentsTheLastFrameAtTheNewSize)
{
    TestTarget target(64, 48);
    MessageSink sink;
    const uint32_t h = startPlaying(media().mp4, target, sink, KV_MODE_PAUSE);
    ASSERT_TRUE(target.waitPresents(1, 10s));
    const int before = target.presents();
    // Nothing changed: no present, so a paint handler cannot loop.
    EXPECT_EQ(KvPlayNSynchroRePaint(h), KV_OK);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(target.presents(), before);
    target.setSize(200, 100);
    EXPECT_EQ(KvPlayNSynchroRePaint(h), KV_OK);
    ASSERT_TRUE(target.waitPresents(before + 1, 10s));
    EXPECT_EQ(target.lastWidth(), 200);
    EXPECT_EQ(target.lastHeight(), 100);
    EXPECT_EQ(KvPlayRePaint(h), KV_OK);
    ASSERT_TRUE(target.waitPresents(before + 2, 10s));
    KvPlayDestroyPlayInstance(h);
}

TEST_F(PlayTest, ClearedTargetIsNeverCalledAgain)
{
    TestTarget target(64, 48);
    MessageSink sink;
    const uint32_t h = startPlaying(media().mp4, target, sink);
    ASSERT_TRUE(target.waitPresents(1, 10s));
    ASSERT_EQ(KvPlaySetPlayWnd(h, nullptr), KV_OK);
    const int n = target.presents();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(target.presents(), n);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(PlayTest, DestroyWhilePlayingJoinsAndSilencesCallbacks)
{
    for (int i = 0; i < 10; ++i) {
        TestTarget target(32, 24);
        MessageSink sink;
        const uint32_t h = startPlaying(media().ts, target, sink, KV_MODE_FAST16);
        if (i % 2)
            target.waitPresents(1, 5s);
        ASSERT_EQ(KvPlayDestroyPlayInstance(h), KV_OK);
        const int presents = target.presents();
        const int messages = sink.count(KV_MSG_END_OF_FILE);
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(target.presents(), presents);
        EXPECT_EQ(sink.count(KV_MSG_END_OF_FILE), messages);
    }
}

TEST_F(PlayTest, ManyOpenPlayCloseCycles)
{
    TestTarget target(32, 24);
    MessageSink sink;
    const uint32_t h = KvPlayCreatePlayInstance(0);
    ASSERT_NE(h, 0u);
    KvPlaySetPlayWnd(h, target.target());
    KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
    const std::string files[] = {media().mp4, media().avi, media().ts, media().raw264};
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(KvPlayOpenPlayFile(h, files[i % 4].c_str()), KV_OK);
        ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
        if (i % 5 == 0)
            target.waitPresents(target.presents() + 1, 5s);
        ASSERT_EQ(KvPlayStopPlay(h), KV_OK);
        ASSERT_EQ(KvPlayClosePlayFile(h), KV_OK);
    }
    EXPECT_EQ(KvPlayDestroyPlayInstance(h), KV_OK);
}

TEST_F(PlayTest, RestartAfterStopPlaysFromTheStart)
{
    TestTarget target(32, 24);
    MessageSink sink;
    const uint32_t h = startPlaying(media().mp4, target, sink, KV_MODE_FAST8);
    ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    ASSERT_EQ(KvPlayStopPlay(h), KV_OK);
    ASSERT_EQ(KvPlaySetPlayMode(h, KV_MODE_PAUSE, 0), KV_OK);
    ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
    ASSERT_TRUE(waitUntil([h] { return KvPlayGetCurPlayedTime(h) != 0; }, 10s));
    EXPECT_EQ(KvPlayGetCurPlayedTime(h), startOf(h));
    KvPlayDestroyPlayInstance(h);
}

TEST_F(PlayTest, CallsFromACallbackAreRefused)
{
    struct Probe {
        uint32_t h = 0;
        std::atomic<int> result{-1};
    };
    static Probe probe;
    TestTarget target(32, 24);
    const uint32_t h = openFile(media().mp4);
    probe.h = h;
    KvPlaySetCallbackMessageEx(
        h, [](int32_t, void* ctx) { static_cast<Probe*>(ctx)->result = KvPlayStopPlay(static_cast<Probe*>(ctx)->h); },
        &probe);
    KvPlaySetPlayMode(h, KV_MODE_FAST16, 0);
    ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
    ASSERT_TRUE(waitUntil([] { return probe.result.load() != -1; }, 30s));
    EXPECT_EQ(probe.result.load(), KV_ERR_REENTRANT);
    KvPlayDestroyPlayInstance(h);
}

} // namespace
} // namespace kvtest

namespace kvtest {
namespace {

struct HookCounter {
    std::mutex mutex;
    std::vector<uint8_t> pixels;
    int allocations = 0;
    int readies = 0;
    int width = 0;
    uint32_t value = 0;
    static KvPlayImageBuffer allocate(int32_t w, int32_t h, void* target)
    {
        auto* self = static_cast<HookCounter*>(target);
        std::lock_guard lock(self->mutex);
        ++self->allocations;
        self->width = w;
        self->pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
        return {self->pixels.data(), self};
    }
    static void ready(void* event, uint32_t value, uint32_t, uint32_t)
    {
        auto* self = static_cast<HookCounter*>(event);
        std::lock_guard lock(self->mutex);
        ++self->readies;
        self->value = value;
    }
};

TEST_F(PlayTest, PictureHooksRunAfterStartAndSeeksOnly)
{
    HookCounter hooks;
    TestTarget target(32, 24);
    MessageSink sink;
    const uint32_t h = openFile(media().mp4);
    const KvPlayImageHooks reg{&HookCounter::allocate, &HookCounter::ready, 0, 0, &hooks};
    ASSERT_EQ(KvPlayImageCallback(h, &reg, nullptr), KV_OK);
    KvPlaySetPlayWnd(h, target.target());
    KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
    KvPlaySetPlayMode(h, KV_MODE_FAST4, 0);
    ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
    ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    {
        std::lock_guard lock(hooks.mutex);
        EXPECT_EQ(hooks.allocations, 1);
        EXPECT_EQ(hooks.readies, 1);
        EXPECT_EQ(hooks.width, 320);
        EXPECT_EQ(hooks.value, static_cast<uint32_t>(kMp4CreationUs / 1000000));
        EXPECT_GT(target.presents(), 1);
    }
    ASSERT_EQ(KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(kMp4CreationUs),
                                     static_cast<uint32_t>(kMp4CreationUs >> 32)),
              KV_OK);
    ASSERT_TRUE(waitUntil(
        [&hooks] {
            std::lock_guard lock(hooks.mutex);
            return hooks.readies == 2;
        },
        10s));
    // Removed hooks are not called again.
    ASSERT_EQ(KvPlayImageCallback(h, nullptr, nullptr), KV_OK);
    KvPlaySetCurPlayedTime(h, static_cast<uint32_t>(kMp4CreationUs), static_cast<uint32_t>(kMp4CreationUs >> 32));
    std::this_thread::sleep_for(200ms);
    std::lock_guard lock(hooks.mutex);
    EXPECT_EQ(hooks.readies, 2);
    KvPlayDestroyPlayInstance(h);
}

} // namespace
} // namespace kvtest
