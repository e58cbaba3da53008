#include "PlayerCallbacks.h"

#include "AdapterDiagnostics.h"
#include "ConnectRecord.h"
#include "EventPoster.h"
#include "events/QConnectEvent.h"
#include "events/QDevDataEvent.h"
#include "events/QFileEvent.h"
#include "events/QPlayEvent.h"
#include "events/QQueryLogEvent.h"
#include "events/QRGBImageEvent.h"
#include "events/QTalkEvent.h"

#include <QImage>

#include <cstring>

namespace {

constexpr int32_t kMessageWantData = 1;
constexpr int32_t kProgressFromRecord = 402;
constexpr int kWidePictureWidth = 700;
constexpr int kHalfPictureHeight = 300;
constexpr int kFullPictureHeight = 576;
constexpr int32_t kTalkWithoutData = 350;

}

namespace PlayerCallbacks {

QFileEvent* progressEvent(QEvent::Type type, const uint8_t* data, int32_t size, uint32_t user)
{
    ProgressRecord record{0, 0, -1};
    if (data != nullptr && size >= static_cast<int32_t>(sizeof record))
        std::memcpy(&record, data, sizeof record);
    if (record.code == kProgressFromRecord)
        return new QFileEvent(type, record.code, record.data, record.extra, user, 0);
    return new QFileEvent(type, record.code, reinterpret_cast<qintptr>(data), -1, user, 0);
}


void onMessage(int32_t message, void* context)
{
    const auto* play = static_cast<const PlayContext*>(context);
    if (play == nullptr || play->eventTarget == nullptr || play->user == 0)
        return;
    if (message == kMessageWantData) {
        KvNetReqRecordData(play->network);
        return;
    }
    EventPoster::post(play->eventTarget, new QConnectEvent(AdapterEventType::PlayerMessage, message, play->user));
}

KvPlayImageBuffer allocatePicture(int32_t width, int32_t height, void* target)
{
    if (target == nullptr || width <= 0 || height <= 0)
        return {nullptr, nullptr};
    auto* event = new QRGBImageEvent(static_cast<QObject*>(target), 0, QImage(width, height, QImage::Format_RGB32), 0);
    if (event->picture().isNull()) {
        delete event;
        return {nullptr, nullptr};
    }
    return {event->picture().bits(), event};
}

void pictureReady(void* event, uint32_t value, uint32_t, uint32_t extra)
{
    auto* picture = static_cast<QRGBImageEvent*>(event);
    if (picture == nullptr)
        return;
    picture->setValue(value);
    picture->setExtra(extra);
    const QImage& image = picture->picture();
    if (image.width() > kWidePictureWidth && image.height() < kHalfPictureHeight) {
        picture->setPicture(
            image.scaled(image.width(), kFullPictureHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        KV_ADAPTER_DIAG() << QString::asprintf("w=%u h=%u \n", static_cast<unsigned>(image.width()),
                                       static_cast<unsigned>(kFullPictureHeight));
    }
    EventPoster::post(picture->target(), picture);
}

ImageHooks imageHooks(uint32_t flags, uint32_t user, QObject* target)
{
    return ImageHooks{&allocatePicture, &pictureReady, flags, user, target};
}

void onConnectionStatus(uint32_t session, int32_t code, void* user)
{
    const auto* record = static_cast<const ConnectRecord*>(user);
    if (record == nullptr)
        return;
    if (code >= 0 && code <= 109)
        EventPoster::post(record->owner, new QConnectEvent(AdapterEventType::ConnectStatus, code, session));
    else if (code >= 200 && code <= 207)
        EventPoster::post(record->owner, new QConnectEvent(AdapterEventType::ConnectStatusEx, code, session));
    else if (code == 303 || code == 306 || code == 307)
        EventPoster::post(record->owner, new QPlayEvent(code, session));
    if (record->handler != nullptr)
        record->handler(session, code, record->owner);
}

void onConnectionData(uint32_t session, const uint8_t* data, int32_t size, void* user)
{
    const auto* record = static_cast<const ConnectRecord*>(user);
    if (record == nullptr)
        return;
    EventPoster::post(record->owner, new QDevDataEvent(AdapterEventType::DeviceSearch, data, size, session));
}

void onDownloadProgress(uint32_t, const uint8_t* data, int32_t size, void* user)
{
    const auto* record = static_cast<const DownloadRecord*>(user);
    if (record == nullptr)
        return;
    EventPoster::post(record->eventTarget,
                      progressEvent(AdapterEventType::DownloadProgress, data, size, record->user));
}

void onTalkData(const uint8_t* data, int32_t size, void* context)
{
    const auto* play = static_cast<const PlayContext*>(context);
    if (play == nullptr || (data != nullptr && size > 0))
        return;
    EventPoster::post(play->eventTarget, new QTalkEvent(kTalkWithoutData, play->user));
}

void onLogResult(uint32_t, const uint8_t* data, int32_t size, void* user)
{
    auto* target = static_cast<QObject*>(user);
    EventPoster::post(target, new QQueryLogEvent(target, data, size));
}

}
