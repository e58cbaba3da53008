#include "QFileEvent.h"

QFileEvent::QFileEvent(QEvent::Type type, int32_t code, qintptr data, int32_t extra, uint32_t user,
                       uint32_t second)
    : QEvent(type), m_code(code), m_data(data), m_extra(extra), m_user(user), m_second(second)
{
}

QFileEvent::~QFileEvent() = default;
