#include "GopCache.h"

namespace kvplay {

namespace {
constexpr uint64_t kAfterFocus = uint64_t{1} << 62;
} // namespace

size_t GopCache::sizeOf(const AVFrame& picture)
{
    size_t total = 0;
    for (const AVBufferRef* buf : picture.buf) {
        if (buf)
            total += buf->size;
    }
    return total;
}

uint64_t GopCache::distance(int64_t ptsUs) const
{
    if (ptsUs > focus_)
        return kAfterFocus + static_cast<uint64_t>(ptsUs - focus_);
    return static_cast<uint64_t>(focus_ - ptsUs);
}

std::map<int64_t, GopCache::Entry>::iterator GopCache::farthest()
{
    if (pictures_.empty())
        return pictures_.end();
    auto last = std::prev(pictures_.end());
    if (last->first > focus_)
        return last;
    return pictures_.begin();
}

bool GopCache::put(int64_t ptsUs, FramePtr picture)
{
    if (!picture)
        return false;
    const size_t size = sizeOf(*picture);
    if (size == 0 || size > budget_)
        return false;
    if (const auto old = pictures_.find(ptsUs); old != pictures_.end()) {
        bytes_ -= old->second.bytes;
        pictures_.erase(old);
    }
    while (bytes_ + size > budget_) {
        const auto victim = farthest();
        if (distance(victim->first) <= distance(ptsUs))
            return false;
        bytes_ -= victim->second.bytes;
        pictures_.erase(victim);
    }
    pictures_[ptsUs] = Entry{std::move(picture), size};
    bytes_ += size;
    lastSize_ = size;
    if (bytes_ > peak_)
        peak_ = bytes_;
    return true;
}

FramePtr GopCache::get(int64_t ptsUs) const
{
    const auto it = pictures_.find(ptsUs);
    if (it == pictures_.end())
        return nullptr;
    FramePtr copy = makeFrame();
    if (!copy || av_frame_ref(copy.get(), it->second.picture.get()) < 0)
        return nullptr;
    return copy;
}

void GopCache::clear()
{
    pictures_.clear();
    bytes_ = 0;
}

} // namespace kvplay
