#pragma once

#include "QKvosAdapter.h"

// The adapter over the KvPlay and KvNet libraries. The file operations act
// only on the instance handle they are given, so the adapter has no state;
// the recorder operations are refused (QKvWinNet.cpp).
class QKvWin : public QKvosAdapter {
public:
    QKvWin();
    ~QKvWin() override;
    QKvWin(const QKvWin&) = delete;
    QKvWin& operator=(const QKvWin&) = delete;

    uint32_t ConnectionStart(const void* request, QObject* owner, ConnectionStatusHandler handler) override;
    uint32_t ConnectionStartEx(const void* request, QObject* owner, ConnectionStatusHandler handler) override;
    int32_t ConnectionStop(uint32_t s) override;
    int32_t GetDevInfo(uint32_t s, void* info) override;
    PlayContext* StartPreview(uint32_t s, const PlayWindowParam* window, StreamParam* stream) override;
    int32_t StopPreview(PlayContext* context) override;
    int32_t PTZControl(uint32_t s, const void* request) override;
    int32_t QueryParam(uint32_t s, void* request) override;
    int32_t QueryParamEx(uint32_t s, void* request) override;
    int32_t QueryDefaultParam(uint32_t s, void* request) override;
    int32_t QueryDefaultParamEx(uint32_t s, void* request) override;
    int32_t QueryTemporaryParam(uint32_t s, void* request) override;
    int32_t SetParam(uint32_t s, const void* request) override;
    int32_t SetParamEx(uint32_t s, const void* request) override;
    int32_t StartRemoteTest(uint32_t s, uint16_t testId, const void* request, RemoteTestHandler handler,
                            void* user) override;
    void ClearRemoteTestHandler(uint16_t testId) override;
    bool SetRemoteTestHandler(uint16_t testId, RemoteTestHandler handler, void* user) override;
    int32_t StartRemoteUpgrade(uint32_t s, const void* request, UpgradeProgressHandler handler,
                               QObject* target) override;
    int32_t StopRemoteUpgrade(uint32_t s) override;
    DownloadRecord* StartDownloadRecord(uint32_t s, const void* request, QObject* target, uint32_t user) override;
    DownloadRecord* StartDownloadRecordEx(uint32_t s, const void* request, QObject* target, uint32_t user) override;
    int32_t StopDownloadRecord(DownloadRecord* record) override;
    int32_t AlarmSubscribe(uint32_t s, const void* request) override;
    int32_t NetCapture(uint32_t s, const void* request) override;
    int32_t CapturePicture(uint32_t h, const CaptureRequest* request) override;
    // The same without an adapter: the library call is safe on any thread and
    // fails once the instance is gone.
    static int32_t captureInstance(uint32_t h, const CaptureRequest* request);
    int32_t StartLocalRecord(uint32_t h, void* request) override;
    int32_t StartLocalRecordFile(uint32_t h, const ClipRequest* request) override;
    int32_t StopLocalRecord(uint32_t h, void* p, void* q) override;
    int32_t StopLocalRecordAsync(uint32_t h, std::function<void(bool written)> done) override;
    int32_t SwitchRecordFile(uint32_t h, void* request) override;
    int32_t QueryRecord(uint32_t s, const void* request) override;
    PlayContext* StartRecordPlay(uint32_t s, const PlayWindowParam* window, StreamParam* stream) override;
    int32_t StopRecordPlay(PlayContext* context) override;
    PlayContext* CreateFeedPlayer(StreamParam* stream) override;
    int32_t StartPlay(PlayContext* context) override;
    int32_t StopPlay(PlayContext* context) override;
    int32_t DestroyFeedPlayer(PlayContext* context) override;
    int32_t ReposRecordPlay(PlayContext* context, const void* request) override;
    int32_t RecordPlayControl(uint32_t s, const void* request) override;
    uint64_t GetCurPlayedTime(uint32_t h) override;
    int32_t SetPlayMode(uint32_t h, int32_t code, uint32_t ignored0, uint32_t ignored1, int32_t param) override;
    int32_t GetPlayMode(uint32_t h) override;
    int32_t RePaint(uint32_t h) override;
    int32_t SyncRePaint(uint32_t h) override;
    int32_t RegisterDrawFun(uint32_t h, DrawHook hook, void* user, QWidget* widget) override;
    PlayContext* StartDualTalk(uint32_t s, StreamParam* stream) override;
    int32_t StopDualTalk(PlayContext* context) override;
    int32_t OpenSound(uint32_t h) override;
    int32_t CloseSound(uint32_t h) override;
    int32_t SetPlayVolume(uint32_t h, int32_t volume) override;
    int32_t GetPlayVolume(uint32_t h) override;
    int32_t SetMute(uint32_t h, int32_t on) override;
    int32_t GetMute(uint32_t h) override;
    int32_t SetMicPlayVolume(uint32_t h, int32_t volume) override;
    int32_t GetMicPlayVolume(uint32_t h) override;
    int32_t SetMicMute(uint32_t h, int32_t on) override;
    int32_t GetMicMute(uint32_t h) override;
    PlayContext* OpenPlayFile(const PlayWindowParam* window, PlayFileParam* file) override;
    PlayContext* OpenPlayFileList(const PlayWindowParam* window, PlayListParam* list) override;
    int32_t GetPlayFileTimeRange(uint32_t h, uint64_t* start, uint64_t* end) override;
    int32_t GetPlayFileTimeRangeExact(uint32_t h, uint64_t* start, uint64_t* end, uint32_t waitMs) override;
    int32_t SetCurPlayedTime(uint32_t h, uint32_t low, uint32_t high) override;
    int32_t SetCurPlayedTimeEx(uint32_t h, uint32_t low, uint32_t high) override;
    void ClosePlayFile(PlayContext* context) override;
    int32_t AdjustViewArea(uint32_t h, const ViewRegion& region, int32_t width, int32_t height) override;
    int32_t GetPictureInfo(uint32_t h, int32_t* width, int32_t* height, int32_t* bitsPerPixel) override;
    int32_t GetPosImage(uint32_t h, int32_t a, int32_t b, void* record, int32_t c, int32_t d) override;
    int32_t RenderActualProportion(uint32_t h, int32_t mode) override;
    int32_t SetOsdString(uint32_t h, int32_t x, int32_t y, const char* text) override;
    int32_t RemoveOsdString(uint32_t h) override;
    int32_t SimpleCmd(uint32_t s, int32_t a, int32_t b, int32_t c, int32_t d) override;
    bool QueryLog(uint32_t s, const void* request, QObject* target) override;
    void GetFileInfo(FileInfoRecord* record) override;
    int32_t SetAspectMode(uint32_t h, int32_t mode) override;

private:
    // Opens a file by open(h); the rest of the open is shared by file and list.
    template <typename Open>
    PlayContext* openInstance(const PlayWindowParam* window, QObject* target, uint32_t user, uint32_t* instance,
                              Open open);
};
