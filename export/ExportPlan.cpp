#include "ExportPlan.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTimeZone>

#include <algorithm>

namespace ExportPlan {

namespace {

constexpr qint64 kUsPerSecond = 1000000;

QString windowPrefix(int window)
{
    return QStringLiteral("window%1_").arg(window, 2, 10, QLatin1Char('0'));
}

}

QString folderName(uint64_t in)
{
    const QDateTime when =
        QDateTime::fromSecsSinceEpoch(static_cast<qint64>(in) / kUsPerSecond, QTimeZone::utc());
    return when.toString(QStringLiteral("yyyyMMddTHHmmssZ"));
}

QString freeFolder(const QString& parent, const QString& name)
{
    const QDir dir(parent);
    QString candidate = name;
    for (int n = 2; QFileInfo::exists(dir.filePath(candidate)); ++n)
        candidate = name + QStringLiteral("_%1").arg(n);
    return dir.filePath(candidate);
}

QString outputName(int window, const QString& source, const QString& extension)
{
    return windowPrefix(window) + QFileInfo(source).completeBaseName() + u'.' + extension;
}

QString snapshotName(int window, const QString& source)
{
    return windowPrefix(window) + QFileInfo(source).completeBaseName() + QStringLiteral("_in.png");
}

bool overlaps(uint64_t start, uint64_t end, uint64_t in, uint64_t out)
{
    return start <= out && end >= in;
}

qint64 spanBytes(qint64 size, uint64_t start, uint64_t end, uint64_t in, uint64_t out)
{
    if (size <= 0 || end <= start)
        return std::max<qint64>(size, 1);
    const uint64_t from = std::max(start, in);
    const uint64_t to = std::min(end, out);
    const double part = to > from ? static_cast<double>(to - from) / static_cast<double>(end - start) : 0.0;
    return std::max<qint64>(static_cast<qint64>(static_cast<double>(size) * part), 1);
}

}
