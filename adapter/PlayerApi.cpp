#include "PlayerApi.h"

#include "PlayerApiCall.h"
#include "PlayerLibrary.h"
#include "PlayerRecords.h"
#include "QKvWin.h"
#include "QKvwinFactory.h"
#include "kvplay.h"

using PlayerApiCall::call;
using PlayerApiCall::kFailed;
using PlayerApiCall::kNoTime;

static_assert(PlayerApi::kDefaultHardwareDecodeNumber == KV_DEFAULT_HARDWARE_DECODERS,
              "the player API names the library's own starting limit");

namespace {

constexpr int32_t kCaptureOverNetwork = 0;
constexpr int32_t kCapturePlaying = 1;
constexpr int64_t kMicrosecondsPerSecond = 1000000;

template <typename Param>
std::unique_ptr<PlayerHandle> openWith(int32_t kind, const PlayWindowParam* window, Param* param,
                                       PlayContext* (QKvosAdapter::*open)(const PlayWindowParam*, Param*))
{
    std::unique_ptr<PlayerHandle> handle = PlayerApiCall::createHandle(kind);
    if (handle == nullptr)
        return nullptr;
    handle->setPlayContext((handle->adapter()->*open)(window, param));
    if (handle->playContext() == nullptr)
        return nullptr;
    return handle;
}

}

namespace PlayerApiCall {

std::unique_ptr<PlayerHandle> createHandle(int32_t kind)
{
    if (kind != 0)
        return nullptr;
    PlayerLibrary::start();
    auto handle = std::make_unique<QKvwinFactory>();
    handle->setAdapter(handle->CreateAdapter());
    if (handle->adapter() == nullptr)
        return nullptr;
    return handle;
}

}

namespace PlayerApi {

int32_t StartLibrary()
{
    return PlayerLibrary::startHook();
}

void ReleaseLibrary()
{
    PlayerLibrary::release();
}

int32_t SetMaxHardwareDecodeNumber(int32_t n)
{
    return PlayerLibrary::setMaxHardwareDecoders(n) == 0 ? 0 : kFailed;
}

int32_t GetMaxHardwareDecodeNumber()
{
    return PlayerLibrary::maxHardwareDecoders();
}

std::unique_ptr<PlayerHandle> OpenPlayFile(int32_t kind, const PlayWindowParam* window, PlayFileParam* file)
{
    return openWith(kind, window, file, &QKvosAdapter::OpenPlayFile);
}

std::unique_ptr<PlayerHandle> OpenPlayFileList(int32_t kind, const PlayWindowParam* window, PlayListParam* list)
{
    return openWith(kind, window, list, &QKvosAdapter::OpenPlayFileList);
}

void ClosePlayFile(PlayerHandle* handle)
{
    if (handle != nullptr && handle->adapter() != nullptr && handle->playContext() != nullptr)
        handle->adapter()->ClosePlayFile(handle->takePlayContext());
}

namespace {

// Opens path without a surface, reads its range with readRange and closes it;
// false when the file cannot be opened or has no range.
template <typename ReadRange>
bool rangeOf(const QString& path, QObject* eventTarget, uint32_t user, ReadRange readRange, uint64_t* start,
             uint64_t* end)
{
    const PlayWindowParam window{nullptr, 0, kPlayFlagsVideoWindow, 0};
    PlayFileParam file;
    file.eventTarget = eventTarget;
    file.user = user;
    PlayerRecords::copyPath(file.path, sizeof file.path, path.toUtf8());
    std::unique_ptr<PlayerHandle> handle = OpenPlayFile(0, &window, &file);
    if (handle == nullptr)
        return false;
    *start = 0;
    *end = 0;
    const int32_t result = readRange(*handle, file.instance, start, end);
    ClosePlayFile(handle.get());
    return result == 0 && *end >= *start;
}

// The same as whole seconds, or -1.
template <typename ReadRange>
int64_t lengthOf(const QString& path, QObject* eventTarget, uint32_t user, ReadRange readRange)
{
    uint64_t start = 0;
    uint64_t end = 0;
    if (!rangeOf(path, eventTarget, user, readRange, &start, &end))
        return -1;
    return static_cast<int64_t>(end - start) / kMicrosecondsPerSecond;
}

constexpr uint32_t kExactWaitSliceMs = 100;
constexpr int32_t kWaitRanOut = 12;

// Reads the range after the library's pass over the whole file, or the
// estimate once cancelled() says stop.
auto exactRange(const std::function<bool()>& cancelled)
{
    return [&cancelled](PlayerHandle& handle, uint32_t h, uint64_t* start, uint64_t* end) {
        QKvosAdapter* adapter = handle.adapter();
        int32_t result = adapter->GetPlayFileTimeRangeExact(h, start, end, kExactWaitSliceMs);
        while (result == kWaitRanOut) {
            if (cancelled && cancelled())
                return 0;
            result = adapter->GetPlayFileTimeRangeExact(h, start, end, kExactWaitSliceMs);
        }
        return result;
    };
}

}

int64_t ReadFileLength(const QString& path, QObject* eventTarget, uint32_t user)
{
    return lengthOf(path, eventTarget, user, [](PlayerHandle& handle, uint32_t h, uint64_t* start, uint64_t* end) {
        return GetPlayFileTimeRange(&handle, h, start, end);
    });
}

int64_t ReadExactFileLength(const QString& path, const std::function<bool()>& cancelled)
{
    return lengthOf(path, nullptr, 0, exactRange(cancelled));
}

bool ReadExactFileRange(const QString& path, const std::function<bool()>& cancelled, uint64_t* start, uint64_t* end)
{
    return rangeOf(path, nullptr, 0, exactRange(cancelled), start, end);
}

int32_t CapturePicture(PlayerHandle* handle, const CaptureRequest* request, int32_t mode, uint32_t h)
{
    if (handle == nullptr || handle->adapter() == nullptr)
        return kFailed;
    if (mode == kCaptureOverNetwork)
        return handle->adapter()->NetCapture(handle->loginHandle(), request) != 0 ? 0 : kFailed;
    if (mode == kCapturePlaying && h != 0)
        return handle->adapter()->CapturePicture(h, request);
    return kFailed;
}

int32_t CapturePictureOnAnyThread(uint32_t h, const CaptureRequest& request)
{
    if (h == 0 || !PlayerLibrary::isInitialised())
        return kFailed;
    return QKvWin::captureInstance(h, &request) == 0 ? 0 : kFailed;
}

int32_t StartLocalRecord(PlayerHandle* handle, uint32_t h, void* request)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.StartLocalRecord(h, request); });
}

int32_t StartLocalRecordFile(PlayerHandle* handle, uint32_t h, const ClipRequest* request)
{
    return call(handle, h != 0 && request != nullptr, kFailed,
                [&](QKvosAdapter& a) { return a.StartLocalRecordFile(h, request); });
}

int32_t StopLocalRecord(PlayerHandle* handle, uint32_t h, void* p, void* q)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.StopLocalRecord(h, p, q); });
}

int32_t StopLocalRecordAsync(PlayerHandle* handle, uint32_t h, std::function<void(bool written)> done)
{
    return call(handle, h != 0 && done != nullptr, kFailed,
                [&](QKvosAdapter& a) { return a.StopLocalRecordAsync(h, std::move(done)); });
}

int32_t SwitchRecordFile(PlayerHandle* handle, uint32_t h, void* request)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SwitchRecordFile(h, request); });
}

PlayContext* CreateFeedPlayer(PlayerHandle* handle, StreamParam* stream)
{
    return call(handle, true, static_cast<PlayContext*>(nullptr),
                [&](QKvosAdapter& a) { return a.CreateFeedPlayer(stream); });
}

int32_t StartPlay(PlayerHandle* handle, PlayContext* context)
{
    return call(handle, context != nullptr, kFailed, [&](QKvosAdapter& a) { return a.StartPlay(context); });
}

int32_t StopPlay(PlayerHandle* handle, PlayContext* context)
{
    return call(handle, context != nullptr, kFailed, [&](QKvosAdapter& a) { return a.StopPlay(context); });
}

int32_t DestroyFeedPlayer(PlayerHandle* handle, PlayContext* context)
{
    return call(handle, context != nullptr, kFailed, [&](QKvosAdapter& a) { return a.DestroyFeedPlayer(context); });
}

uint64_t GetCurPlayedTime(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, kNoTime, [&](QKvosAdapter& a) { return a.GetCurPlayedTime(h); });
}

int32_t SetPlayMode(PlayerHandle* handle, uint32_t h, int32_t code, uint32_t ignored0, uint32_t ignored1,
                    int32_t param)
{
    return call(handle, h != 0, kFailed,
                [&](QKvosAdapter& a) { return a.SetPlayMode(h, code, ignored0, ignored1, param); });
}

int32_t GetPlayMode(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, 0, [&](QKvosAdapter& a) { return a.GetPlayMode(h); });
}

int32_t RePaint(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.RePaint(h); });
}

int32_t SyncRePaint(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, 0, [&](QKvosAdapter& a) { return a.SyncRePaint(h); });
}

int32_t RegisterDrawFun(PlayerHandle* handle, uint32_t h, DrawHook hook, void* user, QWidget* widget)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.RegisterDrawFun(h, hook, user, widget); });
}

int32_t OpenSound(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.OpenSound(h); });
}

int32_t CloseSound(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.CloseSound(h); });
}

int32_t SetPlayVolume(PlayerHandle* handle, uint32_t h, int32_t volume)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SetPlayVolume(h, volume); });
}

int32_t GetPlayVolume(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, 0, [&](QKvosAdapter& a) { return a.GetPlayVolume(h); });
}

int32_t SetMute(PlayerHandle* handle, uint32_t h, int32_t on)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SetMute(h, on); });
}

int32_t GetMute(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, 0, [&](QKvosAdapter& a) { return a.GetMute(h); });
}

int32_t SetMicPlayVolume(PlayerHandle* handle, uint32_t h, int32_t volume)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SetMicPlayVolume(h, volume); });
}

int32_t GetMicPlayVolume(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, 0, [&](QKvosAdapter& a) { return a.GetMicPlayVolume(h); });
}

int32_t SetMicMute(PlayerHandle* handle, uint32_t h, int32_t on)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SetMicMute(h, on); });
}

int32_t GetMicMute(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, 0, [&](QKvosAdapter& a) { return a.GetMicMute(h); });
}

int32_t GetPlayFileTimeRange(PlayerHandle* handle, uint32_t h, uint64_t* start, uint64_t* end)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.GetPlayFileTimeRange(h, start, end); });
}

int32_t SetCurPlayedTime(PlayerHandle* handle, uint32_t h, uint32_t low, uint32_t high)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SetCurPlayedTime(h, low, high); });
}

int32_t SetCurPlayedTimeEx(PlayerHandle* handle, uint32_t h, uint32_t low, uint32_t high)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SetCurPlayedTimeEx(h, low, high); });
}

int32_t AdjustViewArea(PlayerHandle* handle, uint32_t h, const ViewRegion& region, int32_t width, int32_t height)
{
    return call(handle, h != 0, kFailed,
                [&](QKvosAdapter& a) { return a.AdjustViewArea(h, region, width, height); });
}

int32_t GetPictureInfo(PlayerHandle* handle, uint32_t h, int32_t* width, int32_t* height, int32_t* bitsPerPixel)
{
    return call(handle, h != 0, kFailed,
                [&](QKvosAdapter& a) { return a.GetPictureInfo(h, width, height, bitsPerPixel); });
}

int32_t GetPosImage(PlayerHandle* handle, uint32_t h, int32_t a, int32_t b, void* record, int32_t c, int32_t d)
{
    return call(handle, h != 0, kFailed,
                [&](QKvosAdapter& adapter) { return adapter.GetPosImage(h, a, b, record, c, d); });
}

int32_t RenderActualProportion(PlayerHandle* handle, uint32_t h, int32_t mode)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.RenderActualProportion(h, mode); });
}

int32_t SetOsdString(PlayerHandle* handle, uint32_t h, int32_t x, int32_t y, const char* text)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.SetOsdString(h, x, y, text); });
}

int32_t RemoveOsdString(PlayerHandle* handle, uint32_t h)
{
    return call(handle, h != 0, kFailed, [&](QKvosAdapter& a) { return a.RemoveOsdString(h); });
}

void GetFileInfo(PlayerHandle* handle, FileInfoRecord* record)
{
    if (handle != nullptr && handle->adapter() != nullptr && record != nullptr)
        handle->adapter()->GetFileInfo(record);
}

int32_t SetAspectMode(PlayerHandle* handle, uint32_t h, int32_t mode)
{
    return call(handle, h != 0, static_cast<int32_t>(h), [&](QKvosAdapter& a) { return a.SetAspectMode(h, mode); });
}

}
