#pragma once

#include "AdapterEventTypes.h"

// Two-way talk data arrived without data (code 350), type 1011.
class QTalkEvent : public QEvent {
public:
    QTalkEvent(int32_t code, uint32_t user);
    ~QTalkEvent() override;

    int32_t code() const { return m_code; }
    uint32_t user() const { return m_user; }

private:
    int32_t m_code;
    uint32_t m_user;
};
