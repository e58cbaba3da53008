#include "OutputNaming.h"

#include "Model_Customize.h"

#include <QDir>
#include <QTimeZone>

OutputNaming::OutputNaming(const Model_Customize& customize)
    : m_customize(customize)
{
}

OutputNaming& OutputNaming::instance()
{
    static OutputNaming naming(Model_Customize::instance());
    return naming;
}

QString OutputNaming::OutputFolder(int kind, const QDateTime& instant)
{
    m_folderSettingEmpty = false;
    QString folder;
    if (kind == Picture)
        folder = m_customize.picturePath();
    else if (kind == Clip)
        folder = m_customize.videoPath();
    if (folder.isEmpty()) {
        m_folderSettingEmpty = true;
        return {};
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';
    folder += instant.toString(QStringLiteral("yyyyMMdd"));
    if (!QDir(folder).exists() && !QDir().mkpath(folder))
        return {};
    return folder;
}

QString OutputNaming::SnapshotFileName(const QString& source)
{
    return SnapshotFileName(source, QDateTime::currentDateTime());
}

QString OutputNaming::SnapshotFileName(const QString& source, const QDateTime& instant)
{
    const QString folder = OutputFolder(Picture, instant);
    if (folder.isEmpty())
        return {};
    return joined(folder, baseName(source) + QStringLiteral("_512_") + TimeStampText(instant) +
                              QStringLiteral(".png"));
}

QString OutputNaming::ClipFileName(const QString& source, const QDateTime& instant)
{
    const qsizetype dot = source.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : source.mid(dot);
    const QString folder = OutputFolder(Clip, instant);
    if (folder.isEmpty())
        return {};
    return joined(folder, baseName(source) + QStringLiteral("_1025_") + ClipStampText(instant) + extension);
}

QString OutputNaming::ClipPictureName(const QString& clip)
{
    const qsizetype dot = clip.lastIndexOf(u'.');
    return (dot < 0 ? clip : clip.left(dot)) + QStringLiteral(".png");
}

QString OutputNaming::TimeStampText(const QDateTime& instant)
{
    // Whole date-times: a time of day alone would keep yesterday's late
    // stamps after midnight.
    QDateTime t = wholeSecond(instant);
    QDateTime last;
    {
        QMutexLocker locker(&m_lastTimeLock);
        last = m_lastTime;
    }
    if (last.isValid() && last > t)
        t = last;

    QMutexLocker counterLocker(&m_counterLock);
    if (m_counter >= 999 && t == last) {
        // Past 999 outputs in one second: borrow the next second.
        t = t.addSecs(1);
        m_counter = 0;
        QMutexLocker locker(&m_lastTimeLock);
        m_lastTime = t;
        return t.toString(QStringLiteral("yyyyMMddhhmmss"));
    }
    if (last.isValid() && t == last) {
        ++m_counter;
        return t.addMSecs(m_counter).toString(QStringLiteral("yyyyMMddhhmmss_zzz"));
    }
    m_counter = 0;
    QMutexLocker locker(&m_lastTimeLock);
    m_lastTime = t;
    return t.toString(QStringLiteral("yyyyMMddhhmmss"));
}

QString OutputNaming::ClipStampText(const QDateTime& instant)
{
    // A clip is named after the recording's own time, which jumps back and
    // forth as files are played: uniqueness is kept per second, never by
    // moving the stamp.
    const QDateTime t = wholeSecond(instant);
    QMutexLocker locker(&m_counterLock);
    QDateTime stamped = t;
    int* used = &m_clipSeconds[t.toSecsSinceEpoch()];
    while (*used > 999) {
        stamped = stamped.addSecs(1);
        used = &m_clipSeconds[stamped.toSecsSinceEpoch()];
    }
    const int number = (*used)++;
    if (number == 0)
        return stamped.toString(QStringLiteral("yyyyMMddhhmmss"));
    return stamped.addMSecs(number).toString(QStringLiteral("yyyyMMddhhmmss_zzz"));
}

QDateTime OutputNaming::wholeSecond(const QDateTime& instant)
{
    QDateTime t = instant;
    const QTime time = instant.time();
    t.setTime(QTime(time.hour(), time.minute(), time.second()));
    return t;
}

QDateTime OutputNaming::clipInstant(uint64_t playTime)
{
    const auto seconds = static_cast<qint64>((playTime + 500000U) / 1000000U);
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

QString OutputNaming::baseName(const QString& source)
{
    const QString name = source.mid(source.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString OutputNaming::joined(const QString& folder, const QString& name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}
