#pragma once

#include "AdapterEventTypes.h"

// An alarm report (1006) or a remote test report (1010).
// Reports of 1 MiB or more are not copied.
class QAlaramEvent : public QEvent {
public:
    QAlaramEvent(QEvent::Type type, uint16_t alarmType, uint32_t user, const void* data, int32_t length);
    ~QAlaramEvent() override;

    uint16_t alarmType() const { return m_alarmType; }
    uint32_t user() const { return m_user; }
    const QByteArray& data() const { return m_data; }
    int32_t length() const { return m_length; }

private:
    uint16_t m_alarmType;
    uint32_t m_user;
    QByteArray m_data;
    int32_t m_length;
};
