// Sound through SDL (the dummy driver in CI): levels, playback with sound
// open at any speed, audio-only files, churn.
#include "MediaFixture.h"

#include <thread>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

class SoundTest : public EngineTest {};

TEST_F(SoundTest, VolumeIsClampedAndMuteKept)
{
    const uint32_t h = openFile(media().mp4);
    EXPECT_EQ(KvPlaySetPlayVolume_s(h, 150), KV_OK);
    EXPECT_EQ(KvPlayGetPlayVolume_s(h), 100);
    EXPECT_EQ(KvPlaySetPlayVolume_s(h, -5), KV_OK);
    EXPECT_EQ(KvPlayGetPlayVolume_s(h), 0);
    EXPECT_EQ(KvPlaySetPlayVolume_s(h, 37), KV_OK);
    EXPECT_EQ(KvPlayGetPlayVolume_s(h), 37);
    EXPECT_EQ(KvPlayGetMute_s(h), 0);
    EXPECT_EQ(KvPlaySetMute_s(h, 1), KV_OK);
    EXPECT_EQ(KvPlayGetMute_s(h), 1);
    EXPECT_EQ(KvPlayGetPlayVolume_s(9999), -1);
    EXPECT_EQ(KvPlayGetMute_s(9999), -1);
    EXPECT_EQ(KvPlaySetMicPlayVolume(h, 10), KV_ERR_UNSUPPORTED);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(SoundTest, PlaysToTheEndWithSoundOpenAtAnySpeed)
{
    struct Case {
        std::string path;
        int mode;
    };
    for (const Case& c : {Case{media().mp4, KV_MODE_PLAY}, Case{media().avi, KV_MODE_PLAY},
                          Case{media().ts, KV_MODE_FAST2}, Case{media().mp4, KV_MODE_SLOW2}}) {
        SCOPED_TRACE(c.path);
        TestTarget target(32, 24);
        MessageSink sink;
        const uint32_t h = openFile(c.path);
        KvPlaySetPlayWnd(h, target.target());
        KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
        ASSERT_EQ(KvPlayOpenSound(h), KV_OK);
        KvPlaySetPlayVolume_s(h, 50);
        KvPlaySetPlayMode(h, c.mode, 0);
        ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
        ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
        EXPECT_GE(target.presents(), 10);
        EXPECT_EQ(KvPlayCloseSound(h), KV_OK);
        KvPlayDestroyPlayInstance(h);
    }
}

TEST_F(SoundTest, AudioOnlyFilePlaysToTheEnd)
{
    MessageSink sink;
    const uint32_t h = openFile(media().audioOnly);
    uint64_t start = 0;
    uint64_t end = 0;
    ASSERT_EQ(KvPlayGetPlayFileTimeRange(h, &start, &end), KV_OK);
    EXPECT_NEAR(static_cast<double>(end - start), kDurationUs, 50000);
    int32_t w = 0;
    int32_t ht = 0;
    EXPECT_EQ(KvPlayGetPlayPicSize(h, &w, &ht), KV_ERR_NO_STREAM);
    KvPlaySetCallbackMessageEx(h, &MessageSink::callback, &sink);
    KvPlayOpenSound(h);
    KvPlaySetPlayMode(h, KV_MODE_FAST4, 0);
    ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
    ASSERT_TRUE(waitUntil([h] { return KvPlayGetCurPlayedTime(h) != 0; }, 10s));
    ASSERT_TRUE(sink.wait(KV_MSG_END_OF_FILE, 1, 30s));
    EXPECT_GE(KvPlayGetCurPlayedTime(h), end - 100000);
    KvPlayCaptureRecord rec{};
    std::snprintf(rec.path, sizeof rec.path, "%s/nothing.png", media().dir.c_str());
    EXPECT_EQ(KvPlayCapturePicture(h, &rec), KV_ERR_NO_FRAME);
    KvPlayDestroyPlayInstance(h);
}

TEST_F(SoundTest, SoundChurnWhilePlaying)
{
    TestTarget target(32, 24);
    const uint32_t h = openFile(media().mp4);
    KvPlaySetPlayWnd(h, target.target());
    ASSERT_EQ(KvPlayStartPlay(h), KV_OK);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(KvPlayOpenSound(h), KV_OK);
        if (i % 3 == 0)
            KvPlaySetPlayMode(h, i % 2 ? KV_MODE_PAUSE : KV_MODE_PLAY, 0);
        EXPECT_EQ(KvPlayCloseSound(h), KV_OK);
    }
    EXPECT_EQ(KvPlayOpenSound(h), KV_OK);
    // Destroy with sound open: device closed, threads joined.
    EXPECT_EQ(KvPlayDestroyPlayInstance(h), KV_OK);
}

} // namespace
} // namespace kvtest
