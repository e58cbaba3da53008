// A recording driven through the player API alone, as a video window drives
// it: open into a surface, play, pause, speeds, seek, times, snapshot, clip,
// and the end of the file reported on the GUI thread.
#include "AdapterMedia.h"
#include "EventRecorder.h"
#include "PlayerApi.h"
#include "PlayerRecords.h"
#include "TestSurface.h"
#include "events/AdapterEventTypes.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QTest>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr uint64_t kSecondUs = 1000000;
constexpr uint64_t kFrameUs = 40000;

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file.eventTarget = &target;
        file.user = 1;
        PlayerRecords::copyPath(file.path, sizeof file.path, AdapterMedia::files().recording.toUtf8());
        handle = PlayerApi::OpenPlayFile(0, &window, &file);
        ASSERT_NE(handle, nullptr);
        h = file.instance;
        ASSERT_NE(h, 0U);
    }

    void TearDown() override
    {
        PlayerApi::ClosePlayFile(handle.get());
        handle.reset();
    }

    uint64_t now() { return PlayerApi::GetCurPlayedTime(handle.get(), h); }

    void seek(uint64_t time)
    {
        ASSERT_EQ(PlayerApi::SetCurPlayedTime(handle.get(), h, static_cast<uint32_t>(time & 0xffffffffU),
                                              static_cast<uint32_t>(time >> 32)),
                  0);
    }

    TestSurface surface{QSize(160, 120)};
    EventRecorder target;
    PlayWindowParam window{&surface, 0, kPlayFlagsVideoWindow, 0};
    PlayFileParam file;
    std::unique_ptr<PlayerHandle> handle;
    uint32_t h = 0;
};

TEST_F(PlaybackTest, PlaysPausesChangesSpeedAndSeeks)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return surface.presents() > 0; }));
    EXPECT_EQ(surface.lastFrame().size(), QSize(160, 120));
    uint64_t start = 0;
    uint64_t end = 0;
    ASSERT_EQ(PlayerApi::GetPlayFileTimeRange(handle.get(), h, &start, &end), 0);
    EXPECT_GE(end - start, 2 * kSecondUs - kFrameUs);
    EXPECT_LE(end - start, 2 * kSecondUs + kFrameUs);
    ASSERT_TRUE(QTest::qWaitFor([&] { return now() != 0; }));
    EXPECT_GE(now(), start);

    EXPECT_EQ(PlayerApi::SetPlayMode(handle.get(), h, PlayStatePause, 256, 0, 0), 0);
    EXPECT_EQ(PlayerApi::GetPlayMode(handle.get(), h), PlayStatePause);
    EXPECT_EQ(PlayerApi::SetPlayMode(handle.get(), h, PlayStateFast2, 256, 0, 0), 0);
    EXPECT_EQ(PlayerApi::GetPlayMode(handle.get(), h), PlayStateFast2);
    EXPECT_EQ(PlayerApi::SetPlayMode(handle.get(), h, PlayStateSlow2, 256, 0, 0), 0);
    EXPECT_EQ(PlayerApi::GetPlayMode(handle.get(), h), PlayStateSlow2);
    EXPECT_EQ(PlayerApi::SetPlayMode(handle.get(), h, PlayStatePause, 256, 0, 0), 0);

    const uint64_t target1s = start + kSecondUs;
    seek(target1s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return now() >= target1s - kFrameUs && now() <= target1s + kFrameUs; }))
        << now() - start;
    EXPECT_EQ(PlayerApi::SetPlayMode(handle.get(), h, PlayStatePlay, 256, 0, 0), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return now() > target1s + kFrameUs; }));

    EXPECT_EQ(PlayerApi::OpenSound(handle.get(), h), 0);
    EXPECT_EQ(PlayerApi::SetPlayVolume(handle.get(), h, 15), 0);
    EXPECT_EQ(PlayerApi::CloseSound(handle.get(), h), 0);
    EXPECT_EQ(PlayerApi::SetAspectMode(handle.get(), h, 2), 0);
    EXPECT_EQ(PlayerApi::AdjustViewArea(handle.get(), h, ViewRegion{0, 0, 80, 60}, 160, 120), 0);
    EXPECT_EQ(PlayerApi::AdjustViewArea(handle.get(), h, ViewRegion{0, 0, 0, 0}, 0, 0), 0);
    EXPECT_EQ(PlayerApi::RegisterDrawFun(handle.get(), h, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(PlayerApi::RegisterDrawFun(handle.get(), h, nullptr, nullptr, &surface), 0);

    FileInfoRecord info = PlayerRecords::fileInfoRecord(AdapterMedia::files().recording);
    PlayerApi::GetFileInfo(handle.get(), &info);
    EXPECT_NE(info.time, 0U);
}

TEST_F(PlaybackTest, TakesASnapshotAndRecordsAClip)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return now() != 0; }));
    const QString picture = AdapterMedia::files().dir + u"/snapshot.png"_s;
    const CaptureRequest capture = PlayerRecords::captureRequest(picture, 0);
    ASSERT_EQ(PlayerApi::CapturePicture(handle.get(), &capture, 1, h), 0);
    EXPECT_EQ(QImage(picture).size(), QSize(320, 240)) << "the picture's own resolution";

    const QString clipPath = AdapterMedia::files().dir + u"/clip.mp4"_s;
    const ClipRequest clip = PlayerRecords::clipRequest(clipPath, AdapterMedia::files().dir + u"/clip.png"_s);
    const uint64_t started = now();
    ASSERT_EQ(PlayerApi::StartLocalRecordFile(handle.get(), h, &clip), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return now() >= started + kSecondUs / 2; }));
    std::array<uint8_t, 16> times{};
    uint32_t packets = 0;
    ASSERT_EQ(PlayerApi::StopLocalRecord(handle.get(), h, times.data(), &packets), 0);
    EXPECT_GT(QFileInfo(clipPath).size(), 0);
    EXPECT_GT(PlayerApi::ReadFileLength(clipPath, nullptr, 0), -1) << "the clip opens again";
}

TEST_F(PlaybackTest, ReportsTheEndAsMessage11OnTheGuiThread)
{
    EXPECT_EQ(PlayerApi::SetPlayMode(handle.get(), h, PlayStateFast4, 256, 0, 0), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return target.hasMessage(kPlayMessageEndOfFile); }, 30000));
    for (const EventRecorder::Entry& entry : target.entries)
        EXPECT_TRUE(entry.onGuiThread);
    const EventRecorder::Entry* end = target.first(AdapterEventType::PlayerMessage);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->code, 11);
    EXPECT_EQ(end->user, 1U);
    const EventRecorder::Entry* picture = target.first(AdapterEventType::RgbImage);
    ASSERT_NE(picture, nullptr) << "the picture hooks report the first picture";
    EXPECT_EQ(picture->picture, QSize(320, 240));
}

}
