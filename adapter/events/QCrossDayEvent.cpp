#include "QCrossDayEvent.h"

QCrossDayEvent::QCrossDayEvent(int32_t code, const void* record)
    : QEvent(AdapterEventType::CrossDay), m_code(code), m_record(record)
{
}

QCrossDayEvent::~QCrossDayEvent() = default;
