// QKvWin's recorder operations over KvNet. The player uses none of them.
#include "QKvWin.h"

#include "ConnectRecord.h"
#include "EventPoster.h"
#include "PlayerCallbacks.h"
#include "SurfaceTarget.h"
#include "events/QFileEvent.h"

#include "kvnet.h"
#include "kvplay.h"

#include <QMutexLocker>

#include <array>
#include <cstring>

namespace {

constexpr int32_t kDefaultParamSize = 217;
constexpr size_t kNetCaptureSize = 276;
constexpr int32_t kPreviewKind = 2;
constexpr int32_t kRecordPlayKind = 1;
constexpr int32_t kTalkKind = 3;
constexpr int32_t kRepositionMode = 2;

// KvNet's calls whose success value is 1, seen as a status result.
int32_t statusOfOne(int32_t result)
{
    return result == 1 ? 0 : 1;
}

DownloadRecord* startDownload(uint32_t (*start)(uint32_t, const void*, KvNetDataFn, void*), uint32_t s,
                              const void* request, QObject* target, uint32_t user)
{
    auto record = std::make_unique<DownloadRecord>();
    record->eventTarget = target;
    record->user = user;
    EventPoster::watch(target);
    record->download = start(s, request, &PlayerCallbacks::onDownloadProgress, record.get());
    return record->download != 0 ? record.release() : nullptr;
}

}

uint32_t QKvWin::startConnection(StartFn start, const void* request, QObject* owner, ConnectionStatusHandler handler)
{
    auto record = std::make_unique<ConnectRecord>();
    record->request = request;
    record->status = &PlayerCallbacks::onConnectionStatus;
    record->data = &PlayerCallbacks::onConnectionData;
    record->owner = owner;
    record->handler = handler;
    EventPoster::watch(owner);
    m_owner = owner;
    m_statusHandler = handler;
    record->session = start(record.get());
    if (record->session == 0)
        return 0;
    const uint32_t session = record->session;
    m_connections.push_back(std::move(record));
    return session;
}

uint32_t QKvWin::ConnectionStart(const void* request, QObject* owner, ConnectionStatusHandler handler)
{
    return startConnection(&KvNetConnectionStart, request, owner, handler);
}

uint32_t QKvWin::ConnectionStartEx(const void* request, QObject* owner, ConnectionStatusHandler handler)
{
    return startConnection(&KvNetConnectionStartEx, request, owner, handler);
}

int32_t QKvWin::ConnectionStop(uint32_t s)
{
    const int32_t result = KvNetConnectionStop(s);
    m_connections.clear();
    m_owner = nullptr;
    m_statusHandler = nullptr;
    QMutexLocker lock(&m_remoteTestMutex);
    m_remoteTests.clear();
    return result;
}

int32_t QKvWin::GetDevInfo(uint32_t s, void* info)
{
    return statusOfOne(KvNetGetDevInfo(s, info));
}

PlayContext* QKvWin::startStream(int32_t kind, uint32_t s, const PlayWindowParam* window, StreamParam* stream)
{
    if (stream == nullptr)
        return nullptr;
    auto context = std::make_unique<PlayContext>();
    context->instance = KvPlayCreatePlayInstance(kind);
    if (context->instance == 0)
        return nullptr;
    context->network = s;
    context->eventTarget = stream->eventTarget;
    context->user = stream->user;
    context->owner = this;
    EventPoster::watch(stream->eventTarget);
    if (window != nullptr && window->surface != nullptr) {
        SurfaceTarget::bind(context->instance, window->surface);
        context->flags = window->flags;
        const ImageHooks hooks = PlayerCallbacks::imageHooks(window->flags, stream->user, stream->eventTarget);
        KvPlayImageCallback(context->instance, &hooks, nullptr);
    }
    KvPlaySetCallbackMessageEx(context->instance, &PlayerCallbacks::onMessage, context.get());
    stream->instance = context->instance;
    return context.release();
}

PlayContext* QKvWin::StartPreview(uint32_t s, const PlayWindowParam* window, StreamParam* stream)
{
    PlayContext* context = startStream(kPreviewKind, s, window, stream);
    if (context == nullptr || KvNetStartPreview(s, stream->request) == 0)
        return context;
    KvPlayDestroyPlayInstance(context->instance);
    delete context;
    return nullptr;
}

int32_t QKvWin::StopPreview(PlayContext* context)
{
    if (context == nullptr)
        return KV_ERR_PARAM;
    const int32_t result = KvNetStopPreview(context->network, nullptr);
    KvPlayStopPlay(context->instance);
    KvPlayDestroyPlayInstance(context->instance);
    delete context;
    return result;
}

int32_t QKvWin::PTZControl(uint32_t s, const void* request)
{
    return statusOfOne(KvNetPTZControl(s, request));
}

int32_t QKvWin::QueryParam(uint32_t s, void* request)
{
    return KvNetQueryParam(s, request);
}

int32_t QKvWin::QueryParamEx(uint32_t s, void* request)
{
    return KvNetQueryParamEx(s, request);
}

int32_t QKvWin::QueryDefaultParam(uint32_t s, void* request)
{
    return KvNetQueryDefaultParam(s, request, kDefaultParamSize);
}

int32_t QKvWin::QueryDefaultParamEx(uint32_t s, void* request)
{
    return KvNetQueryDefaultParamEx(s, request, kDefaultParamSize);
}

int32_t QKvWin::QueryTemporaryParam(uint32_t s, void* request)
{
    return KvNetQueryTemporaryParam(s, request);
}

int32_t QKvWin::SetParam(uint32_t s, const void* request)
{
    return KvNetSetParam(s, request);
}

int32_t QKvWin::SetParamEx(uint32_t s, const void* request)
{
    return KvNetSetParamEx(s, request);
}

int32_t QKvWin::StartRemoteTest(uint32_t s, uint16_t testId, const void* request, RemoteTestHandler handler,
                                void* user)
{
    {
        QMutexLocker lock(&m_remoteTestMutex);
        m_remoteTests[testId] = {handler, user};
    }
    return statusOfOne(KvNetRemoteTest(s, request));
}

void QKvWin::ClearRemoteTestHandler(uint16_t testId)
{
    QMutexLocker lock(&m_remoteTestMutex);
    m_remoteTests.erase(testId);
}

bool QKvWin::SetRemoteTestHandler(uint16_t testId, RemoteTestHandler handler, void* user)
{
    QMutexLocker lock(&m_remoteTestMutex);
    const auto found = m_remoteTests.find(testId);
    if (found != m_remoteTests.end() && (found->second.first != nullptr || found->second.second != nullptr))
        return false;
    m_remoteTests[testId] = {handler, user};
    return true;
}

void QKvWin::onUpgradeProgress(uint32_t, const uint8_t* data, int32_t size, void* user)
{
    const auto* self = static_cast<const QKvWin*>(user);
    if (self == nullptr)
        return;
    QFileEvent* event = PlayerCallbacks::progressEvent(AdapterEventType::UpgradeProgress, data, size, 0);
    if (self->m_upgradeHandler != nullptr)
        self->m_upgradeHandler(event->code(), event->data(), event->extra(), self->m_upgradeTarget);
    EventPoster::post(self->m_upgradeTarget, event);
}

int32_t QKvWin::StartRemoteUpgrade(uint32_t s, const void* request, UpgradeProgressHandler handler, QObject* target)
{
    m_upgradeTarget = target;
    m_upgradeHandler = handler;
    EventPoster::watch(target);
    return KvNetStartRemoteUpgrade(s, request, &QKvWin::onUpgradeProgress, this);
}

int32_t QKvWin::StopRemoteUpgrade(uint32_t s)
{
    return KvNetStopRemoteUpgrade(s);
}

DownloadRecord* QKvWin::StartDownloadRecord(uint32_t s, const void* request, QObject* target, uint32_t user)
{
    return startDownload(&KvNetStartDownloadRecord, s, request, target, user);
}

DownloadRecord* QKvWin::StartDownloadRecordEx(uint32_t s, const void* request, QObject* target, uint32_t user)
{
    return startDownload(&KvNetStartDownloadRecordEx, s, request, target, user);
}

int32_t QKvWin::StopDownloadRecord(DownloadRecord* record)
{
    if (record == nullptr)
        return KVNET_ERR_UNSUPPORTED;
    const int32_t result = KvNetStopDownloadRecord(record->download);
    delete record;
    return result;
}

int32_t QKvWin::AlarmSubscribe(uint32_t s, const void* request)
{
    return KvNetAlarmSubscribe(s, request);
}

int32_t QKvWin::NetCapture(uint32_t s, const void* request)
{
    std::array<uint8_t, kNetCaptureSize> copy{};
    if (request != nullptr)
        std::memcpy(copy.data(), request, copy.size());
    return KvNetCapture(s, copy.data());
}

int32_t QKvWin::QueryRecord(uint32_t s, const void* request)
{
    return KvNetQueryRecord(s, request);
}

PlayContext* QKvWin::StartRecordPlay(uint32_t s, const PlayWindowParam* window, StreamParam* stream)
{
    PlayContext* context = startStream(kRecordPlayKind, s, window, stream);
    if (context == nullptr || KvNetStartRecordPlay(s, stream->request) == 0)
        return context;
    KvPlayDestroyPlayInstance(context->instance);
    delete context;
    return nullptr;
}

int32_t QKvWin::StopRecordPlay(PlayContext* context)
{
    if (context == nullptr)
        return KV_ERR_PARAM;
    const int32_t result = KvNetStopRecordPlay(context->network);
    KvPlayStopPlay(context->instance);
    KvPlayDestroyPlayInstance(context->instance);
    delete context;
    return result;
}

int32_t QKvWin::ReposRecordPlay(PlayContext* context, const void* request)
{
    if (context == nullptr)
        return KV_ERR_PARAM;
    const int32_t result = KvNetReposRecordData(context->network, request);
    if (result != 0)
        return result;
    KvPlaySetPlayMode(context->instance, kRepositionMode, 0);
    return KvNetReplayRecordData(context->network);
}

int32_t QKvWin::RecordPlayControl(uint32_t s, const void* request)
{
    return KvNetReqRecordPlayCtrol(s, request);
}

PlayContext* QKvWin::StartDualTalk(uint32_t s, StreamParam* stream)
{
    PlayContext* context = startStream(kTalkKind, s, nullptr, stream);
    if (context == nullptr)
        return nullptr;
    const KvPlayAudioFormat format{8000, 16, 3};
    if (KvNetStartDualtalk(s, stream->request) == 0 && KvPlayStartDualTalk(context->instance, &format) == KV_OK) {
        KvPlayRegisterSetDualCallback(context->instance, &PlayerCallbacks::onTalkData, context);
        return context;
    }
    KvNetStopDualtalk(s);
    KvPlayDestroyPlayInstance(context->instance);
    delete context;
    return nullptr;
}

int32_t QKvWin::StopDualTalk(PlayContext* context)
{
    if (context == nullptr)
        return KV_ERR_PARAM;
    KvPlayRegisterSetDualCallback(context->instance, nullptr, nullptr);
    KvPlayStopDualTalk(context->instance);
    const int32_t result = KvNetStopDualtalk(context->network);
    KvPlayDestroyPlayInstance(context->instance);
    delete context;
    return result;
}

int32_t QKvWin::SimpleCmd(uint32_t s, int32_t a, int32_t b, int32_t c, int32_t d)
{
    const std::array<int32_t, 4> record{a, b, c, d};
    return KvNetSimpleCmd(s, record.data());
}

bool QKvWin::QueryLog(uint32_t s, const void* request, QObject* target)
{
    EventPoster::watch(target);
    return KvNetQueryLog(s, request, &PlayerCallbacks::onLogResult, target) == 0;
}
