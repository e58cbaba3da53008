#pragma once

#include "AdapterEventTypes.h"

// A recorder's log query result, type 1017. Results of 1 MiB or more are
// not copied.
class QQueryLogEvent : public QEvent {
public:
    QQueryLogEvent(QObject* target, const void* data, int32_t length);
    ~QQueryLogEvent() override;

    QObject* target() const { return m_target; }
    const QByteArray& data() const { return m_data; }
    int32_t length() const { return m_length; }

private:
    QObject* m_target;
    QByteArray m_data;
    int32_t m_length;
};
