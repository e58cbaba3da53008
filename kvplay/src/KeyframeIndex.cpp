#include "KeyframeIndex.h"

#include <algorithm>

namespace kvplay {

void KeyframeIndex::add(KeyframeEntry entry)
{
    {
        std::lock_guard lock(mutex_);
        if (!entries_.empty() && (entries_.back().frame >= entry.frame || entries_.back().us > entry.us))
            return;
        const int64_t frames = entry.frame + 1;
        entries_.push_back(std::move(entry));
        frames_.store(frames);
    }
    changed_.notify_all();
}

KeyframeEntry KeyframeIndex::atOrBefore(int64_t frame) const
{
    std::lock_guard lock(mutex_);
    auto it = std::upper_bound(entries_.begin(), entries_.end(), frame,
                               [](int64_t f, const KeyframeEntry& e) { return f < e.frame; });
    if (it == entries_.begin())
        return {};
    return *std::prev(it);
}

KeyframeEntry KeyframeIndex::atOrBeforeTime(int64_t us) const
{
    std::lock_guard lock(mutex_);
    auto it = std::upper_bound(entries_.begin(), entries_.end(), us,
                               [](int64_t t, const KeyframeEntry& e) { return t < e.us; });
    if (it == entries_.begin())
        return {};
    return *std::prev(it);
}

void KeyframeIndex::reach(int64_t us)
{
    {
        std::lock_guard lock(mutex_);
        reachedUs_.store(us);
    }
    changed_.notify_all();
}

void KeyframeIndex::finish(int64_t frames)
{
    {
        std::lock_guard lock(mutex_);
        frames_.store(frames);
        complete_.store(true);
    }
    changed_.notify_all();
}

bool KeyframeIndex::waitComplete(std::chrono::milliseconds wait) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, wait, [this] { return complete_.load(); });
}

bool KeyframeIndex::waitBeyond(int64_t frame, std::chrono::milliseconds wait) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, wait, [this, frame] { return complete_.load() || frames_.load() > frame; });
}

bool KeyframeIndex::waitBeyondTime(int64_t us, std::chrono::milliseconds wait) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, wait, [this, us] { return complete_.load() || reachedUs_.load() > us; });
}

size_t KeyframeIndex::size() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

} // namespace kvplay
