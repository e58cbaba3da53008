// Fixed ring of decoded pictures between the video decoder and the renderer.
// The renderer keeps the picture on screen itself, so the ring only holds
// pictures still to come.
#pragma once

#include "AvPtr.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace kvplay {

struct DecodedFrame {
    FramePtr frame;       // null marks the end of the input for this serial
    int64_t ptsUs = 0;    // stream time relative to the file's start
    int64_t durationUs = 0;
    int serial = 0;
    bool fullQuality = true; // false when decoded without the loop filter
};

class FrameRing {
public:
    using Clock = std::chrono::steady_clock;

    explicit FrameRing(size_t capacity);

    // Blocks while full. False when aborted.
    bool push(DecodedFrame frame);
    // Waits until more than `seen` frames are queued, wake() is called or the
    // deadline passes. Returns the number of frames queued.
    size_t waitChange(size_t seen, Clock::time_point deadline);
    // Front (index 0) or the one after (index 1); null when absent.
    const DecodedFrame* peek(size_t index) const;
    DecodedFrame pop();
    // Renderer only, like pop(): it invalidates what peek() returned.
    void clear();
    size_t size() const;
    void wake();
    void abort();
    void reset();

private:
    std::vector<DecodedFrame> slots_; // guarded by mutex_
    size_t head_ = 0;                 // guarded by mutex_
    size_t count_ = 0;                // guarded by mutex_
    bool aborted_ = false;            // guarded by mutex_
    bool woken_ = false;              // guarded by mutex_
    mutable std::mutex mutex_;
    std::condition_variable cv_;
};

} // namespace kvplay
