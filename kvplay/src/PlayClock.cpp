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

std::shared_ptr<const PlayClock> PlayClock::master() const
{
    std::lock_guard lock(mutex_);
    return master_;
}

PlayClock::State PlayClock::snapshot() const
{
    if (auto m = master())
        return m->snapshot();
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

void PlayClock::follow(std::shared_ptr<const PlayClock> master)
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
}

bool PlayClock::following() const { return master() != nullptr; }

} // namespace kvplay
