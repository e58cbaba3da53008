#pragma once

#include "AdapterEventTypes.h"

// A device report: search result (1001) or record query results (1003, 1004).
// Reports of 1024 bytes or more are not copied.
class QDevDataEvent : public QEvent {
public:
    QDevDataEvent(QEvent::Type type, const void* data, int32_t length, uint32_t user);
    ~QDevDataEvent() override;

    const QByteArray& data() const { return m_data; }
    int32_t length() const { return m_length; }
    uint32_t user() const { return m_user; }

private:
    QByteArray m_data;
    int32_t m_length;
    uint32_t m_user;
};
