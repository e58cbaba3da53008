#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <cstdint>

// Measures recording lengths on two worker threads, so that adding many files
// to the play list never waits for the playback library to open each one.
// Results come back on the thread that owns the reader, in no fixed order.
class FileLengthReader : public QObject
{
    Q_OBJECT

public:
    explicit FileLengthReader(QObject* parent = nullptr);
    // Drops the queued jobs and waits for the running ones: no result arrives
    // once the reader is gone.
    ~FileLengthReader() override;

    // The job starts once the owner's thread has handled the events waiting
    // now, so that a batch of new entries is laid out and painted before the
    // workers compete with it for the processor.
    void request(const QString& path);
    // Jobs not started yet measure nothing; results of jobs that were running
    // are dropped.
    void cancelAll();
    // cancelAll, then waits until no job runs. For the end of the program, so
    // that nothing opens a file while the playback library is released.
    void shutDown();

    // Jobs whose result has not arrived yet.
    int pending() const { return m_pending; }

signals:
    // seconds is -1 when the playback library cannot open the file.
    void lengthRead(const QString& path, qint64 seconds);
    // The recording time range of a file that could be opened, us, right
    // after its lengthRead.
    void rangeRead(const QString& path, quint64 start, quint64 end);
    // The last pending job reported, or was cancelled.
    void settled();

private:
    void startWaiting();
    struct Result {
        qint64 seconds = -1;
        uint64_t start = 0;
        uint64_t end = 0;
    };
    void deliver(const QString& path, const Result& result, quint64 generation);

    QThreadPool m_pool;
    QTimer m_startTimer;
    QStringList m_waiting;
    // Raised by cancelAll; a job compares it with the value it was started under.
    std::atomic<quint64> m_generation{0};
    int m_pending = 0;
};
