#include "KvSingleApplication.h"

#include "MessageClient.h"
#include "MessageServer.h"

KvSingleApplication::KvSingleApplication(int& argc, char** argv, const QString& runtimeDir)
    : QApplication(argc, argv)
    , m_guard(std::make_unique<InstanceGuard>(runtimeDir))
{
    if (MessageServer* server = m_guard->server())
        connect(server, &MessageServer::messageReceived, this,
                &KvSingleApplication::messageReceived);
}

KvSingleApplication::~KvSingleApplication() = default;

bool KvSingleApplication::isRunning() const
{
    return m_guard->role() == InstanceGuard::Role::Secondary;
}

bool KvSingleApplication::sendMessage(const QString& message, int timeoutMs)
{
    if (!isRunning())
        return false;
    return MessageClient::send(m_guard->socketPath(), message, timeoutMs);
}
