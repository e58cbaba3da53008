#pragma once

#include "AdapterEventTypes.h"

// A status code with the user value: connection status (1000, 1002) or a
// player message (1005; message 11 ends the file).
class QConnectEvent : public QEvent {
public:
    QConnectEvent(QEvent::Type type, int32_t code, uint32_t user);
    ~QConnectEvent() override;

    int32_t code() const { return m_code; }
    uint32_t user() const { return m_user; }

private:
    int32_t m_code;
    uint32_t m_user;
};
