// Media clock: maps stream time (us) to the steady wall clock at a speed, and
// stands still while paused. An instance that plays in sync with another
// follows that instance's clock: it then reads the master's time and its own
// settings are ignored until it stops following. A clock that follows by
// recording time reads the master's time moved by the difference of the two
// origins (the recording time of each clock's media time 0), so windows on
// files that start at different times show the same moment.
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
    void follow(std::shared_ptr<const PlayClock> master, bool byRecordingTime = false);
    bool following() const;

    // Recording time (us since 1970) of media time 0; kept while following.
    void setOrigin(int64_t recordingUs);
    int64_t origin() const;

private:
    struct State {
        int64_t anchorMedia = 0;
        Clock::time_point anchorWall{};
        int num = 1;
        int den = 1;
        bool paused = true;
    };
    struct Leader {
        std::shared_ptr<const PlayClock> clock;
        int64_t shift = 0; // added to the leader's media time
    };
    Leader leader() const;
    State snapshot() const;
    static int64_t mediaAt(const State& s, Clock::time_point t);

    mutable std::mutex mutex_;
    State state_;                                // guarded by mutex_
    std::shared_ptr<const PlayClock> master_;    // guarded by mutex_
    bool byRecordingTime_ = false;               // guarded by mutex_
    int64_t origin_ = 0;                         // guarded by mutex_
};

} // namespace kvplay
