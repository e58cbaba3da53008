#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <chrono>

// The running instance's end of the hand-off: accepts connections on a local
// socket and reports each well-formed message. Connections are independent, so
// a malformed or stuck sender does not keep others from being served.
class MessageServer : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{2000};

    explicit MessageServer(QObject* parent = nullptr);

    // Listens on the socket file at fullPath, readable by this user only. Fails
    // when the file exists, so the caller decides whether an old one may go.
    bool listen(const QString& fullPath);
    QString fullServerName() const;

    // How long one connection may take to deliver its frame; applies to
    // connections accepted from now on.
    void setTimeLimit(std::chrono::milliseconds limit);

signals:
    void messageReceived(const QString& message);

private:
    void acceptPending();

    QLocalServer m_server;
    std::chrono::milliseconds m_timeLimit = kDefaultTimeLimit;
};
