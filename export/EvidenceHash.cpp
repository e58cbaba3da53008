#include "EvidenceHash.h"

#include <QFile>

#include <openssl/evp.h>

#include <memory>

namespace EvidenceHash {

namespace {

constexpr qint64 kBlock = 1 << 20;
constexpr qsizetype kHexLength = 64;

struct DigestFreer {
    void operator()(EVP_MD_CTX* ctx) const noexcept { EVP_MD_CTX_free(ctx); }
};
using DigestPtr = std::unique_ptr<EVP_MD_CTX, DigestFreer>;

QByteArray hexOf(const unsigned char* digest, unsigned int length)
{
    return QByteArray(reinterpret_cast<const char*>(digest), static_cast<qsizetype>(length)).toHex();
}

}

QByteArray sha256File(const QString& path, const std::function<bool(qint64)>& progress)
{
    QFile file(path);
    const DigestPtr ctx(EVP_MD_CTX_new());
    if (!ctx || !file.open(QIODevice::ReadOnly) || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        return {};
    QByteArray block(kBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(block.data(), kBlock);
        if (n < 0)
            return {};
        if (n == 0)
            break;
        if (EVP_DigestUpdate(ctx.get(), block.constData(), static_cast<size_t>(n)) != 1)
            return {};
        if (progress && !progress(n))
            return {};
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1)
        return {};
    return hexOf(digest, length);
}

QByteArray sha256Hex(const QByteArray& data)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(data.constData(), static_cast<size_t>(data.size()), digest, &length, EVP_sha256(), nullptr) != 1)
        return {};
    return hexOf(digest, length);
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
