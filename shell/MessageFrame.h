#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

// The one message a later start of the program hands to the running instance:
// a big-endian magic number, a big-endian payload length and the text as UTF-8.
// The length cap bounds what a peer can make the running instance buffer.
namespace MessageFrame {

inline constexpr quint32 kMagic = 0x4B565031;
inline constexpr qsizetype kHeaderSize = 8;
inline constexpr qsizetype kMaxPayload = 64 * 1024;
inline constexpr qsizetype kMaxFrameSize = kHeaderSize + kMaxPayload;

// What the running instance answers once it has taken a message.
inline constexpr QByteArrayView kAck{"OK"};

struct Decoded
{
    enum class Status { NeedMore, Message, Bad };

    Status status = Status::NeedMore;
    QString message;
};

// Empty when the text does not fit the length cap.
std::optional<QByteArray> encode(const QString& message);

// Judges everything received so far on one connection, which carries exactly
// one frame: bytes after the frame make it Bad, as does a wrong magic number
// (known from the fourth byte on), a length over the cap, or invalid UTF-8.
Decoded decode(QByteArrayView received);

} // namespace MessageFrame
