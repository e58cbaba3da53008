#pragma once

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>

class Model_Customize;

// Names of snapshot and clip files: one dated folder per day below the
// configured folder of each kind, and a time stamp that stays unique within a
// run even when several outputs fall into the same second ("_001", "_002"...).
class OutputNaming
{
public:
    enum Kind { Picture = 0, Clip = 1 };

    explicit OutputNaming(const Model_Customize& customize);

    // The process-wide naming state, shared by snapshots and clips.
    static OutputNaming& instance();

    // The dated folder for an output made at instant, created when missing;
    // empty when the kind's folder setting is empty (folderSettingEmpty() then
    // tells the caller to say so) or the folder cannot be made.
    QString OutputFolder(int kind, const QDateTime& instant);
    QString SnapshotFileName(const QString& source);
    QString SnapshotFileName(const QString& source, const QDateTime& instant);
    QString ClipFileName(const QString& source, const QDateTime& instant);
    static QString ClipPictureName(const QString& clip);
    // The stamp of a snapshot, taken at the wall clock: never earlier than
    // the last one of the run.
    QString TimeStampText(const QDateTime& instant);
    // The stamp of a clip, taken at the recording's time: that time, with a
    // number when the same second was used before in the run.
    QString ClipStampText(const QDateTime& instant);

    // The instant of a clip: a play time in microseconds rounded to whole
    // seconds, as UTC.
    static QDateTime clipInstant(uint64_t playTime);

    // True when the last OutputFolder call failed for an empty setting.
    bool folderSettingEmpty() const { return m_folderSettingEmpty; }

private:
    static QDateTime wholeSecond(const QDateTime& instant);
    static QString baseName(const QString& source);
    static QString joined(const QString& folder, const QString& name);

    const Model_Customize& m_customize;
    bool m_folderSettingEmpty = false;

    mutable QMutex m_lastTimeLock;
    QDateTime m_lastTime; // guarded by m_lastTimeLock
    mutable QMutex m_counterLock;
    int m_counter = 0; // guarded by m_counterLock
    QHash<qint64, int> m_clipSeconds; // guarded by m_counterLock; clips per second of recording time
};
