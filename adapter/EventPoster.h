#pragma once

class QEvent;
class QObject;

// Posts events from library threads to objects that may be destroyed on the
// GUI thread meanwhile. A raw pointer cannot be checked across threads, so
// the poster keeps the set of live targets: an object enters it by watch()
// and leaves it while it is being destroyed, before its memory goes.
class EventPoster {
public:
    // Adds target to the live set until it is destroyed. Any thread; repeated
    // calls for one object are harmless.
    static void watch(QObject* target);

    // Posts event to target when target is live; otherwise deletes event.
    // Any thread. Returns whether the event was posted.
    static bool post(QObject* target, QEvent* event);

    static bool isWatched(const QObject* target);
};
