// Media clock: maps stream time (us) to the steady wall clock at a speed, and
// stands still while paused. An instance that plays in sync with another
// follows that instance's clock: it then reads the master's time and its own
// settings are ignored until it stops following.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

namespace kvplay {

class PlayClock {
public:
    using Clock = std::chrono::steady_clock;

    // A new clock stands still at 0.
    PlayClock();

    // Makes mediaUs the position now.
    void set(int64_t mediaUs);
    int64_t now() const;
    // Wall time at which the media time will be reached (far future when paused).
    Clock::time_point wallFor(int64_t mediaUs) const;
    // speed is num/den (1/16 .. 16/1); the position does not jump.
    void setSpeed(int num, int den);
    void setPaused(bool paused);
    bool paused() const;

    // Reads master's time from now on. Null stops following and carries on
    // from the master's position, speed and pause, so the picture does not jump.
    void follow(std::shared_ptr<const PlayClock> master);
    bool following() const;

private:
    struct State {
        int64_t anchorMedia = 0;
        Clock::time_point anchorWall{};
        int num = 1;
        int den = 1;
        bool paused = true;
    };
    std::shared_ptr<const PlayClock> master() const;
    State snapshot() const;
    static int64_t mediaAt(const State& s, Clock::time_point t);

    mutable std::mutex mutex_;
    State state_;                                // guarded by mutex_
    std::shared_ptr<const PlayClock> master_;    // guarded by mutex_
};

} // namespace kvplay
