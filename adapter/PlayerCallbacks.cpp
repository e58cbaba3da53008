#include "PlayerCallbacks.h"

#include "AdapterDiagnostics.h"
#include "EventPoster.h"
#include "events/QConnectEvent.h"
#include "events/QRGBImageEvent.h"

#include "kvnet.h"

#include <QImage>

namespace {

constexpr int32_t kMessageWantData = 1;
constexpr int kWidePictureWidth = 700;
constexpr int kHalfPictureHeight = 300;
constexpr int kFullPictureHeight = 576;

}

namespace PlayerCallbacks {

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

}
