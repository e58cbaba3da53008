#include "FrameRing.h"

namespace kvplay {

FrameRing::FrameRing(size_t capacity) : slots_(capacity < 1 ? 1 : capacity) {}

bool FrameRing::push(DecodedFrame frame)
{
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return aborted_ || count_ < slots_.size(); });
    if (aborted_)
        return false;
    slots_[(head_ + count_) % slots_.size()] = std::move(frame);
    ++count_;
    cv_.notify_all();
    return true;
}

size_t FrameRing::waitChange(size_t seen, Clock::time_point deadline)
{
    std::unique_lock lock(mutex_);
    cv_.wait_until(lock, deadline, [this, seen] { return aborted_ || woken_ || count_ > seen; });
    woken_ = false;
    return count_;
}

const DecodedFrame* FrameRing::peek(size_t index) const
{
    std::lock_guard lock(mutex_);
    if (index >= count_)
        return nullptr;
    // The slot stays valid until the renderer itself pops it: only the
    // renderer pops, and the decoder writes only free slots.
    return &slots_[(head_ + index) % slots_.size()];
}

DecodedFrame FrameRing::pop()
{
    std::lock_guard lock(mutex_);
    if (count_ == 0)
        return {};
    DecodedFrame out = std::move(slots_[head_]);
    head_ = (head_ + 1) % slots_.size();
    --count_;
    cv_.notify_all();
    return out;
}

void FrameRing::clear()
{
    std::lock_guard lock(mutex_);
    for (auto& s : slots_)
        s = {};
    head_ = 0;
    count_ = 0;
    cv_.notify_all();
}

size_t FrameRing::size() const
{
    std::lock_guard lock(mutex_);
    return count_;
}

void FrameRing::wake()
{
    std::lock_guard lock(mutex_);
    woken_ = true;
    cv_.notify_all();
}

void FrameRing::abort()
{
    std::lock_guard lock(mutex_);
    aborted_ = true;
    cv_.notify_all();
}

void FrameRing::reset()
{
    std::lock_guard lock(mutex_);
    for (auto& s : slots_)
        s = {};
    head_ = 0;
    count_ = 0;
    aborted_ = false;
    woken_ = false;
}

} // namespace kvplay
