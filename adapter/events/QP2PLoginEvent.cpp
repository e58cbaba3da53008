#include "QP2PLoginEvent.h"

QP2PLoginEvent::QP2PLoginEvent(uint16_t value) : QEvent(AdapterEventType::P2pLogin), m_value(value)
{
}

QP2PLoginEvent::~QP2PLoginEvent() = default;
