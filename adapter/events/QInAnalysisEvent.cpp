#include "QInAnalysisEvent.h"

QInAnalysisEvent::QInAnalysisEvent(uint16_t alarmType, uint32_t user, const void* data, int32_t length)
    : QEvent(AdapterEventType::InAnalysis),
      m_alarmType(alarmType),
      m_user(AdapterEventType::acceptsCopy(data, length, AdapterEventType::kLargeDataLimit) ? user : 0),
      m_data(AdapterEventType::copyOf(data, length, AdapterEventType::kLargeDataLimit)),
      m_length(AdapterEventType::acceptsCopy(data, length, AdapterEventType::kLargeDataLimit) ? length : 0)
{
}

QInAnalysisEvent::~QInAnalysisEvent() = default;
