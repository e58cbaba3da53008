#pragma once

#include "PlayerTypes.h"

#include <cstdint>
#include <functional>

// The only way from the program to the playback and network libraries.
// h is a playback instance handle, s a recorder connection handle. Operations
// marked "network" serve recorder access, which the player does not use.
// Status results are 0 for success. GUI thread only.
class QKvosAdapter {
public:
    virtual ~QKvosAdapter();

    // network: connections and device information
    virtual uint32_t ConnectionStart(const void* request, QObject* owner, ConnectionStatusHandler handler) = 0;
    virtual uint32_t ConnectionStartEx(const void* request, QObject* owner, ConnectionStatusHandler handler) = 0;
    virtual int32_t ConnectionStop(uint32_t s) = 0;
    virtual int32_t GetDevInfo(uint32_t s, void* info) = 0;
    // network: live view
    virtual PlayContext* StartPreview(uint32_t s, const PlayWindowParam* window, StreamParam* stream) = 0;
    virtual int32_t StopPreview(PlayContext* context) = 0;
    virtual int32_t PTZControl(uint32_t s, const void* request) = 0;
    // network: parameters
    virtual int32_t QueryParam(uint32_t s, void* request) = 0;
    virtual int32_t QueryParamEx(uint32_t s, void* request) = 0;
    virtual int32_t QueryDefaultParam(uint32_t s, void* request) = 0;
    virtual int32_t QueryDefaultParamEx(uint32_t s, void* request) = 0;
    virtual int32_t QueryTemporaryParam(uint32_t s, void* request) = 0;
    virtual int32_t SetParam(uint32_t s, const void* request) = 0;
    virtual int32_t SetParamEx(uint32_t s, const void* request) = 0;
    // network: remote tests and upgrades
    virtual int32_t StartRemoteTest(uint32_t s, uint16_t testId, const void* request, RemoteTestHandler handler,
                                    void* user) = 0;
    virtual void ClearRemoteTestHandler(uint16_t testId) = 0;
    virtual bool SetRemoteTestHandler(uint16_t testId, RemoteTestHandler handler, void* user) = 0;
    // Progress goes to handler and, as type 1007 events, to target.
    virtual int32_t StartRemoteUpgrade(uint32_t s, const void* request, UpgradeProgressHandler handler,
                                       QObject* target) = 0;
    virtual int32_t StopRemoteUpgrade(uint32_t s) = 0;
    // network: downloads, alarms, captures
    virtual DownloadRecord* StartDownloadRecord(uint32_t s, const void* request, QObject* target, uint32_t user) = 0;
    virtual DownloadRecord* StartDownloadRecordEx(uint32_t s, const void* request, QObject* target,
                                                  uint32_t user) = 0;
    virtual int32_t StopDownloadRecord(DownloadRecord* record) = 0;
    virtual int32_t AlarmSubscribe(uint32_t s, const void* request) = 0;
    virtual int32_t NetCapture(uint32_t s, const void* request) = 0;

    // Snapshot of the playing picture.
    virtual int32_t CapturePicture(uint32_t h, const CaptureRequest* request) = 0;
    virtual int32_t StartLocalRecord(uint32_t h, void* request) = 0;
    // Clip of the playing file.
    virtual int32_t StartLocalRecordFile(uint32_t h, const ClipRequest* request) = 0;
    virtual int32_t StopLocalRecord(uint32_t h, void* p, void* q) = 0;
    // Ends the clip and returns at once; done(written) follows on the GUI
    // thread once the file is complete or has failed, only when this
    // returns 0. The library is released only after every such clip.
    virtual int32_t StopLocalRecordAsync(uint32_t h, std::function<void(bool written)> done) = 0;
    virtual int32_t SwitchRecordFile(uint32_t h, void* request) = 0;

    // network: remote record playback
    virtual int32_t QueryRecord(uint32_t s, const void* request) = 0;
    virtual PlayContext* StartRecordPlay(uint32_t s, const PlayWindowParam* window, StreamParam* stream) = 0;
    virtual int32_t StopRecordPlay(PlayContext* context) = 0;

    virtual PlayContext* CreateFeedPlayer(StreamParam* stream) = 0;
    virtual int32_t StartPlay(PlayContext* context) = 0;
    virtual int32_t StopPlay(PlayContext* context) = 0;
    virtual int32_t DestroyFeedPlayer(PlayContext* context) = 0;

    // network: remote record playback control
    virtual int32_t ReposRecordPlay(PlayContext* context, const void* request) = 0;
    virtual int32_t RecordPlayControl(uint32_t s, const void* request) = 0;

    // 0 when the library has no time yet.
    virtual uint64_t GetCurPlayedTime(uint32_t h) = 0;
    // The two middle words are ignored; the library receives param.
    virtual int32_t SetPlayMode(uint32_t h, int32_t code, uint32_t ignored0, uint32_t ignored1, int32_t param) = 0;
    virtual int32_t GetPlayMode(uint32_t h) = 0;
    virtual int32_t RePaint(uint32_t h) = 0;
    virtual int32_t SyncRePaint(uint32_t h) = 0;
    // 1 without a widget.
    virtual int32_t RegisterDrawFun(uint32_t h, DrawHook hook, void* user, QWidget* widget) = 0;

    // network: two-way talk
    virtual PlayContext* StartDualTalk(uint32_t s, StreamParam* stream) = 0;
    virtual int32_t StopDualTalk(PlayContext* context) = 0;

    virtual int32_t OpenSound(uint32_t h) = 0;
    virtual int32_t CloseSound(uint32_t h) = 0;
    virtual int32_t SetPlayVolume(uint32_t h, int32_t volume) = 0;
    virtual int32_t GetPlayVolume(uint32_t h) = 0;
    virtual int32_t SetMute(uint32_t h, int32_t on) = 0;
    virtual int32_t GetMute(uint32_t h) = 0;
    virtual int32_t SetMicPlayVolume(uint32_t h, int32_t volume) = 0;
    virtual int32_t GetMicPlayVolume(uint32_t h) = 0;
    virtual int32_t SetMicMute(uint32_t h, int32_t on) = 0;
    virtual int32_t GetMicMute(uint32_t h) = 0;

    // Opens one file; with a surface in window it also shows, reports and,
    // by the flags, plays. Null on failure, leaving no instance behind.
    virtual PlayContext* OpenPlayFile(const PlayWindowParam* window, PlayFileParam* file) = 0;
    virtual PlayContext* OpenPlayFileList(const PlayWindowParam* window, PlayListParam* list) = 0;
    virtual int32_t GetPlayFileTimeRange(uint32_t h, uint64_t* start, uint64_t* end) = 0;
    // The range once a raw stream's estimate has been replaced by its exact
    // end, waiting up to waitMs; 12 when the wait ran out first. Blocks: for
    // worker threads only.
    virtual int32_t GetPlayFileTimeRangeExact(uint32_t h, uint64_t* start, uint64_t* end, uint32_t waitMs) = 0;
    virtual int32_t SetCurPlayedTime(uint32_t h, uint32_t low, uint32_t high) = 0;
    virtual int32_t SetCurPlayedTimeEx(uint32_t h, uint32_t low, uint32_t high) = 0;
    // Stops, closes and releases context.
    virtual void ClosePlayFile(PlayContext* context) = 0;
    // Zooms to region of a surface of width x height; 1 when the picture size
    // is unknown.
    virtual int32_t AdjustViewArea(uint32_t h, const ViewRegion& region, int32_t width, int32_t height) = 0;
    virtual int32_t GetPictureInfo(uint32_t h, int32_t* width, int32_t* height, int32_t* bitsPerPixel) = 0;
    virtual int32_t GetPosImage(uint32_t h, int32_t a, int32_t b, void* record, int32_t c, int32_t d);
    virtual int32_t RenderActualProportion(uint32_t h, int32_t mode) = 0;
    virtual int32_t SetOsdString(uint32_t h, int32_t x, int32_t y, const char* text) = 0;
    virtual int32_t RemoveOsdString(uint32_t h) = 0;

    // network: commands and logs
    virtual int32_t SimpleCmd(uint32_t s, int32_t a, int32_t b, int32_t c, int32_t d) = 0;
    virtual bool QueryLog(uint32_t s, const void* request, QObject* target) = 0;

    // Fills record for the file named in its first 256 bytes.
    virtual void GetFileInfo(FileInfoRecord* record) = 0;
    virtual int32_t SetAspectMode(uint32_t h, int32_t mode) = 0;
};
