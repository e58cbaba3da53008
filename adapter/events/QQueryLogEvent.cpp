#include "QQueryLogEvent.h"

QQueryLogEvent::QQueryLogEvent(QObject* target, const void* data, int32_t length)
    : QEvent(AdapterEventType::QueryLog),
      m_target(target),
      m_data(AdapterEventType::copyOf(data, length, AdapterEventType::kLargeDataLimit)),
      m_length(AdapterEventType::acceptsCopy(data, length, AdapterEventType::kLargeDataLimit) ? length : 0)
{
}

QQueryLogEvent::~QQueryLogEvent() = default;
