#pragma once

#include <QCoreApplication>

#include <atomic>

// Creates a process-wide object on first use. Threads racing to create it each
// build one; the first to publish wins and the others delete theirs. The
// object is released when the application object goes, which lets settings
// write themselves out while Qt still runs.
template <typename T, typename Make>
T& publishOnce(std::atomic<T*>& slot, Make make, void (*releaseAtExit)())
{
    T* current = slot.load(std::memory_order_acquire);
    if (current)
        return *current;

    T* created = make();
    if (slot.compare_exchange_strong(current, created, std::memory_order_acq_rel)) {
        qAddPostRoutine(releaseAtExit);
        return *created;
    }
    delete created;
    return *current;
}
