// Media clock: maps stream time (us) to the steady wall clock at a speed, and
// stands still while paused. Instances that play in sync share one clock.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

namespace kvplay {

class PlayClock {
public:
    using Clock = std::chrono::steady_clock;

    // Makes mediaUs the position now.
    void set(int64_t mediaUs);
    // Position now; 0 before the first set().
    int64_t now() const;
    // Wall time at which the media time will be reached (far future when paused).
    Clock::time_point wallFor(int64_t mediaUs) const;
    // speed is num/den (1/16 .. 16/1); the position does not jump.
    void setSpeed(int num, int den);
    void setPaused(bool paused);
    bool paused() const;

private:
    int64_t nowLocked(Clock::time_point t) const;

    mutable std::mutex mutex_;
    int64_t anchorMedia_ = 0;          // guarded by mutex_
    Clock::time_point anchorWall_{};   // guarded by mutex_
    int num_ = 1;                      // guarded by mutex_
    int den_ = 1;                      // guarded by mutex_
    bool paused_ = false;              // guarded by mutex_
};

} // namespace kvplay
