#include "FrameTimeline.h"

namespace kvplay {

void FrameTimeline::addRun(const std::vector<int64_t>& frames)
{
    for (size_t i = 1; i < frames.size(); ++i) {
        const int64_t a = frames[i - 1];
        const int64_t b = frames[i];
        if (b <= a)
            continue;
        // A later decode of the same stretch wins over an older, different
        // answer; the stale links on both sides go with it.
        if (const auto old = next_.find(a); old != next_.end() && old->second != b)
            prev_.erase(old->second);
        if (const auto old = prev_.find(b); old != prev_.end() && old->second != a)
            next_.erase(old->second);
        next_[a] = b;
        prev_[b] = a;
    }
}

std::optional<int64_t> FrameTimeline::before(int64_t ptsUs) const
{
    const auto it = prev_.find(ptsUs);
    if (it == prev_.end())
        return std::nullopt;
    return it->second;
}

std::optional<int64_t> FrameTimeline::after(int64_t ptsUs) const
{
    const auto it = next_.find(ptsUs);
    if (it == next_.end())
        return std::nullopt;
    return it->second;
}

} // namespace kvplay
