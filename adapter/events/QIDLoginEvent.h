#pragma once

#include "AdapterEventTypes.h"

#include <array>

// A recorder's reply to an address query, type 1013.
class QIDLoginEvent : public QEvent {
public:
    QIDLoginEvent(const std::array<uint8_t, 28>& address, const std::array<uint16_t, 4>& values);
    ~QIDLoginEvent() override;

    const std::array<uint8_t, 28>& address() const { return m_address; }
    const std::array<uint16_t, 4>& values() const { return m_values; }

private:
    std::array<uint8_t, 28> m_address;
    std::array<uint16_t, 4> m_values;
};
