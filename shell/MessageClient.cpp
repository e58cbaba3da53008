#include "MessageClient.h"

#include "MessageFrame.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>
#include <chrono>

namespace MessageClient {
namespace {

constexpr int kRetryPauseMs = 50;

// Never -1: that would make Qt's waits unbounded.
int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

bool connectWithin(QLocalSocket& socket, const QString& serverPath, const QDeadlineTimer& deadline)
{
    for (;;) {
        socket.connectToServer(serverPath);
        if (socket.waitForConnected(remainingMs(deadline)))
            return true;
        socket.abort();
        if (deadline.hasExpired())
            return false;
        QThread::msleep(static_cast<unsigned long>(std::min(kRetryPauseMs, remainingMs(deadline))));
    }
}

bool writeWithin(QLocalSocket& socket, const QByteArray& frame, const QDeadlineTimer& deadline)
{
    if (socket.write(frame) != frame.size())
        return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remainingMs(deadline)))
            return false;
    }
    return true;
}

bool acknowledgedWithin(QLocalSocket& socket, const QDeadlineTimer& deadline)
{
    while (socket.bytesAvailable() < MessageFrame::kAck.size()) {
        if (!socket.waitForReadyRead(remainingMs(deadline)))
            return false;
    }
    return socket.read(MessageFrame::kAck.size()) == MessageFrame::kAck;
}

} // namespace

bool send(const QString& serverPath, const QString& message, int timeoutMs)
{
    const std::optional<QByteArray> frame = MessageFrame::encode(message);
    if (!frame)
        return false;
    const QDeadlineTimer deadline(std::chrono::milliseconds(std::max(timeoutMs, 0)));
    QLocalSocket socket;
    const bool delivered = connectWithin(socket, serverPath, deadline)
        && writeWithin(socket, *frame, deadline) && acknowledgedWithin(socket, deadline);
    socket.abort();
    return delivered;
}

} // namespace MessageClient
