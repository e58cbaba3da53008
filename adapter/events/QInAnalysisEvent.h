#pragma once

#include "AdapterEventTypes.h"

// An analysis alarm report (alarm types 566 and 568), type 1015.
// Reports of 1 MiB or more are not copied.
class QInAnalysisEvent : public QEvent {
public:
    QInAnalysisEvent(uint16_t alarmType, uint32_t user, const void* data, int32_t length);
    ~QInAnalysisEvent() override;

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
