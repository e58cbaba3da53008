#include "QKvWin.h"

#include "AdapterDiagnostics.h"
#include "EventPoster.h"
#include "PlayerCallbacks.h"
#include "SurfaceTarget.h"
#include "ViewArea.h"

#include "kvplay.h"

#include <QCoreApplication>

#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

// The adapter's records are copied byte for byte into the library's.
static_assert(sizeof(CaptureRecord) == sizeof(KvPlayCaptureRecord));
static_assert(offsetof(CaptureRecord, format) == offsetof(KvPlayCaptureRecord, format));
static_assert(sizeof(FileInfoRecord) == sizeof(KvPlayFileInfo));
static_assert(offsetof(FileInfoRecord, time) == offsetof(KvPlayFileInfo, time));
static_assert(offsetof(FileInfoRecord, time_source) == offsetof(KvPlayFileInfo, time_source));
static_assert(offsetof(FileInfoRecord, channel) == offsetof(KvPlayFileInfo, channel));
static_assert(offsetof(FileInfoRecord, device_type) == offsetof(KvPlayFileInfo, device_type));
static_assert(std::is_same_v<DrawHook, KvPlayDrawFn>);
static_assert(int32_t{TimeSourceUnknown} == KV_TIME_UNKNOWN && int32_t{TimeSourceCreation} == KV_TIME_CREATION
              && int32_t{TimeSourceStream} == KV_TIME_STREAM && int32_t{TimeSourceFileName} == KV_TIME_FILE_NAME
              && int32_t{TimeSourceModified} == KV_TIME_MODIFIED);
static_assert(kPlayMessageEndOfFile == KV_MSG_END_OF_FILE);
static_assert(int32_t{PlayStateStep} == KV_MODE_STEP && int32_t{PlayStateStepBack} == KV_MODE_STEP_BACK);
static_assert(int32_t{ClipKindSource} == KV_CLIP_SOURCE && int32_t{ClipKindRaw} == KV_CLIP_RAW
              && int32_t{ClipKindAvi} == KV_CLIP_AVI && int32_t{ClipKindMp4} == KV_CLIP_MP4);

QKvWin::QKvWin() = default;

QKvWin::~QKvWin() = default;

int32_t QKvWin::CapturePicture(uint32_t h, const CaptureRequest* request)
{
    return captureInstance(h, request);
}

int32_t QKvWin::captureInstance(uint32_t h, const CaptureRequest* request)
{
    if (request == nullptr)
        return KvPlayCapturePicture(h, nullptr);
    KvPlayCaptureRecord record{};
    std::memcpy(&record, &request->record, sizeof record);
    return KvPlayCapturePicture(h, &record);
}

int32_t QKvWin::StartLocalRecord(uint32_t h, void* request)
{
    if (request == nullptr)
        return KV_ERR_PARAM;
    uint32_t word = 0;
    std::memcpy(&word, request, sizeof word);
    return KvPlayStartlocalrecord(h, static_cast<uint8_t*>(request) + sizeof word, word, 0);
}

int32_t QKvWin::StartLocalRecordFile(uint32_t h, const ClipRequest* request)
{
    if (request == nullptr)
        return KV_ERR_PARAM;
    const KvPlayLocalRecordRequest record{0, request->clip_path, request->picture_path, request->kind,
                                    request->passthrough, 0, 0};
    return KvPlayStartlocalrecordFile(h, &record);
}

int32_t QKvWin::StopLocalRecord(uint32_t h, void* p, void* q)
{
    return KvPlayStoplocalrecord(h, p, q);
}

namespace {

// Carries the caller's report from the library's writer thread to the GUI.
void clipWritten(const KvPlayClipOutcome* outcome, void* user)
{
    std::shared_ptr<std::function<void(bool)>> done(static_cast<std::function<void(bool)>*>(user));
    const bool written = outcome->rc == KV_OK;
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [done, written] { (*done)(written); }, Qt::QueuedConnection);
}

}

int32_t QKvWin::StopLocalRecordAsync(uint32_t h, std::function<void(bool written)> done)
{
    auto report = std::make_unique<std::function<void(bool)>>(std::move(done));
    const int32_t rc = KvPlayStopLocalRecordAsync(h, clipWritten, report.get());
    if (rc == KV_OK)
        report.release(); // clipWritten owns it now
    return rc;
}

int32_t QKvWin::SwitchRecordFile(uint32_t h, void* request)
{
    if (request == nullptr)
        return KV_ERR_PARAM;
    uint32_t word = 0;
    std::memcpy(&word, request, sizeof word);
    return KvPlaySwitchRecordFile(h, static_cast<uint8_t*>(request) + sizeof word, word, 0);
}

PlayContext* QKvWin::CreateFeedPlayer(StreamParam* stream)
{
    auto context = std::make_unique<PlayContext>();
    context->instance = KvPlayCreatePlayInstance(4);
    if (context->instance == 0)
        return nullptr;
    context->flags = kPlayFlagFeed;
    if (stream != nullptr) {
        EventPoster::watch(stream->eventTarget);
        context->eventTarget = stream->eventTarget;
        context->user = stream->user;
        stream->instance = context->instance;
    }
    KvPlaySetCallbackMessageEx(context->instance, &PlayerCallbacks::onMessage, context.get());
    return context.release();
}

int32_t QKvWin::StartPlay(PlayContext* context)
{
    return context != nullptr ? KvPlayStartPlay(context->instance) : KV_ERR_PARAM;
}

int32_t QKvWin::StopPlay(PlayContext* context)
{
    return context != nullptr ? KvPlayStopPlay(context->instance) : KV_ERR_PARAM;
}

int32_t QKvWin::DestroyFeedPlayer(PlayContext* context)
{
    if (context == nullptr || KvPlayDestroyPlayInstance(context->instance) != KV_OK)
        return 1;
    delete context;
    return 0;
}

uint64_t QKvWin::GetCurPlayedTime(uint32_t h)
{
    return KvPlayGetCurPlayedTime(h);
}

int32_t QKvWin::SetPlayMode(uint32_t h, int32_t code, uint32_t, uint32_t, int32_t param)
{
    KV_ADAPTER_DIAG() << "nIFrameInterval " << param;
    return KvPlaySetPlayMode(h, code, param);
}

int32_t QKvWin::GetPlayMode(uint32_t h)
{
    return KvPlayGetPlayMode(h);
}

int32_t QKvWin::RePaint(uint32_t h)
{
    return KvPlayRePaint(h);
}

int32_t QKvWin::SyncRePaint(uint32_t h)
{
    return KvPlayNSynchroRePaint(h);
}

int32_t QKvWin::RegisterDrawFun(uint32_t h, DrawHook hook, void* user, QWidget* widget)
{
    if (widget == nullptr)
        return 1;
    return KvPlayRegisterDrawFun_s(h, hook, user, widget);
}

int32_t QKvWin::OpenSound(uint32_t h)
{
    return KvPlayOpenSound(h);
}

int32_t QKvWin::CloseSound(uint32_t h)
{
    return KvPlayCloseSound(h);
}

int32_t QKvWin::SetPlayVolume(uint32_t h, int32_t volume)
{
    return KvPlaySetPlayVolume_s(h, volume);
}

int32_t QKvWin::GetPlayVolume(uint32_t h)
{
    return KvPlayGetPlayVolume_s(h);
}

int32_t QKvWin::SetMute(uint32_t h, int32_t on)
{
    return KvPlaySetMute_s(h, on);
}

int32_t QKvWin::GetMute(uint32_t h)
{
    return KvPlayGetMute_s(h);
}

int32_t QKvWin::SetMicPlayVolume(uint32_t h, int32_t volume)
{
    return KvPlaySetMicPlayVolume(h, volume);
}

int32_t QKvWin::GetMicPlayVolume(uint32_t h)
{
    return KvPlayGetMicPlayVolume(h);
}

int32_t QKvWin::SetMicMute(uint32_t h, int32_t on)
{
    return KvPlaySetMicMute(h, on);
}

int32_t QKvWin::GetMicMute(uint32_t h)
{
    return KvPlayGetMicMute(h);
}

template <typename Open>
PlayContext* QKvWin::openInstance(const PlayWindowParam* window, QObject* target, uint32_t user, uint32_t* instance,
                                  Open open)
{
    auto context = std::make_unique<PlayContext>();
    const uint32_t h = KvPlayCreatePlayInstance(0);
    if (h == 0)
        return nullptr;
    if (open(h) != KV_OK) {
        KvPlayDestroyPlayInstance(h);
        return nullptr;
    }
    context->instance = h;
    if (window != nullptr && window->surface != nullptr) {
        SurfaceTarget::bind(h, window->surface);
        context->flags = window->flags;
        context->eventTarget = target;
        context->user = user;
        EventPoster::watch(target);
        KvPlaySetCallbackMessageEx(h, &PlayerCallbacks::onMessage, context.get());
        const ImageHooks hooks = PlayerCallbacks::imageHooks(window->flags, user, target);
        KvPlayImageCallback(h, &hooks, window->surface);
        if ((window->flags & kPlayFlagStartNow) != 0)
            KvPlayStartPlay(h);
        if ((window->flags & kPlayFlagJoinSync) != 0 && window->syncMaster != 0)
            KvPlayAddSyncPlayInstance(window->syncMaster, h);
    }
    *instance = h;
    return context.release();
}

PlayContext* QKvWin::OpenPlayFile(const PlayWindowParam* window, PlayFileParam* file)
{
    if (file == nullptr)
        return nullptr;
    // A field filled to the brim has no terminator of its own.
    const std::string path(file->path, strnlen(file->path, sizeof file->path));
    return openInstance(window, file->eventTarget, file->user, &file->instance,
                        [&path](uint32_t h) { return KvPlayOpenPlayFile(h, path.c_str()); });
}

PlayContext* QKvWin::OpenPlayFileList(const PlayWindowParam* window, PlayListParam* list)
{
    if (list == nullptr)
        return nullptr;
    return openInstance(window, list->eventTarget, list->user, &list->instance,
                        [list](uint32_t h) { return KvPlayOpenPlayFileListEx(h, list->word0, list->word1); });
}

int32_t QKvWin::GetPlayFileTimeRange(uint32_t h, uint64_t* start, uint64_t* end)
{
    return KvPlayGetPlayFileTimeRange(h, start, end);
}

int32_t QKvWin::GetPlayFileTimeRangeExact(uint32_t h, uint64_t* start, uint64_t* end, uint32_t waitMs)
{
    return KvPlayGetPlayFileTimeRangeExact(h, start, end, waitMs);
}

int32_t QKvWin::SetCurPlayedTime(uint32_t h, uint32_t low, uint32_t high)
{
    return KvPlaySetCurPlayedTime(h, low, high);
}

int32_t QKvWin::SetCurPlayedTimeEx(uint32_t h, uint32_t low, uint32_t high)
{
    return KvPlaySetCurPlayedTimeEX(h, low, high);
}

void QKvWin::ClosePlayFile(PlayContext* context)
{
    if (context == nullptr)
        return;
    if ((context->flags & kPlayFlagStartNow) != 0)
        KvPlayStopPlay(context->instance);
    KvPlayClosePlayFile(context->instance);
    KvPlayDestroyPlayInstance(context->instance);
    delete context;
}

int32_t QKvWin::AdjustViewArea(uint32_t h, const ViewRegion& region, int32_t width, int32_t height)
{
    ViewArea::Insets insets = ViewArea::unchanged(region);
    if (width != 0 && height != 0) {
        int32_t pictureWidth = 0;
        int32_t pictureHeight = 0;
        KvPlayGetPlayPicSize(h, &pictureWidth, &pictureHeight);
        if (pictureWidth == 0 || pictureHeight == 0)
            return 1;
        insets = ViewArea::zoomed(region, width, height, pictureWidth, pictureHeight);
    }
    return KvPlayAdjustViewArea(h, insets.left, insets.right, insets.top, insets.bottom);
}

int32_t QKvWin::GetPictureInfo(uint32_t h, int32_t* width, int32_t* height, int32_t* bitsPerPixel)
{
    const int32_t result = KvPlayGetPlayPicSize(h, width, height);
    if (result == KV_OK && bitsPerPixel != nullptr)
        *bitsPerPixel = KvPlayGetImageiBpp(h);
    return result;
}

int32_t QKvWin::GetPosImage(uint32_t h, int32_t a, int32_t b, void* record, int32_t c, int32_t d)
{
    struct PosImageRecord {
        void* data;
        int32_t c;
        int32_t d;
    } request{record, c, d};
    return KvPlayGetPosImage(h, a, b, &request);
}

int32_t QKvWin::RenderActualProportion(uint32_t h, int32_t mode)
{
    return KvPlayRenderActualProportion(h, mode);
}

int32_t QKvWin::SetOsdString(uint32_t h, int32_t x, int32_t y, const char* text)
{
    return KvPlaySetOsdString(h, x, y, text);
}

int32_t QKvWin::RemoveOsdString(uint32_t h)
{
    return KvPlayRemoveOsdstring(h);
}

void QKvWin::GetFileInfo(FileInfoRecord* record)
{
    KvPlayFileInfo info{};
    if (record != nullptr)
        std::memcpy(&info, record, sizeof info);
    const int32_t result = KvPlayGetFileInfo(record != nullptr ? &info : nullptr);
    if (record != nullptr)
        std::memcpy(record, &info, sizeof info);
    KV_ADAPTER_DIAG() << "KvPlayGetFileInfo = " << result;
}

int32_t QKvWin::SetAspectMode(uint32_t h, int32_t mode)
{
    return KvPlayRenderActualProportion(h, mode);
}
