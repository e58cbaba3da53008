#include "Control.h"

namespace kvplay {

void Control::abort()
{
    std::lock_guard lock(mutex_);
    abort_.store(true);
    cv_.notify_all();
}

int Control::requestSeek(int64_t targetUs, bool exact)
{
    std::lock_guard lock(mutex_);
    const int serial = serial_.load() + 1;
    seek_ = {targetUs, exact, serial};
    lastSeek_ = seek_;
    seekPending_ = true;
    serial_.store(serial);
    cv_.notify_all();
    return serial;
}

bool Control::takeSeek(SeekRequest& out)
{
    std::lock_guard lock(mutex_);
    if (!seekPending_)
        return false;
    out = seek_;
    seekPending_ = false;
    return true;
}

int64_t Control::exactTarget(int serial) const
{
    std::lock_guard lock(mutex_);
    if (lastSeek_.serial != serial || !lastSeek_.exact)
        return -1;
    return lastSeek_.targetUs;
}

void Control::waitForSeek()
{
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return abort_.load() || seekPending_; });
}

void Control::wake()
{
    std::lock_guard lock(mutex_);
    cv_.notify_all();
}

void Control::setPaused(bool on)
{
    std::lock_guard lock(mutex_);
    paused_.store(on);
    cv_.notify_all();
}

bool Control::takeStep()
{
    int n = step_.load();
    while (n > 0) {
        if (step_.compare_exchange_weak(n, n - 1))
            return true;
    }
    return false;
}

void Control::setEnded(int serial, int64_t lastUs)
{
    std::lock_guard lock(mutex_);
    endedSerial_ = serial;
    endedLastUs_ = lastUs;
}

bool Control::ended(int serial, int64_t& lastUs) const
{
    std::lock_guard lock(mutex_);
    lastUs = endedLastUs_;
    return endedSerial_ == serial;
}

} // namespace kvplay
