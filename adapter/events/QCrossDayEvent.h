#pragma once

#include "AdapterEventTypes.h"

// A live view crossed midnight, type 1012. The record belongs to the library.
class QCrossDayEvent : public QEvent {
public:
    QCrossDayEvent(int32_t code, const void* record);
    ~QCrossDayEvent() override;

    int32_t code() const { return m_code; }
    const void* record() const { return m_record; }

private:
    int32_t m_code;
    const void* m_record;
};
