#pragma once

#include "AdapterEventTypes.h"

// A remote playback state (codes 303, 306, 307), type 1016.
class QPlayEvent : public QEvent {
public:
    QPlayEvent(int32_t code, uint32_t user);
    ~QPlayEvent() override;

    int32_t code() const { return m_code; }
    uint32_t user() const { return m_user; }

private:
    int32_t m_code;
    uint32_t m_user;
};
