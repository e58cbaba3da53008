#include "FileInfoText.h"

#include "Model_Language.h"

#include <QDateTime>
#include <QTimeZone>

#include <cstring>

namespace FileInfoText {

namespace {

constexpr uint64_t kMicrosecondsPerSecond = 1000000;

template <size_t N>
QString fieldText(const char (&field)[N])
{
    const size_t length = strnlen(field, N);
    return QString::fromLocal8Bit(field, static_cast<qsizetype>(length));
}

}

QString timeText(uint64_t microseconds)
{
    const uint64_t seconds = microseconds / kMicrosecondsPerSecond +
                             (microseconds % kMicrosecondsPerSecond >= kMicrosecondsPerSecond / 2 ? 1 : 0);
    const QDateTime when = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(seconds), QTimeZone::utc());
    const QDate date = when.date();
    const QTime time = when.time();
    return QString::asprintf("%d-%d-%d %02d:%02d:%02d", date.year(), date.month(), date.day(), time.hour(),
                             time.minute(), time.second());
}

int timeSourceTextIndex(int32_t source)
{
    constexpr int kFirstSourceText = 84;
    if (source < TimeSourceCreation || source > TimeSourceModified)
        return -1;
    return kFirstSourceText + source - TimeSourceCreation;
}

Fields fields(const FileInfoRecord& record)
{
    Fields result;
    result.mac = fieldText(record.mac);
    result.serial = fieldText(record.serial);
    result.channel = QString::number(static_cast<qint64>(record.channel) + 1);
    result.time = timeText(record.time);
    result.deviceType = fieldText(record.device_type);
    const int sourceText = timeSourceTextIndex(record.time_source);
    result.timeSource = sourceText < 0 ? QString() : Model_Language::Text(sourceText);
    return result;
}

}
