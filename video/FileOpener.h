#pragma once

#include "QKvFactory.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

// What an open on the worker gives back: the player, its instance and the
// file's range; no handle when the file could not be opened.
struct OpenedFile {
    std::unique_ptr<PlayerHandle> handle;
    uint32_t instance = 0;
    uint64_t first = 0;
    uint64_t last = 0;
};

// Opens files off the GUI thread: probing a file and indexing its first
// keyframes take long enough to stall the window when sixteen open at once.
// One open at a time is wanted; a newer one, cancel() or the destructor
// abandons the one under way, and whatever it opens is closed on the worker.
class FileOpener : public QObject
{
    Q_OBJECT

public:
    using Open = std::function<OpenedFile()>;

    explicit FileOpener(QObject* parent = nullptr);
    // Waits for an open under way, which then closes what it opened.
    ~FileOpener() override;

    // Runs open on a worker thread; opened() follows on this object's thread.
    void start(Open open);
    void cancel();
    // An open has been started and its result not yet taken.
    bool busy() const { return m_busy; }
    // The result opened() announced; the opener is idle again.
    OpenedFile take();

signals:
    void opened();

private:
    struct State;
    void deliver(uint64_t generation);

    std::shared_ptr<State> m_state;
    bool m_busy = false;
};
