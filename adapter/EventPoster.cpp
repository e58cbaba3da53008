#include "EventPoster.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QSet>

namespace {

struct LiveTargets {
    QMutex mutex;
    QSet<const QObject*> objects;
};

LiveTargets& liveTargets()
{
    static LiveTargets targets;
    return targets;
}

}

void EventPoster::watch(QObject* target)
{
    if (target == nullptr)
        return;
    LiveTargets& live = liveTargets();
    QMutexLocker lock(&live.mutex);
    if (live.objects.contains(target))
        return;
    live.objects.insert(target);
    // Without a context object the connection is direct: destroyed() runs
    // this on the destroying thread while the object still exists, and a
    // poster holding the mutex finishes its post first. The pointer is only a
    // key here.
    QObject::connect(target, &QObject::destroyed, [target] {
        LiveTargets& targets = liveTargets();
        QMutexLocker guard(&targets.mutex);
        targets.objects.remove(target);
    });
}

bool EventPoster::post(QObject* target, QEvent* event)
{
    if (event == nullptr)
        return false;
    LiveTargets& live = liveTargets();
    QMutexLocker lock(&live.mutex);
    if (target == nullptr || !live.objects.contains(target)) {
        lock.unlock();
        delete event;
        return false;
    }
    QCoreApplication::postEvent(target, event);
    return true;
}

bool EventPoster::isWatched(const QObject* target)
{
    LiveTargets& live = liveTargets();
    QMutexLocker lock(&live.mutex);
    return live.objects.contains(target);
}
