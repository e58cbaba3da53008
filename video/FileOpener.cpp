#include "FileOpener.h"

#include "PlayerApi.h"

#include <QThreadPool>

#include <condition_variable>
#include <mutex>

struct FileOpener::State {
    std::mutex mutex;
    std::condition_variable idle;
    uint64_t generation = 0; // guarded by mutex
    int running = 0;         // guarded by mutex
    OpenedFile result;       // guarded by mutex
};

namespace {

void closeOpened(OpenedFile& file)
{
    if (file.handle)
        PlayerApi::ClosePlayFile(file.handle.get());
    file.handle.reset();
}

}

FileOpener::FileOpener(QObject* parent)
    : QObject(parent)
    , m_state(std::make_shared<State>())
{
}

FileOpener::~FileOpener()
{
    std::unique_lock lock(m_state->mutex);
    ++m_state->generation;
    m_state->idle.wait(lock, [this] { return m_state->running == 0; });
    closeOpened(m_state->result);
}

void FileOpener::start(Open open)
{
    cancel();
    uint64_t generation = 0;
    {
        std::lock_guard lock(m_state->mutex);
        generation = ++m_state->generation;
        ++m_state->running;
    }
    m_busy = true;
    QThreadPool::globalInstance()->start([this, state = m_state, generation, open = std::move(open)] {
        OpenedFile file = open();
        std::unique_lock lock(state->mutex);
        if (state->generation == generation) {
            state->result = std::move(file);
            // Posted while the lock keeps the destructor waiting, so this
            // object still exists; a posted call dies with its receiver.
            QMetaObject::invokeMethod(this, [this, generation] { deliver(generation); }, Qt::QueuedConnection);
        }
        lock.unlock();
        closeOpened(file);
        lock.lock();
        --state->running;
        state->idle.notify_all();
    });
}

void FileOpener::cancel()
{
    OpenedFile stale;
    {
        std::lock_guard lock(m_state->mutex);
        ++m_state->generation;
        stale = std::move(m_state->result);
        m_state->result = {};
    }
    m_busy = false;
    closeOpened(stale);
}

void FileOpener::deliver(uint64_t generation)
{
    {
        std::lock_guard lock(m_state->mutex);
        if (generation != m_state->generation)
            return;
    }
    emit opened();
}

OpenedFile FileOpener::take()
{
    OpenedFile file;
    {
        std::lock_guard lock(m_state->mutex);
        file = std::move(m_state->result);
        m_state->result = {};
    }
    m_busy = false;
    return file;
}
