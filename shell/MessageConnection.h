#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

class QLocalSocket;

// One accepted connection of the message server. It takes one frame, answers
// it and closes. A peer that sends something malformed, or is not done within
// the time limit, loses the connection without an answer, so one bad or stuck
// sender cannot hold the running instance.
class MessageConnection : public QObject
{
    Q_OBJECT

public:
    // Takes ownership of socket; deletes itself once the connection is over.
    MessageConnection(QLocalSocket* socket, std::chrono::milliseconds timeLimit, QObject* parent);

signals:
    void messageReceived(const QString& message);

private:
    void readAvailable();
    void drop();

    QLocalSocket* m_socket;
    QByteArray m_received;
    QTimer m_deadline;
};
