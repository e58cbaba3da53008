#include "QKvFactory.h"

#include "QKvosAdapter.h"

QKvFactory::QKvFactory() = default;

QKvFactory::~QKvFactory()
{
    // A context still held belongs to an open player whose library threads
    // may still read it: close the player before the record goes.
    if (m_playContext != nullptr && m_adapter != nullptr)
        m_adapter->ClosePlayFile(takePlayContext());
    else
        delete takePlayContext();
}

void QKvFactory::setAdapter(std::unique_ptr<QKvosAdapter> adapter)
{
    m_adapter = std::move(adapter);
}

PlayContext* QKvFactory::takePlayContext()
{
    PlayContext* context = m_playContext;
    m_playContext = nullptr;
    return context;
}
