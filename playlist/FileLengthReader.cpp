#include "FileLengthReader.h"

#include "PlayerApi.h"
#include "PlayerLibrary.h"

#include <QMetaObject>

#include <utility>

namespace {

// Two readers keep the disk busy without starving the players of CPU time.
constexpr int kReaderThreads = 2;
constexpr uint64_t kMicrosecondsPerSecond = 1000000;

}

FileLengthReader::FileLengthReader(QObject* parent)
    : QObject(parent)
{
    m_pool.setMaxThreadCount(kReaderThreads);
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(0);
    connect(&m_startTimer, &QTimer::timeout, this, &FileLengthReader::startWaiting);
    // The libraries start on this thread; the workers then find them running.
    PlayerLibrary::start();
}

FileLengthReader::~FileLengthReader()
{
    // Running jobs that wait for a whole-file pass stop waiting.
    ++m_generation;
    m_pool.clear();
    m_pool.waitForDone();
}

void FileLengthReader::request(const QString& path)
{
    ++m_pending;
    m_waiting.append(path);
    if (!m_startTimer.isActive())
        m_startTimer.start();
}

void FileLengthReader::startWaiting()
{
    const quint64 generation = m_generation.load();
    const QStringList paths = std::exchange(m_waiting, {});
    for (const QString& path : paths) {
        m_pool.start([this, path, generation] {
            const auto cancelled = [this, generation] { return generation != m_generation.load(); };
            Result result;
            if (!cancelled() && PlayerApi::ReadExactFileRange(path, cancelled, &result.start, &result.end))
                result.seconds = static_cast<qint64>((result.end - result.start) / kMicrosecondsPerSecond);
            // The destructor waits for this job, so the reader is still alive
            // here; its queued calls die with it.
            QMetaObject::invokeMethod(
                this, [this, path, result, generation] { deliver(path, result, generation); },
                Qt::QueuedConnection);
        });
    }
}

void FileLengthReader::cancelAll()
{
    ++m_generation;
    if (m_waiting.isEmpty())
        return;
    m_pending -= static_cast<int>(m_waiting.size());
    m_waiting.clear();
    if (m_pending == 0)
        emit settled();
}

void FileLengthReader::shutDown()
{
    cancelAll();
    m_pool.waitForDone();
}

void FileLengthReader::deliver(const QString& path, const Result& result, quint64 generation)
{
    --m_pending;
    if (generation == m_generation.load()) {
        emit lengthRead(path, result.seconds);
        if (result.seconds >= 0)
            emit rangeRead(path, result.start, result.end);
    }
    if (m_pending == 0)
        emit settled();
}
