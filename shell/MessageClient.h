#pragma once

#include <QString>

// The later start's end of the hand-off.
namespace MessageClient {

// Hands message to the instance listening on the socket file serverPath and
// waits for its acknowledgement. Blocks the calling thread, never longer than
// timeoutMs; true only when the instance confirmed the message. A missing
// server is retried until the time is up, because the running instance may
// hold the lock but not listen yet.
bool send(const QString& serverPath, const QString& message, int timeoutMs);

} // namespace MessageClient
