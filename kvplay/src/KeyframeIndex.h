// Keyframe positions of a raw elementary stream, by frame number. Raw
// streams carry no timestamps, so frame numbers are their time scale. Filled
// by a background pass while the file plays; readable at any moment.
#pragma once

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
};

class KeyframeIndex {
public:
    void add(KeyframeEntry entry);
    // The last known keyframe at or before frame; {0, 0} when none is known.
    KeyframeEntry atOrBefore(int64_t frame) const;
    // No more entries will come (the pass ended or gave up).
    void finish(int64_t frames);
    bool complete() const { return complete_.load(); }
    // Waits until finish() or the time runs out; true when complete.
    bool waitComplete(std::chrono::milliseconds wait) const;
    int64_t frames() const { return frames_.load(); }
    size_t size() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable finished_;
    std::vector<KeyframeEntry> entries_; // guarded by mutex_; ascending frames
    std::atomic<int64_t> frames_{0};
    std::atomic<bool> complete_{false};
};

} // namespace kvplay
