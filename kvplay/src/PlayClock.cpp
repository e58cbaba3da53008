#include "PlayClock.h"

namespace kvplay {

namespace {
int64_t usBetween(PlayClock::Clock::time_point a, PlayClock::Clock::time_point b)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(b - a).count();
}
} // namespace

PlayClock::PlayClock() { state_.anchorWall = Clock::now(); }

int64_t PlayClock::mediaAt(const State& s, Clock::time_point t)
{
    if (s.paused)
        return s.anchorMedia;
    return s.anchorMedia + usBetween(s.anchorWall, t) * s.num / s.den;
}

PlayClock::Leader PlayClock::leader() const
{
    std::shared_ptr<const PlayClock> m;
    int64_t own = 0;
    bool byTime = false;
    {
        std::lock_guard lock(mutex_);
        m = master_;
        own = origin_;
        byTime = byRecordingTime_;
    }
    // The master's lock is taken only after ours is released: a master never
    // follows, so it never waits on a follower's lock.
    if (!m || !byTime)
        return {std::move(m), 0};
    const int64_t shift = m->origin() - own;
    return {std::move(m), shift};
}

PlayClock::State PlayClock::snapshot() const
{
    if (Leader l = leader(); l.clock) {
        State s = l.clock->snapshot();
        s.anchorMedia += l.shift;
        return s;
    }
    std::lock_guard lock(mutex_);
    return state_;
}

void PlayClock::set(int64_t mediaUs)
{
    std::lock_guard lock(mutex_);
    if (master_)
        return;
    state_.anchorMedia = mediaUs;
    state_.anchorWall = Clock::now();
}

int64_t PlayClock::now() const { return mediaAt(snapshot(), Clock::now()); }

PlayClock::Clock::time_point PlayClock::wallFor(int64_t mediaUs) const
{
    const State s = snapshot();
    if (s.paused)
        return Clock::time_point::max();
    const int64_t wallUs = (mediaUs - s.anchorMedia) * s.den / s.num;
    return s.anchorWall + std::chrono::microseconds(wallUs);
}

void PlayClock::setSpeed(int num, int den)
{
    std::lock_guard lock(mutex_);
    if (master_)
        return;
    const auto t = Clock::now();
    state_.anchorMedia = mediaAt(state_, t);
    state_.anchorWall = t;
    state_.num = num > 0 ? num : 1;
    state_.den = den > 0 ? den : 1;
}

void PlayClock::setPaused(bool paused)
{
    std::lock_guard lock(mutex_);
    if (master_)
        return;
    const auto t = Clock::now();
    state_.anchorMedia = mediaAt(state_, t);
    state_.anchorWall = t;
    state_.paused = paused;
}

bool PlayClock::paused() const { return snapshot().paused; }

void PlayClock::follow(std::shared_ptr<const PlayClock> master, bool byRecordingTime)
{
    // snapshot() takes our lock itself, so it is read first.
    const State carried = master ? State{} : snapshot();
    std::lock_guard lock(mutex_);
    if (!master && master_) {
        const auto t = Clock::now();
        state_ = carried;
        state_.anchorMedia = mediaAt(carried, t);
        state_.anchorWall = t;
    }
    master_ = std::move(master);
    byRecordingTime_ = master_ && byRecordingTime;
}

bool PlayClock::following() const
{
    std::lock_guard lock(mutex_);
    return master_ != nullptr;
}

void PlayClock::setOrigin(int64_t recordingUs)
{
    std::lock_guard lock(mutex_);
    origin_ = recordingUs;
}

int64_t PlayClock::origin() const
{
    std::lock_guard lock(mutex_);
    return origin_;
}

} // namespace kvplay
