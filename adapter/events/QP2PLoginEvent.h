#pragma once

#include "AdapterEventTypes.h"

// A 16-bit login value, type 1014.
class QP2PLoginEvent : public QEvent {
public:
    explicit QP2PLoginEvent(uint16_t value);
    ~QP2PLoginEvent() override;

    uint16_t value() const { return m_value; }

private:
    uint16_t m_value;
};
