#include "EventRecorder.h"

#include "events/QConnectEvent.h"
#include "events/QRGBImageEvent.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

int EventRecorder::count(int type) const
{
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [type](const Entry& e) { return e.type == type; }));
}

const EventRecorder::Entry* EventRecorder::first(int type) const
{
    const auto found =
        std::find_if(entries.begin(), entries.end(), [type](const Entry& e) { return e.type == type; });
    return found != entries.end() ? &*found : nullptr;
}

bool EventRecorder::hasMessage(int32_t message) const
{
    return std::any_of(entries.begin(), entries.end(), [message](const Entry& e) {
        return e.type == AdapterEventType::PlayerMessage && e.code == message;
    });
}

void EventRecorder::customEvent(QEvent* event)
{
    Entry entry;
    entry.type = event->type();
    entry.onGuiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    if (event->type() == AdapterEventType::PlayerMessage) {
        const auto* message = static_cast<QConnectEvent*>(event);
        entry.code = message->code();
        entry.user = message->user();
    } else if (event->type() == AdapterEventType::RgbImage) {
        const auto* picture = static_cast<QRGBImageEvent*>(event);
        entry.picture = picture->picture().size();
        entry.value = picture->value();
        entry.extra = picture->extra();
    }
    entries.append(entry);
}
