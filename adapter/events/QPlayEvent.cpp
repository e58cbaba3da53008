#include "QPlayEvent.h"

QPlayEvent::QPlayEvent(int32_t code, uint32_t user) : QEvent(AdapterEventType::RemotePlay), m_code(code), m_user(user)
{
}

QPlayEvent::~QPlayEvent() = default;
