// The library's only process-wide state: whether it is initialised, and the
// registry that maps 32-bit handles to instances.
#pragma once

#include "Player.h"

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
    // tears the instance down.
    int destroy(uint32_t handle);
    std::shared_ptr<Player> find(uint32_t handle) const;
    // Serialises SDL's audio start and stop, which are not thread-safe.
    std::mutex& audioMutex() { return audioMutex_; }
    // Kept for the hardware decoding path, which this build does not have yet.
    void setMaxHardwareDecoders(int n);

private:
    Library() = default;

    mutable std::mutex mutex_;
    bool initialised_ = false;                           // guarded by mutex_
    uint32_t next_ = 1;                                  // guarded by mutex_
    std::map<uint32_t, std::shared_ptr<Player>> players_; // guarded by mutex_
    int maxHardware_ = 0;                                // guarded by mutex_
    std::mutex audioMutex_;
};

} // namespace kvplay
