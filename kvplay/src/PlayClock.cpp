#include "PlayClock.h"

namespace kvplay {

namespace {
int64_t usBetween(PlayClock::Clock::time_point a, PlayClock::Clock::time_point b)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(b - a).count();
}
} // namespace

int64_t PlayClock::nowLocked(Clock::time_point t) const
{
    if (paused_)
        return anchorMedia_;
    return anchorMedia_ + usBetween(anchorWall_, t) * num_ / den_;
}

void PlayClock::set(int64_t mediaUs)
{
    std::lock_guard lock(mutex_);
    anchorMedia_ = mediaUs;
    anchorWall_ = Clock::now();
}

int64_t PlayClock::now() const
{
    std::lock_guard lock(mutex_);
    return nowLocked(Clock::now());
}

PlayClock::Clock::time_point PlayClock::wallFor(int64_t mediaUs) const
{
    std::lock_guard lock(mutex_);
    if (paused_)
        return Clock::time_point::max();
    const int64_t wallUs = (mediaUs - anchorMedia_) * den_ / num_;
    return anchorWall_ + std::chrono::microseconds(wallUs);
}

void PlayClock::setSpeed(int num, int den)
{
    std::lock_guard lock(mutex_);
    const auto t = Clock::now();
    anchorMedia_ = nowLocked(t);
    anchorWall_ = t;
    num_ = num > 0 ? num : 1;
    den_ = den > 0 ? den : 1;
}

void PlayClock::setPaused(bool paused)
{
    std::lock_guard lock(mutex_);
    const auto t = Clock::now();
    anchorMedia_ = nowLocked(t);
    anchorWall_ = t;
    paused_ = paused;
}

bool PlayClock::paused() const
{
    std::lock_guard lock(mutex_);
    return paused_;
}

} // namespace kvplay
