// What stepping back has learnt about a file's frames: which frame comes
// right before and right after which, from the stretches decoded so far, and
// which frame is the file's first. It outlives the pictures themselves, so a
// picture dropped for room is found again by decoding its own stretch only.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace kvplay {

class FrameTimeline {
public:
    // Frame times (relative us) of one decoded stretch, ascending and with no
    // frame missing between two neighbours.
    void addRun(const std::vector<int64_t>& frames);
    void markFirst(int64_t ptsUs) { first_ = ptsUs; }
    bool isFirst(int64_t ptsUs) const { return first_ && *first_ == ptsUs; }
    std::optional<int64_t> before(int64_t ptsUs) const;
    std::optional<int64_t> after(int64_t ptsUs) const;
    size_t size() const { return next_.size(); }

private:
    std::map<int64_t, int64_t> next_; // frame -> the frame right after it
    std::map<int64_t, int64_t> prev_; // frame -> the frame right before it
    std::optional<int64_t> first_;
};

} // namespace kvplay
