// The library's only process-wide state: whether it is initialised, the
// registry that maps 32-bit handles to instances, the sync groups and the
// hardware decoding slots.
#pragma once

#include "ClipJobs.h"
#include "HardwareSlots.h"
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
    // A clock-only player when clockOnly (see Player).
    uint32_t create(bool clockOnly);
    // Removes the handle first, so no new call reaches the instance, then
    // tears the instance down and lets its followers go on alone.
    int destroy(uint32_t handle);
    std::shared_ptr<Player> find(uint32_t handle) const;
    SyncGroups& sync() { return sync_; }
    // Serialises SDL's audio start and stop, which are not thread-safe.
    std::mutex& audioMutex() { return audioMutex_; }
    // The video streams of all instances together that may decode in
    // hardware; each holds one of these slots while it does.
    HardwareSlots& hardwareSlots() { return hardware_; }
    // Clips being written after their instance stopped recording.
    ClipJobs& clips() { return clips_; }

private:
    Library() = default;

    // First, so that it outlives every instance whose streams hold a slot.
    HardwareSlots hardware_{KV_DEFAULT_HARDWARE_DECODERS};
    mutable std::mutex mutex_;
    bool initialised_ = false;                           // guarded by mutex_
    uint32_t next_ = 1;                                  // guarded by mutex_
    std::map<uint32_t, std::shared_ptr<Player>> players_; // guarded by mutex_
    std::mutex audioMutex_;
    SyncGroups sync_{[this](uint32_t h) { return find(h); }};
    ClipJobs clips_;
};

} // namespace kvplay
