#include "RecordFilesFormat.h"

#include <QStringDecoder>

namespace RecordFilesFormat {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Text in a wider Unicode form, announced by its byte-order mark, is turned
// into the UTF-8 bytes the line reader expects.
QByteArray asUtf8(const QByteArray& data)
{
    if (data.startsWith(kUtf8Bom))
        return data.mid(kUtf8Bom.size());
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(data);
    if (!encoding || *encoding == QStringConverter::Utf8)
        return data;
    QStringDecoder decoder(*encoding);
    const QString text = decoder.decode(data);
    return text.toUtf8();
}

bool isBlank(QByteArrayView line)
{
    for (const char c : line) {
        if (c != ' ' && c != '\t' && c != '\v' && c != '\f' && c != '\r')
            return false;
    }
    return true;
}

}

Parsed parse(const QByteArray& data)
{
    Parsed result;
    const QByteArray bytes = asUtf8(data);
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (isBlank(line))
            continue;
        if (line.size() > kMaxLineBytes || line.contains('\0') || result.paths.size() >= kMaxEntries) {
            ++result.skippedLines;
            continue;
        }
        result.paths.append(QString::fromLocal8Bit(line));
    }
    return result;
}

bool isStorable(const QString& path)
{
    if (path.trimmed().isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'))
        || path.contains(QChar(u'\0')))
        return false;
    return path.toLocal8Bit().size() <= kMaxLineBytes;
}

QByteArray encode(const QStringList& paths, qsizetype* skipped)
{
    QByteArray bytes;
    qsizetype left = 0;
    for (const QString& path : paths) {
        if (!isStorable(path)) {
            ++left;
            continue;
        }
        bytes += path.toLocal8Bit();
        bytes += '\n';
    }
    if (skipped)
        *skipped = left;
    return bytes;
}

}
