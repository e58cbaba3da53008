#include "MessageConnection.h"

#include "MessageFrame.h"

#include <QLocalSocket>

MessageConnection::MessageConnection(QLocalSocket* socket, std::chrono::milliseconds timeLimit,
                                     QObject* parent)
    : QObject(parent)
    , m_socket(socket)
{
    m_socket->setParent(this);
    // Without a cap Qt would buffer whatever the peer pushes; one byte more than
    // the largest frame is enough to tell that a frame is too long.
    m_socket->setReadBufferSize(MessageFrame::kMaxFrameSize + 1);
    connect(m_socket, &QLocalSocket::readyRead, this, &MessageConnection::readAvailable);
    connect(m_socket, &QLocalSocket::disconnected, this, &QObject::deleteLater);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &MessageConnection::drop);
    m_deadline.start(timeLimit);
}

void MessageConnection::readAvailable()
{
    m_received.append(m_socket->read(MessageFrame::kMaxFrameSize + 1 - m_received.size()));
    MessageFrame::Decoded decoded = MessageFrame::decode(m_received);
    switch (decoded.status) {
    case MessageFrame::Decoded::Status::NeedMore:
        return;
    case MessageFrame::Decoded::Status::Bad:
        drop();
        return;
    case MessageFrame::Decoded::Status::Message:
        break;
    }
    disconnect(m_socket, &QLocalSocket::readyRead, this, nullptr);
    m_socket->write(MessageFrame::kAck.data(), MessageFrame::kAck.size());
    m_socket->disconnectFromServer();
    // Last, because a receiver may run a nested event loop in which this
    // connection ends.
    emit messageReceived(decoded.message);
}

void MessageConnection::drop()
{
    m_socket->abort();
    deleteLater();
}
