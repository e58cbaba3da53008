// The library's only process-wide state: whether it is initialised, the
// registry that maps 32-bit handles to instances, and the sync groups.
#pragma once

#include "Player.h"
#include "SyncGroups.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace kvplay {

class Library {
public:
    static Library& get();

    int init();
    int deinit();
    bool initialised() const;
    // 0 when not initialised.
    uint32_t create();
    // Removes the handle first, so no new call reaches the instance, then
    // tears the instance down and lets its followers go on alone.
    int destroy(uint32_t handle);
    std::shared_ptr<Player> find(uint32_t handle) const;
    SyncGroups& sync() { return sync_; }
    // Serialises SDL's audio start and stop, which are not thread-safe.
    std::mutex& audioMutex() { return audioMutex_; }
    // Every instance decodes in software; the limit is only kept, so that a
    // hardware path can honour what the caller asked for.
    void setMaxHardwareDecoders(int n);

private:
    Library() = default;

    mutable std::mutex mutex_;
    bool initialised_ = false;                           // guarded by mutex_
    uint32_t next_ = 1;                                  // guarded by mutex_
    std::map<uint32_t, std::shared_ptr<Player>> players_; // guarded by mutex_
    int maxHardware_ = 0;                                // guarded by mutex_
    std::mutex audioMutex_;
    SyncGroups sync_{[this](uint32_t h) { return find(h); }};
};

} // namespace kvplay
