#include "MessageServer.h"

#include "Diagnostics.h"
#include "MessageConnection.h"

#include <QLocalSocket>

MessageServer::MessageServer(QObject* parent)
    : QObject(parent)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &MessageServer::acceptPending);
}

bool MessageServer::listen(const QString& fullPath)
{
    if (m_server.listen(fullPath))
        return true;
    qCWarning(lcKvDiag).noquote() << "single instance: cannot listen on" << fullPath << "-"
                                  << m_server.errorString();
    return false;
}

QString MessageServer::fullServerName() const
{
    return m_server.fullServerName();
}

void MessageServer::setTimeLimit(std::chrono::milliseconds limit)
{
    m_timeLimit = limit;
}

void MessageServer::acceptPending()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        auto* connection = new MessageConnection(socket, m_timeLimit, this);
        connect(connection, &MessageConnection::messageReceived, this,
                &MessageServer::messageReceived);
    }
}
