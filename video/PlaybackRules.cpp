#include "PlaybackRules.h"

#include "Model_Customize.h"

#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace PlaybackRules {

QString timeText(uint64_t microseconds)
{
    const auto seconds = static_cast<int>(microseconds / 1000000U);
    return QString::asprintf("%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

uint64_t elapsedAt(uint64_t t, uint64_t first)
{
    return t > first ? t - first : 0;
}

int progressValue(uint64_t elapsed, uint64_t total)
{
    return static_cast<int>(static_cast<double>(elapsed) / static_cast<double>(total) * 10000.0);
}

uint64_t seekTarget(uint64_t first, uint64_t total, int value)
{
    return first + static_cast<uint64_t>(static_cast<double>(total) * value / 10000.0);
}

uint64_t shiftedTime(uint64_t t, int64_t deltaUs, uint64_t first, uint64_t last)
{
    if (deltaUs < 0) {
        const auto back = static_cast<uint64_t>(-deltaUs);
        return t > first && t - first > back ? t - back : first;
    }
    const auto ahead = static_cast<uint64_t>(deltaUs);
    return last > t && last - t > ahead ? t + ahead : std::max(t, last);
}

int speedUp(int state)
{
    switch (state) {
    case PlayStatePlay:
    case PlayStatePause:
    case PlayStateSlow2:
    case PlayStateStep:
        return PlayStateFast2;
    case PlayStateSlow4:
    case PlayStateSlow8:
    case PlayStateSlow16:
        return state - 1;
    case PlayStateFast2:
    case PlayStateFast4:
    case PlayStateFast8:
        return state + 1;
    default:
        return state;
    }
}

int slowDown(int state)
{
    switch (state) {
    case PlayStatePlay:
    case PlayStatePause:
    case PlayStateFast2:
    case PlayStateStep:
        return PlayStateSlow2;
    case PlayStateSlow2:
    case PlayStateSlow4:
    case PlayStateSlow8:
        return state + 1;
    case PlayStateFast4:
    case PlayStateFast8:
    case PlayStateFast16:
        return state - 1;
    default:
        return state;
    }
}

int indexAfterEdit(const QStringList& list, const QString& current, int index)
{
    if (current.isEmpty())
        return index;
    if (index >= 0 && index < list.size() && list.at(index) == current)
        return index;
    const qsizetype found = list.indexOf(current);
    return found < 0 ? index : static_cast<int>(found);
}

std::optional<int> nextAfterEnd(int playMode, int index, int count)
{
    switch (playMode) {
    case List:
        if (index + 1 < count)
            return index + 1;
        return std::nullopt;
    case SingleCircle:
        if (index >= 0 && index < count)
            return index;
        return std::nullopt;
    case ListCircle:
        if (index + 1 < count)
            return index + 1;
        if (count > 0)
            return 0;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

QString droppedFile(const QMimeData& mime)
{
    const QList<QUrl> urls = mime.urls();
    if (!urls.isEmpty())
        return urls.first().toLocalFile();
    return mime.text();
}

bool acceptsDrop(const QString& path, const Model_Customize& customize)
{
    const QStringList extensions = customize.dropExtensions();
    for (const QString& extension : extensions) {
        if (path.contains(extension, Qt::CaseSensitive))
            return true;
    }
    return false;
}

}
