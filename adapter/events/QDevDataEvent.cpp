#include "QDevDataEvent.h"

QDevDataEvent::QDevDataEvent(QEvent::Type type, const void* data, int32_t length, uint32_t user)
    : QEvent(type),
      m_data(AdapterEventType::copyOf(data, length, AdapterEventType::kDeviceDataLimit)),
      m_length(AdapterEventType::acceptsCopy(data, length, AdapterEventType::kDeviceDataLimit) ? length : 0),
      m_user(AdapterEventType::acceptsCopy(data, length, AdapterEventType::kDeviceDataLimit) ? user : 0)
{
}

QDevDataEvent::~QDevDataEvent() = default;
