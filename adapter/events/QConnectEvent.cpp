#include "QConnectEvent.h"

QConnectEvent::QConnectEvent(QEvent::Type type, int32_t code, uint32_t user)
    : QEvent(type), m_code(code), m_user(user)
{
}

QConnectEvent::~QConnectEvent() = default;
