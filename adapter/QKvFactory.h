#pragma once

#include <cstdint>
#include <memory>

class QKvosAdapter;
struct PlayContext;

// Makes the adapter of one player and owns it with what it opened: the
// player handle of the player API.
class QKvFactory {
public:
    QKvFactory();
    virtual ~QKvFactory();
    QKvFactory(const QKvFactory&) = delete;
    QKvFactory& operator=(const QKvFactory&) = delete;

    // A new adapter, or null.
    virtual std::unique_ptr<QKvosAdapter> CreateAdapter() = 0;

    QKvosAdapter* adapter() const { return m_adapter.get(); }
    void setAdapter(std::unique_ptr<QKvosAdapter> adapter);

    // The context of the file opened through this handle; null when none.
    PlayContext* playContext() const { return m_playContext; }
    void setPlayContext(PlayContext* context) { m_playContext = context; }
    // Hands the context over, leaving none held.
    PlayContext* takePlayContext();

    uint32_t loginHandle() const { return m_loginHandle; }
    void setLoginHandle(uint32_t handle) { m_loginHandle = handle; }

private:
    std::unique_ptr<QKvosAdapter> m_adapter;
    PlayContext* m_playContext = nullptr;
    uint32_t m_loginHandle = 0;
};

using PlayerHandle = QKvFactory;
