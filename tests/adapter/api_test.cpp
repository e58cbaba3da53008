// The player API's checks and failure values, the refused network
// operations, and the open and close sequences.
#include "AdapterMedia.h"
#include "EventRecorder.h"
#include "PlayerApi.h"
#include "PlayerLibrary.h"
#include "PlayerRecords.h"
#include "QKvWin.h"
#include "TestSurface.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <array>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

// Releases the libraries after the last test, as the program does at exit.
class LibraryEnvironment : public ::testing::Environment {
public:
    void TearDown() override { PlayerApi::ReleaseLibrary(); }
};
[[maybe_unused]] ::testing::Environment* const g_library =
    ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);

// An adapter that answers a few operations itself and counts the calls.
class CountingAdapter : public QKvWin {
public:
    int calls = 0;
    int32_t OpenSound(uint32_t) override
    {
        ++calls;
        return 0;
    }
    uint64_t GetCurPlayedTime(uint32_t) override
    {
        ++calls;
        return 42;
    }
    int32_t SetAspectMode(uint32_t, int32_t) override
    {
        ++calls;
        return 0;
    }
    int32_t StartLocalRecordFile(uint32_t, const ClipRequest*) override
    {
        ++calls;
        return 0;
    }
};

class CountingHandle : public QKvFactory {
public:
    CountingHandle() { setAdapter(CreateAdapter()); }
    std::unique_ptr<QKvosAdapter> CreateAdapter() override { return std::make_unique<CountingAdapter>(); }
    int calls() const { return static_cast<CountingAdapter*>(adapter())->calls; }
};

PlayFileParam fileParam(const QString& path, QObject* target, uint32_t user)
{
    PlayFileParam file;
    file.eventTarget = target;
    file.user = user;
    PlayerRecords::copyPath(file.path, sizeof file.path, path.toUtf8());
    return file;
}

TEST(PlayerApi, MissingHandlesGiveTheFailureValues)
{
    EXPECT_EQ(PlayerApi::OpenSound(nullptr, 5), 1);
    EXPECT_EQ(PlayerApi::GetCurPlayedTime(nullptr, 5), 0U);
    EXPECT_EQ(PlayerApi::SetPlayMode(nullptr, 5, PlayStatePause, 256, 0, 0), 1);
    EXPECT_EQ(PlayerApi::SyncRePaint(nullptr, 5), 0);
    EXPECT_EQ(PlayerApi::SetAspectMode(nullptr, 5, 2), 5) << "h comes back unchanged";
    const CaptureRequest capture = PlayerRecords::captureRequest(u"/tmp/x.png"_s, 0);
    EXPECT_EQ(PlayerApi::CapturePicture(nullptr, &capture, 1, 5), 1);
    EXPECT_EQ(PlayerApi::StopLocalRecord(nullptr, 5, nullptr, nullptr), 1);
    FileInfoRecord info = PlayerRecords::fileInfoRecord(u"/tmp/none.mp4"_s);
    PlayerApi::GetFileInfo(nullptr, &info);
    EXPECT_EQ(info.time, 0U);
    PlayerApi::ClosePlayFile(nullptr);

    CountingHandle handle;
    EXPECT_EQ(PlayerApi::OpenSound(&handle, 0), 1);
    EXPECT_EQ(PlayerApi::GetCurPlayedTime(&handle, 0), 0U);
    EXPECT_EQ(PlayerApi::SetAspectMode(&handle, 0, 2), 0);
    const ClipRequest clip = PlayerRecords::clipRequest(u"/tmp/c.mp4"_s, u"/tmp/c.png"_s);
    EXPECT_EQ(PlayerApi::StartLocalRecordFile(&handle, 5, nullptr), 1) << "a missing request fails";
    EXPECT_EQ(handle.calls(), 0) << "no operation is called for a missing handle";

    EXPECT_EQ(PlayerApi::OpenSound(&handle, 5), 0);
    EXPECT_EQ(PlayerApi::GetCurPlayedTime(&handle, 5), 42U);
    EXPECT_EQ(PlayerApi::StartLocalRecordFile(&handle, 5, &clip), 0);
    EXPECT_EQ(handle.calls(), 3);
}

TEST(PlayerApi, KindsOtherThanZeroAreRefused)
{
    PlayFileParam file = fileParam(AdapterMedia::files().recording, nullptr, 0);
    file.instance = 12345;
    EXPECT_EQ(PlayerApi::OpenPlayFile(1, nullptr, &file), nullptr);
    EXPECT_EQ(file.instance, 12345U);
}

TEST(NetworkOperations, AnswerWithTheirFailureValues)
{
    QObject owner;
    EXPECT_EQ(PlayerApi::ConnectionStart(0, nullptr, &owner, nullptr), nullptr);
    EXPECT_EQ(PlayerApi::ConnectionStartEx(0, nullptr, &owner, nullptr), nullptr);

    QKvWin adapter;
    std::array<uint8_t, 512> request{};
    EXPECT_EQ(adapter.ConnectionStart(request.data(), &owner, nullptr), 0U);
    EXPECT_EQ(adapter.ConnectionStartEx(request.data(), &owner, nullptr), 0U);
    for (const int32_t status :
         {adapter.ConnectionStop(1), adapter.GetDevInfo(1, request.data()), adapter.PTZControl(1, request.data()),
          adapter.QueryParam(1, request.data()), adapter.QueryParamEx(1, request.data()),
          adapter.QueryDefaultParam(1, request.data()), adapter.QueryDefaultParamEx(1, request.data()),
          adapter.QueryTemporaryParam(1, request.data()), adapter.SetParam(1, request.data()),
          adapter.SetParamEx(1, request.data()), adapter.StartRemoteTest(1, 7, request.data(), nullptr, nullptr),
          adapter.StartRemoteUpgrade(1, request.data(), nullptr, &owner), adapter.StopRemoteUpgrade(1),
          adapter.StopDownloadRecord(nullptr), adapter.AlarmSubscribe(1, request.data()),
          adapter.QueryRecord(1, request.data()), adapter.StopRecordPlay(nullptr),
          adapter.ReposRecordPlay(nullptr, request.data()), adapter.RecordPlayControl(1, request.data()),
          adapter.StopPreview(nullptr), adapter.StopDualTalk(nullptr), adapter.SimpleCmd(1, 1, 2, 3, 4)})
        EXPECT_EQ(status, 1);
    EXPECT_EQ(adapter.NetCapture(1, request.data()), 0) << "its success value is 1";
    EXPECT_FALSE(adapter.QueryLog(1, request.data(), &owner));
    EXPECT_FALSE(adapter.SetRemoteTestHandler(7, [](uint16_t, const uint8_t*, int32_t, void*) {}, nullptr));
    EXPECT_EQ(adapter.StartDownloadRecord(1, request.data(), &owner, 1), nullptr);
    EXPECT_EQ(adapter.StartDownloadRecordEx(1, request.data(), &owner, 1), nullptr);

    StreamParam stream;
    stream.eventTarget = &owner;
    stream.user = 1;
    stream.request = request.data();
    EXPECT_EQ(adapter.StartPreview(1, nullptr, &stream), nullptr);
    EXPECT_EQ(adapter.StartRecordPlay(1, nullptr, &stream), nullptr);
    EXPECT_EQ(adapter.StartDualTalk(1, &stream), nullptr);
    EXPECT_EQ(adapter.CreateFeedPlayer(&stream), nullptr) << "the library has no feed players";
    EXPECT_EQ(stream.instance, 0U);

    CountingHandle handle;
    handle.setLoginHandle(1);
    const CaptureRequest capture = PlayerRecords::captureRequest(u"/tmp/x.png"_s, 0);
    EXPECT_EQ(PlayerApi::CapturePicture(&handle, &capture, 0, 0), 1) << "a refused network capture fails";
}

TEST(OpenPlayFile, WithoutWindowParamOpensButNeitherPlaysNorReports)
{
    EventRecorder target;
    PlayFileParam file = fileParam(AdapterMedia::files().recording, &target, 1);
    std::unique_ptr<PlayerHandle> handle = PlayerApi::OpenPlayFile(0, nullptr, &file);
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(handle->playContext(), nullptr);
    EXPECT_NE(file.instance, 0U);
    EXPECT_EQ(handle->playContext()->instance, file.instance);
    EXPECT_EQ(handle->playContext()->flags, 0U);
    EXPECT_EQ(handle->playContext()->eventTarget, nullptr) << "no callback knows the target";
    EXPECT_EQ(PlayerApi::GetCurPlayedTime(handle.get(), file.instance), 0U) << "not playing";
    uint64_t start = 0;
    uint64_t end = 0;
    EXPECT_EQ(PlayerApi::GetPlayFileTimeRange(handle.get(), file.instance, &start, &end), 0);
    EXPECT_GT(end, start);
    PlayerApi::ClosePlayFile(handle.get());
    EXPECT_EQ(handle->playContext(), nullptr);
    handle.reset();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(target.entries.isEmpty());
}

TEST(OpenPlayFile, RefusedFilesGiveNoHandleAndNoInstance)
{
    TestSurface surface(QSize(64, 48));
    const PlayWindowParam window{&surface, 0, kPlayFlagsVideoWindow, 0};
    const QStringList refused{AdapterMedia::files().garbage, AdapterMedia::files().dir + u"/missing.mp4"_s};
    for (const QString& path : refused) {
        PlayFileParam file = fileParam(path, nullptr, 1);
        file.instance = 12345;
        EXPECT_EQ(PlayerApi::OpenPlayFile(0, &window, &file), nullptr) << qPrintable(path);
        EXPECT_EQ(file.instance, 12345U);
    }
    PlayFileParam unterminated = fileParam(QString(), nullptr, 1);
    std::memset(unterminated.path, 'a', sizeof unterminated.path);
    EXPECT_EQ(PlayerApi::OpenPlayFile(0, &window, &unterminated), nullptr);
}

TEST(AdjustViewArea, ZeroSizeSurfaceReachesTheLibraryAndZeroPictureFails)
{
    PlayFileParam file = fileParam(AdapterMedia::files().recording, nullptr, 0);
    std::unique_ptr<PlayerHandle> handle = PlayerApi::OpenPlayFile(0, nullptr, &file);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(PlayerApi::AdjustViewArea(handle.get(), file.instance, ViewRegion{-1, -1, 0, 0}, 0, 0), 0);
    EXPECT_EQ(PlayerApi::AdjustViewArea(handle.get(), file.instance, ViewRegion{10, 10, 50, 50}, 100, 100), 0);
    PlayerApi::ClosePlayFile(handle.get());

    PlayFileParam audio = fileParam(AdapterMedia::files().audioOnly, nullptr, 0);
    handle = PlayerApi::OpenPlayFile(0, nullptr, &audio);
    ASSERT_NE(handle, nullptr) << "the library opens a file with sound only";
    int32_t width = -1;
    int32_t height = -1;
    PlayerApi::GetPictureInfo(handle.get(), audio.instance, &width, &height, nullptr);
    EXPECT_EQ(width * height, 0);
    EXPECT_EQ(PlayerApi::AdjustViewArea(handle.get(), audio.instance, ViewRegion{10, 10, 50, 50}, 100, 100), 1);
    PlayerApi::ClosePlayFile(handle.get());
}

TEST(ReadFileLength, OpensReadsAndClosesWithoutASurface)
{
    EventRecorder entry;
    EXPECT_EQ(PlayerApi::ReadFileLength(AdapterMedia::files().recording, &entry, 1), 2);
    EXPECT_EQ(PlayerApi::ReadFileLength(AdapterMedia::files().garbage, &entry, 1), -1);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(entry.entries.isEmpty());
}

TEST(ReadFileLength, RawStreamsAreCountedToTheEndUnlessCancelled)
{
    const QString raw = AdapterMedia::files().dir + QStringLiteral("/still.264");
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
                  QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                  QStringLiteral("testsrc2=size=160x120:rate=25:duration=3"), QStringLiteral("-c:v"),
                  QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
                  QStringLiteral("-f"), QStringLiteral("h264"), raw});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
    EXPECT_EQ(PlayerApi::ReadExactFileLength(raw, {}), 3) << "75 frames at 25 fps";
    EXPECT_GE(PlayerApi::ReadExactFileLength(raw, [] { return true; }), 0) << "a cancelled wait still answers";
    EXPECT_EQ(PlayerApi::ReadExactFileLength(AdapterMedia::files().garbage, {}), -1);
    uint64_t start = 0;
    uint64_t end = 0;
    ASSERT_TRUE(PlayerApi::ReadExactFileRange(raw, {}, &start, &end));
    EXPECT_NEAR(static_cast<double>(end - start), 3e6, 1e5) << "the range is the same measure as the length";
    EXPECT_FALSE(PlayerApi::ReadExactFileRange(AdapterMedia::files().garbage, {}, &start, &end));
}

TEST(ReadFileLength, ATransportStreamWhoseTimestampsResetCountsBothParts)
{
    // A recorder that restarted: the second part's times start again at 0.
    const QString joined = AdapterMedia::files().dir + u"/restarted.ts"_s;
    QFile out(joined);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    for (const QString& offset : {u"20"_s, u"0"_s}) {
        const QString part = AdapterMedia::files().dir + u"/part-%1.ts"_s.arg(offset);
        QProcess ffmpeg;
        ffmpeg.start(u"ffmpeg"_s, {u"-nostdin"_s, u"-loglevel"_s, u"error"_s, u"-y"_s, u"-f"_s, u"lavfi"_s, u"-i"_s,
                                   u"testsrc2=size=160x120:rate=25:duration=3"_s, u"-c:v"_s, u"libx264"_s,
                                   u"-preset"_s, u"ultrafast"_s, u"-output_ts_offset"_s, offset, u"-f"_s,
                                   u"mpegts"_s, part});
        ASSERT_TRUE(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        QFile in(part);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        out.write(in.readAll());
    }
    out.close();
    EXPECT_EQ(PlayerApi::ReadExactFileLength(joined, {}), 6) << "3 s before the reset and 3 s after";
}

TEST(OpenCloseCycles, ThousandLengthReadsAndFiftyPlaysLeaveNothingBehind)
{
    EventRecorder entry;
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(PlayerApi::ReadFileLength(AdapterMedia::files().shortClip, &entry, 1), 0) << i;

    TestSurface surface(QSize(32, 24));
    const PlayWindowParam window{&surface, 0, kPlayFlagsVideoWindow, 0};
    for (int i = 0; i < 50; ++i) {
        const int presents = surface.presents();
        PlayFileParam file = fileParam(AdapterMedia::files().shortClip, &entry, 1);
        std::unique_ptr<PlayerHandle> handle = PlayerApi::OpenPlayFile(0, &window, &file);
        ASSERT_NE(handle, nullptr) << i;
        EXPECT_TRUE(QTest::qWaitFor([&] { return surface.presents() > presents; })) << i;
        if (i % 2 == 0)
            PlayerApi::ClosePlayFile(handle.get());
        handle.reset();
    }
}

}
