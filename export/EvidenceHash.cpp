#include "EvidenceHash.h"

#include <QCryptographicHash>
#include <QFile>

namespace EvidenceHash {

namespace {

constexpr qint64 kBlock = 1 << 20;
constexpr qsizetype kHexLength = 64;

}

QByteArray sha256File(const QString& path, const std::function<bool(qint64)>& progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray block(kBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(block.data(), kBlock);
        if (n < 0)
            return {};
        if (n == 0)
            break;
        hash.addData(QByteArrayView(block.constData(), n));
        if (progress && !progress(n))
            return {};
    }
    return hash.result().toHex();
}

QByteArray sha256Hex(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

QByteArray sumLine(const QByteArray& hex, const QString& name)
{
    return hex + "  " + name.toUtf8() + '\n';
}

QByteArray hashInLine(const QByteArray& line, const QString& name)
{
    const QByteArray text = line.endsWith('\n') ? line.chopped(1) : line;
    const QByteArray tail = "  " + name.toUtf8();
    if (text.size() != kHexLength + tail.size() || !text.endsWith(tail))
        return {};
    const QByteArray hex = text.left(kHexLength).toLower();
    for (const char c : hex) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return {};
    }
    return hex;
}

}
