#pragma once

#include <QList>
#include <QObject>
#include <QSize>

#include <cstdint>

// An event target for tests: keeps what each adapter event carried and
// whether it arrived on the GUI thread.
class EventRecorder : public QObject {
public:
    struct Entry {
        int type = 0;
        int32_t code = 0;
        uint32_t user = 0;
        bool onGuiThread = false;
        QSize picture;
        uint32_t value = 0;
        uint32_t extra = 0;
    };

    QList<Entry> entries;

    int count(int type) const;
    // The first entry of type; null when none arrived.
    const Entry* first(int type) const;
    // Whether a type 1005 event with message arrived.
    bool hasMessage(int32_t message) const;

protected:
    void customEvent(QEvent* event) override;
};
