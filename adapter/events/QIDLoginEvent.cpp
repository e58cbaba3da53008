#include "QIDLoginEvent.h"

QIDLoginEvent::QIDLoginEvent(const std::array<uint8_t, 28>& address, const std::array<uint16_t, 4>& values)
    : QEvent(AdapterEventType::IdLogin), m_address(address), m_values(values)
{
}

QIDLoginEvent::~QIDLoginEvent() = default;
