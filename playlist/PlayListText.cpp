#include "PlayListText.h"

#include <QSet>

#include <algorithm>

namespace PlayListText {

namespace {

constexpr qsizetype kLongName = 20;
constexpr qsizetype kNameHead = 8;
constexpr qsizetype kNameTail = 7;
constexpr int kBarWidth = 265;
constexpr double kStep = 1024.0;

bool containsAny(const QString& name, const QStringList& extensions)
{
    return std::any_of(extensions.cbegin(), extensions.cend(),
                       [&name](const QString& extension) { return name.contains(extension, Qt::CaseSensitive); });
}

}

QString FormatFileSize(quint64 bytes)
{
    const double size = static_cast<double>(bytes);
    if (size < kStep)
        return QString::asprintf("%.1fB", size);
    const double kb = size / kStep;
    if (kb < kStep)
        return QString::asprintf("%.1fKB", kb);
    const double mb = kb / kStep;
    if (mb < kStep)
        return QString::asprintf("%.2fMB", mb);
    return QString::asprintf("%.2fGB", mb / kStep);
}

QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString shortName(const QString& fileName)
{
    if (fileName.size() <= kLongName)
        return fileName;
    return fileName.left(kNameHead) + QStringLiteral("...") + fileName.right(kNameTail);
}

QString LengthText(qint64 startMicroseconds, qint64 endMicroseconds)
{
    const qint64 seconds = endMicroseconds > startMicroseconds ? (endMicroseconds - startMicroseconds) / 1000000 : 0;
    return QString::asprintf("%02lld:%02lld:%02lld", seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

qint64 TimeTextToSeconds(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return 0;
    qint64 fields[3] = {};
    for (qsizetype i = 0; i < 3; ++i) {
        bool ok = false;
        fields[i] = parts.at(i).toLongLong(&ok);
        if (!ok || fields[i] < 0)
            return 0;
    }
    return fields[0] * 3600 + fields[1] * 60 + fields[2];
}

QString furthestPlayTime(const QStringList& playTimes)
{
    if (playTimes.isEmpty())
        return {};
    return *std::max_element(playTimes.cbegin(), playTimes.cend());
}

QString progressText(const QStringList& playTimes, const QString& totalLength)
{
    if (playTimes.isEmpty())
        return totalLength;
    return furthestPlayTime(playTimes) + QLatin1Char('/') + totalLength;
}

std::optional<int> progressBarShortening(const QString& currentTime, const QString& totalLength)
{
    const qint64 total = TimeTextToSeconds(totalLength);
    if (total <= 0)
        return std::nullopt;
    const qint64 current = std::clamp<qint64>(TimeTextToSeconds(currentTime), 0, total);
    const double left = 1.0 - static_cast<double>(current) / static_cast<double>(total);
    return static_cast<int>(left * kBarWidth);
}

bool matchesSearch(const QString& path, const QString& text)
{
    return fileNameOf(path).contains(text, Qt::CaseInsensitive);
}

QStringList listDropAdditions(const QStringList& localNames, const QStringList& entryFileNames,
                              const QStringList& extensions)
{
    QSet<QString> taken(entryFileNames.cbegin(), entryFileNames.cend());
    QStringList added;
    for (const QString& name : localNames) {
        if (name.isEmpty() || !containsAny(name, extensions))
            break;
        const QString fileName = fileNameOf(name);
        if (taken.contains(fileName))
            continue;
        taken.insert(fileName);
        added.append(name);
    }
    return added;
}

}
