#include "MessageFrame.h"

#include <QStringDecoder>
#include <QtEndian>

namespace MessageFrame {
namespace {

constexpr qsizetype kMagicSize = 4;

quint32 readWord(QByteArrayView bytes, qsizetype offset)
{
    return qFromBigEndian<quint32>(bytes.data() + offset);
}

Decoded bad()
{
    return {Decoded::Status::Bad, {}};
}

Decoded needMore()
{
    return {Decoded::Status::NeedMore, {}};
}

} // namespace

std::optional<QByteArray> encode(const QString& message)
{
    const QByteArray payload = message.toUtf8();
    if (payload.size() > kMaxPayload)
        return std::nullopt;
    QByteArray frame(kHeaderSize, Qt::Uninitialized);
    qToBigEndian(kMagic, frame.data());
    qToBigEndian(static_cast<quint32>(payload.size()), frame.data() + kMagicSize);
    frame.append(payload);
    return frame;
}

Decoded decode(QByteArrayView received)
{
    if (received.size() >= kMagicSize && readWord(received, 0) != kMagic)
        return bad();
    if (received.size() < kHeaderSize)
        return needMore();
    const quint32 length = readWord(received, kMagicSize);
    if (length > static_cast<quint32>(kMaxPayload))
        return bad();
    const qsizetype frameSize = kHeaderSize + static_cast<qsizetype>(length);
    if (received.size() < frameSize)
        return needMore();
    if (received.size() > frameSize)
        return bad();
    // Stateless: a sequence cut off at the end must count as an error instead of
    // waiting for more input. Initial BOM kept: the text must arrive unchanged.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(received.sliced(kHeaderSize));
    if (decoder.hasError())
        return bad();
    return {Decoded::Status::Message, std::move(text)};
}

} // namespace MessageFrame
