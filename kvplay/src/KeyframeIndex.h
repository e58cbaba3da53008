// Keyframe positions of a file, filled by a background pass while it plays
// and readable at any moment. Raw elementary streams carry no timestamps, so
// frame numbers are their time scale; a file whose timestamps may reset is
// found by its continuous times instead, each keyframe with the state that
// carries the timeline on from it.
#pragma once

#include "TimestampMender.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace kvplay {

struct KeyframeEntry {
    int64_t frame = 0; // number of the keyframe, counted from 0
    int64_t pos = 0;   // byte offset of its first byte
    int64_t us = 0;    // timed files: relative time on the continuous timeline
    TrackState tracks; // timed files: the timeline once it was read
};

class KeyframeIndex {
public:
    void add(KeyframeEntry entry);
    // The last known keyframe at or before frame; {0, 0} when none is known.
    KeyframeEntry atOrBefore(int64_t frame) const;
    // The last known keyframe at or before a continuous relative time; the
    // start of the file when none is known.
    KeyframeEntry atOrBeforeTime(int64_t us) const;
    // How far the pass has read, in continuous relative time.
    void reach(int64_t us);
    int64_t reachedUs() const { return reachedUs_.load(); }
    // No more entries will come (the pass ended or gave up).
    void finish(int64_t frames);
    bool complete() const { return complete_.load(); }
    // Waits until finish() or the time runs out; true when complete.
    bool waitComplete(std::chrono::milliseconds wait) const;
    // Waits until the pass has passed frame or is complete, or the time runs
    // out; true when it has.
    bool waitBeyond(int64_t frame, std::chrono::milliseconds wait) const;
    // The same for a continuous relative time.
    bool waitBeyondTime(int64_t us, std::chrono::milliseconds wait) const;
    int64_t frames() const { return frames_.load(); }
    size_t size() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<KeyframeEntry> entries_; // guarded by mutex_; ascending frames and times
    std::atomic<int64_t> reachedUs_{0};
    std::atomic<int64_t> frames_{0};
    std::atomic<bool> complete_{false};
};

} // namespace kvplay
