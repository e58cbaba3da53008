#include "QTalkEvent.h"

QTalkEvent::QTalkEvent(int32_t code, uint32_t user) : QEvent(AdapterEventType::Talk), m_code(code), m_user(user)
{
}

QTalkEvent::~QTalkEvent() = default;
