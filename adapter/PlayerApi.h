#pragma once

// The player API: one function per adapter operation. Each takes the player
// handle first and, where the operation needs one, the playback instance
// handle h or the connection handle s second. When the handle, its adapter or
// h/s (or the play context) is missing, a function returns its failure value
// without calling the adapter: 1 for status results, 0 for times and counts,
// null for contexts and records. GUI thread only.

#include "PlayerTypes.h"
#include "QKvFactory.h"

#include <QString>

#include <functional>
#include <memory>

namespace PlayerApi {

// Start-time hook; the libraries start lazily with the first handle. 0.
int32_t StartLibrary();
// Releases the libraries at program exit if they were started.
void ReleaseLibrary();

// The most video streams, of all players together, that decode in hardware
// where the machine can; 0 decodes everything in software. The library
// starts with kDefaultHardwareDecodeNumber. 0 on success, 1 for n < 0.
inline constexpr int32_t kDefaultHardwareDecodeNumber = 16;
int32_t SetMaxHardwareDecodeNumber(int32_t n);
int32_t GetMaxHardwareDecodeNumber();

// Handle-creating functions: kind 0 is the only kind. They start the
// libraries if needed; null on failure, leaving nothing open.
std::unique_ptr<PlayerHandle> OpenPlayFile(int32_t kind, const PlayWindowParam* window, PlayFileParam* file);
std::unique_ptr<PlayerHandle> OpenPlayFileList(int32_t kind, const PlayWindowParam* window, PlayListParam* list);
std::unique_ptr<PlayerHandle> ConnectionStart(int32_t kind, const void* request, QObject* owner,
                                              ConnectionStatusHandler handler);
std::unique_ptr<PlayerHandle> ConnectionStartEx(int32_t kind, const void* request, QObject* owner,
                                                ConnectionStatusHandler handler);

// Closes the file opened through handle; the handle may then be dropped.
void ClosePlayFile(PlayerHandle* handle);
// Reading a file's length without threads or sound: open without a surface,
// read the time range, close. Seconds, or -1 when the file cannot be opened.
int64_t ReadFileLength(const QString& path, QObject* eventTarget, uint32_t user);
// The same with the exact length of a raw stream, whose quick range is an
// estimate: waits for the library's pass over the whole file until it ends or
// cancelled() says stop (asked about ten times a second), and then answers
// the estimate. Blocks: for worker threads only.
int64_t ReadExactFileLength(const QString& path, const std::function<bool()>& cancelled);
// The same wait, answering the file's recording time range (us, start and
// end) instead of its length; false when the file cannot be opened.
bool ReadExactFileRange(const QString& path, const std::function<bool()>& cancelled, uint64_t* start,
                        uint64_t* end);

int32_t CapturePicture(PlayerHandle* handle, const CaptureRequest* request, int32_t mode, uint32_t h);
// A snapshot of the playing instance h taken on a worker thread, so that the
// re-decode and the PNG write (about 100 ms at 1080p) never hold up the GUI.
// Needs no handle: it fails (nonzero) once the instance has been closed.
int32_t CapturePictureOnAnyThread(uint32_t h, const CaptureRequest& request);
int32_t StartLocalRecord(PlayerHandle* handle, uint32_t h, void* request);
int32_t StartLocalRecordFile(PlayerHandle* handle, uint32_t h, const ClipRequest* request);
int32_t StopLocalRecord(PlayerHandle* handle, uint32_t h, void* p, void* q);
// Ends the clip without waiting for its file: done(written) comes later on
// the GUI thread, only when this returns 0.
int32_t StopLocalRecordAsync(PlayerHandle* handle, uint32_t h, std::function<void(bool written)> done);
int32_t SwitchRecordFile(PlayerHandle* handle, uint32_t h, void* request);
PlayContext* CreateFeedPlayer(PlayerHandle* handle, StreamParam* stream);
int32_t StartPlay(PlayerHandle* handle, PlayContext* context);
int32_t StopPlay(PlayerHandle* handle, PlayContext* context);
int32_t DestroyFeedPlayer(PlayerHandle* handle, PlayContext* context);
uint64_t GetCurPlayedTime(PlayerHandle* handle, uint32_t h);
int32_t SetPlayMode(PlayerHandle* handle, uint32_t h, int32_t code, uint32_t ignored0, uint32_t ignored1,
                    int32_t param);
int32_t GetPlayMode(PlayerHandle* handle, uint32_t h);
int32_t RePaint(PlayerHandle* handle, uint32_t h);
// 0 when there is nothing to repaint.
int32_t SyncRePaint(PlayerHandle* handle, uint32_t h);
int32_t RegisterDrawFun(PlayerHandle* handle, uint32_t h, DrawHook hook, void* user, QWidget* widget);
int32_t OpenSound(PlayerHandle* handle, uint32_t h);
int32_t CloseSound(PlayerHandle* handle, uint32_t h);
int32_t SetPlayVolume(PlayerHandle* handle, uint32_t h, int32_t volume);
int32_t GetPlayVolume(PlayerHandle* handle, uint32_t h);
int32_t SetMute(PlayerHandle* handle, uint32_t h, int32_t on);
int32_t GetMute(PlayerHandle* handle, uint32_t h);
int32_t SetMicPlayVolume(PlayerHandle* handle, uint32_t h, int32_t volume);
int32_t GetMicPlayVolume(PlayerHandle* handle, uint32_t h);
int32_t SetMicMute(PlayerHandle* handle, uint32_t h, int32_t on);
int32_t GetMicMute(PlayerHandle* handle, uint32_t h);
int32_t GetPlayFileTimeRange(PlayerHandle* handle, uint32_t h, uint64_t* start, uint64_t* end);
int32_t SetCurPlayedTime(PlayerHandle* handle, uint32_t h, uint32_t low, uint32_t high);
int32_t SetCurPlayedTimeEx(PlayerHandle* handle, uint32_t h, uint32_t low, uint32_t high);
int32_t AdjustViewArea(PlayerHandle* handle, uint32_t h, const ViewRegion& region, int32_t width, int32_t height);
int32_t GetPictureInfo(PlayerHandle* handle, uint32_t h, int32_t* width, int32_t* height, int32_t* bitsPerPixel);
int32_t GetPosImage(PlayerHandle* handle, uint32_t h, int32_t a, int32_t b, void* record, int32_t c, int32_t d);
int32_t RenderActualProportion(PlayerHandle* handle, uint32_t h, int32_t mode);
int32_t SetOsdString(PlayerHandle* handle, uint32_t h, int32_t x, int32_t y, const char* text);
int32_t RemoveOsdString(PlayerHandle* handle, uint32_t h);
// Leaves record as it was without a handle.
void GetFileInfo(PlayerHandle* handle, FileInfoRecord* record);
// Returns h unchanged without a handle.
int32_t SetAspectMode(PlayerHandle* handle, uint32_t h, int32_t mode);

// Recorder access; the player uses none of these.
int32_t ConnectionStop(PlayerHandle* handle, uint32_t s);
int32_t GetDevInfo(PlayerHandle* handle, uint32_t s, void* info);
PlayContext* StartPreview(PlayerHandle* handle, uint32_t s, const PlayWindowParam* window, StreamParam* stream);
int32_t StopPreview(PlayerHandle* handle, PlayContext* context);
int32_t PTZControl(PlayerHandle* handle, uint32_t s, const void* request);
int32_t QueryParam(PlayerHandle* handle, uint32_t s, void* request);
int32_t QueryParamEx(PlayerHandle* handle, uint32_t s, void* request);
int32_t QueryDefaultParam(PlayerHandle* handle, uint32_t s, void* request);
int32_t QueryDefaultParamEx(PlayerHandle* handle, uint32_t s, void* request);
int32_t QueryTemporaryParam(PlayerHandle* handle, uint32_t s, void* request);
int32_t SetParam(PlayerHandle* handle, uint32_t s, const void* request);
int32_t SetParamEx(PlayerHandle* handle, uint32_t s, const void* request);
int32_t StartRemoteTest(PlayerHandle* handle, uint32_t s, uint16_t testId, const void* request,
                        RemoteTestHandler handler, void* user);
void ClearRemoteTestHandler(PlayerHandle* handle, uint16_t testId);
bool SetRemoteTestHandler(PlayerHandle* handle, uint16_t testId, RemoteTestHandler handler, void* user);
int32_t StartRemoteUpgrade(PlayerHandle* handle, uint32_t s, const void* request, UpgradeProgressHandler handler,
                           QObject* target);
int32_t StopRemoteUpgrade(PlayerHandle* handle, uint32_t s);
DownloadRecord* StartDownloadRecord(PlayerHandle* handle, uint32_t s, const void* request, QObject* target,
                                    uint32_t user);
DownloadRecord* StartDownloadRecordEx(PlayerHandle* handle, uint32_t s, const void* request, QObject* target,
                                      uint32_t user);
int32_t StopDownloadRecord(PlayerHandle* handle, DownloadRecord* record);
int32_t AlarmSubscribe(PlayerHandle* handle, uint32_t s, const void* request);
int32_t NetCapture(PlayerHandle* handle, uint32_t s, const void* request);
int32_t QueryRecord(PlayerHandle* handle, uint32_t s, const void* request);
PlayContext* StartRecordPlay(PlayerHandle* handle, uint32_t s, const PlayWindowParam* window, StreamParam* stream);
int32_t StopRecordPlay(PlayerHandle* handle, PlayContext* context);
int32_t ReposRecordPlay(PlayerHandle* handle, PlayContext* context, const void* request);
int32_t RecordPlayControl(PlayerHandle* handle, uint32_t s, const void* request);
PlayContext* StartDualTalk(PlayerHandle* handle, uint32_t s, StreamParam* stream);
int32_t StopDualTalk(PlayerHandle* handle, PlayContext* context);
int32_t SimpleCmd(PlayerHandle* handle, uint32_t s, int32_t a, int32_t b, int32_t c, int32_t d);
bool QueryLog(PlayerHandle* handle, uint32_t s, const void* request, QObject* target);

}
