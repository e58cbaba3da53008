// The player API's recorder functions. A connection handle s counts as
// missing when it is 0.
#include "PlayerApi.h"

#include "PlayerApiCall.h"

using PlayerApiCall::call;
using PlayerApiCall::kFailed;

namespace {

using StartFn = uint32_t (QKvosAdapter::*)(const void*, QObject*, ConnectionStatusHandler);

std::unique_ptr<PlayerHandle> connectWith(int32_t kind, StartFn start, const void* request, QObject* owner,
                                          ConnectionStatusHandler handler)
{
    std::unique_ptr<PlayerHandle> handle = PlayerApiCall::createHandle(kind);
    if (handle == nullptr)
        return nullptr;
    handle->setLoginHandle((handle->adapter()->*start)(request, owner, handler));
    if (handle->loginHandle() == 0)
        return nullptr;
    return handle;
}

constexpr PlayContext* kNoContext = nullptr;
constexpr DownloadRecord* kNoDownload = nullptr;

}

namespace PlayerApi {

std::unique_ptr<PlayerHandle> ConnectionStart(int32_t kind, const void* request, QObject* owner,
                                              ConnectionStatusHandler handler)
{
    return connectWith(kind, &QKvosAdapter::ConnectionStart, request, owner, handler);
}

std::unique_ptr<PlayerHandle> ConnectionStartEx(int32_t kind, const void* request, QObject* owner,
                                                ConnectionStatusHandler handler)
{
    return connectWith(kind, &QKvosAdapter::ConnectionStartEx, request, owner, handler);
}

int32_t ConnectionStop(PlayerHandle* handle, uint32_t s)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.ConnectionStop(s); });
}

int32_t GetDevInfo(PlayerHandle* handle, uint32_t s, void* info)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.GetDevInfo(s, info); });
}

PlayContext* StartPreview(PlayerHandle* handle, uint32_t s, const PlayWindowParam* window, StreamParam* stream)
{
    return call(handle, s != 0, kNoContext, [&](QKvosAdapter& a) { return a.StartPreview(s, window, stream); });
}

int32_t StopPreview(PlayerHandle* handle, PlayContext* context)
{
    return call(handle, context != nullptr, kFailed, [&](QKvosAdapter& a) { return a.StopPreview(context); });
}

int32_t PTZControl(PlayerHandle* handle, uint32_t s, const void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.PTZControl(s, request); });
}

int32_t QueryParam(PlayerHandle* handle, uint32_t s, void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.QueryParam(s, request); });
}

int32_t QueryParamEx(PlayerHandle* handle, uint32_t s, void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.QueryParamEx(s, request); });
}

int32_t QueryDefaultParam(PlayerHandle* handle, uint32_t s, void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.QueryDefaultParam(s, request); });
}

int32_t QueryDefaultParamEx(PlayerHandle* handle, uint32_t s, void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.QueryDefaultParamEx(s, request); });
}

int32_t QueryTemporaryParam(PlayerHandle* handle, uint32_t s, void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.QueryTemporaryParam(s, request); });
}

int32_t SetParam(PlayerHandle* handle, uint32_t s, const void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.SetParam(s, request); });
}

int32_t SetParamEx(PlayerHandle* handle, uint32_t s, const void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.SetParamEx(s, request); });
}

int32_t StartRemoteTest(PlayerHandle* handle, uint32_t s, uint16_t testId, const void* request,
                        RemoteTestHandler handler, void* user)
{
    return call(handle, s != 0, kFailed,
                [&](QKvosAdapter& a) { return a.StartRemoteTest(s, testId, request, handler, user); });
}

void ClearRemoteTestHandler(PlayerHandle* handle, uint16_t testId)
{
    if (handle != nullptr && handle->adapter() != nullptr)
        handle->adapter()->ClearRemoteTestHandler(testId);
}

bool SetRemoteTestHandler(PlayerHandle* handle, uint16_t testId, RemoteTestHandler handler, void* user)
{
    return call(handle, true, false,
                [&](QKvosAdapter& a) { return a.SetRemoteTestHandler(testId, handler, user); });
}

int32_t StartRemoteUpgrade(PlayerHandle* handle, uint32_t s, const void* request, UpgradeProgressHandler handler,
                           QObject* target)
{
    return call(handle, s != 0, kFailed,
                [&](QKvosAdapter& a) { return a.StartRemoteUpgrade(s, request, handler, target); });
}

int32_t StopRemoteUpgrade(PlayerHandle* handle, uint32_t s)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.StopRemoteUpgrade(s); });
}

DownloadRecord* StartDownloadRecord(PlayerHandle* handle, uint32_t s, const void* request, QObject* target,
                                    uint32_t user)
{
    return call(handle, s != 0, kNoDownload,
                [&](QKvosAdapter& a) { return a.StartDownloadRecord(s, request, target, user); });
}

DownloadRecord* StartDownloadRecordEx(PlayerHandle* handle, uint32_t s, const void* request, QObject* target,
                                      uint32_t user)
{
    return call(handle, s != 0, kNoDownload,
                [&](QKvosAdapter& a) { return a.StartDownloadRecordEx(s, request, target, user); });
}

int32_t StopDownloadRecord(PlayerHandle* handle, DownloadRecord* record)
{
    return call(handle, record != nullptr, kFailed, [&](QKvosAdapter& a) { return a.StopDownloadRecord(record); });
}

int32_t AlarmSubscribe(PlayerHandle* handle, uint32_t s, const void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.AlarmSubscribe(s, request); });
}

int32_t NetCapture(PlayerHandle* handle, uint32_t s, const void* request)
{
    return call(handle, s != 0, 0, [&](QKvosAdapter& a) { return a.NetCapture(s, request); });
}

int32_t QueryRecord(PlayerHandle* handle, uint32_t s, const void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.QueryRecord(s, request); });
}

PlayContext* StartRecordPlay(PlayerHandle* handle, uint32_t s, const PlayWindowParam* window, StreamParam* stream)
{
    return call(handle, s != 0, kNoContext, [&](QKvosAdapter& a) { return a.StartRecordPlay(s, window, stream); });
}

int32_t StopRecordPlay(PlayerHandle* handle, PlayContext* context)
{
    return call(handle, context != nullptr, kFailed, [&](QKvosAdapter& a) { return a.StopRecordPlay(context); });
}

int32_t ReposRecordPlay(PlayerHandle* handle, PlayContext* context, const void* request)
{
    return call(handle, context != nullptr, kFailed,
                [&](QKvosAdapter& a) { return a.ReposRecordPlay(context, request); });
}

int32_t RecordPlayControl(PlayerHandle* handle, uint32_t s, const void* request)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& a) { return a.RecordPlayControl(s, request); });
}

PlayContext* StartDualTalk(PlayerHandle* handle, uint32_t s, StreamParam* stream)
{
    return call(handle, s != 0, kNoContext, [&](QKvosAdapter& a) { return a.StartDualTalk(s, stream); });
}

int32_t StopDualTalk(PlayerHandle* handle, PlayContext* context)
{
    return call(handle, context != nullptr, kFailed, [&](QKvosAdapter& a) { return a.StopDualTalk(context); });
}

int32_t SimpleCmd(PlayerHandle* handle, uint32_t s, int32_t a, int32_t b, int32_t c, int32_t d)
{
    return call(handle, s != 0, kFailed, [&](QKvosAdapter& adapter) { return adapter.SimpleCmd(s, a, b, c, d); });
}

bool QueryLog(PlayerHandle* handle, uint32_t s, const void* request, QObject* target)
{
    return call(handle, s != 0, false, [&](QKvosAdapter& a) { return a.QueryLog(s, request, target); });
}

}
