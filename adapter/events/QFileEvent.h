#pragma once

#include "AdapterEventTypes.h"

// Progress of a remote upgrade (1007) or a record download (1008).
class QFileEvent : public QEvent {
public:
    QFileEvent(QEvent::Type type, int32_t code, qintptr data, int32_t extra, uint32_t user, uint32_t second);
    ~QFileEvent() override;

    int32_t code() const { return m_code; }
    qintptr data() const { return m_data; }
    int32_t extra() const { return m_extra; }
    uint32_t user() const { return m_user; }
    uint32_t second() const { return m_second; }

private:
    int32_t m_code;
    qintptr m_data;
    int32_t m_extra;
    uint32_t m_user;
    uint32_t m_second;
};
