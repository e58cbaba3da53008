// The pictures kept for stepping back, already at the size they are shown,
// under a byte budget. Room goes to the pictures nearest the frame on screen
// on the side the user is heading: those after it (already stepped past) go
// first, farthest first, then those before it, farthest first. A picture
// that would be the first to go is not taken at all.
#pragma once

#include "AvPtr.h"

#include <cstddef>
#include <cstdint>
#include <map>

namespace kvplay {

class GopCache {
public:
    explicit GopCache(size_t budgetBytes) : budget_(budgetBytes) {}

    // Takes the picture when it wins its room; false when it was refused.
    bool put(int64_t ptsUs, FramePtr picture);
    bool has(int64_t ptsUs) const { return pictures_.count(ptsUs) != 0; }
    // A new reference to the picture; null when it is not kept.
    FramePtr get(int64_t ptsUs) const;
    // The frame on screen, which decides what is near.
    void setFocus(int64_t ptsUs) { focus_ = ptsUs; }
    void clear();

    size_t bytes() const { return bytes_; }
    size_t peakBytes() const { return peak_; }
    size_t budget() const { return budget_; }
    size_t count() const { return pictures_.size(); }
    // Bytes of the last picture taken; 0 before the first.
    size_t pictureBytes() const { return lastSize_; }

    static size_t sizeOf(const AVFrame& picture);

private:
    struct Entry {
        FramePtr picture;
        size_t bytes = 0;
    };
    // Larger is farther: any picture after the focus is farther than any before it.
    uint64_t distance(int64_t ptsUs) const;
    // The entry that would go first; end() when empty.
    std::map<int64_t, Entry>::iterator farthest();

    const size_t budget_;
    std::map<int64_t, Entry> pictures_;
    int64_t focus_ = 0;
    size_t bytes_ = 0;
    size_t peak_ = 0;
    size_t lastSize_ = 0;
};

} // namespace kvplay
