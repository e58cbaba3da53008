// Commands shared by the threads of one playing instance: abort, the seek
// serial, pause, step, speed and pending seeks. The API thread writes them,
// the reader, decoder and renderer read them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace kvplay {

struct SeekRequest {
    int64_t targetUs = 0; // relative to the file's start
    bool exact = true;
    int serial = 0;
};

class Control {
public:
    bool aborted() const { return abort_.load(); }
    const std::atomic<bool>& abortFlag() const { return abort_; }
    void abort();

    int serial() const { return serial_.load(); }
    // Starts a new serial: everything older is stale from now on.
    int requestSeek(int64_t targetUs, bool exact);
    // Reader: takes the pending seek, if any.
    bool takeSeek(SeekRequest& out);
    // Decoder: the exact target of a serial, or -1 when frames need no discarding.
    int64_t exactTarget(int serial) const;
    // Reader: sleeps until a seek is requested or the instance aborts.
    void waitForSeek();
    // Sleeps until the deadline, or sooner when wakeEarly() holds after a
    // seek, a change of pause, wake() or the abort; true when it ended early.
    // wakeEarly must not take this object's lock: it runs under it.
    template <class Pred>
    bool sleepUntil(std::chrono::steady_clock::time_point deadline, Pred wakeEarly)
    {
        std::unique_lock lock(mutex_);
        return cv_.wait_until(lock, deadline, [&] { return abort_.load() || wakeEarly(); });
    }
    // Wakes the sleepers, for a condition they keep themselves.
    void wake();

    bool paused() const { return paused_.load(); }
    void setPaused(bool on);
    void requestStep() { step_.fetch_add(1); }
    bool takeStep();
    void cancelSteps() { step_.store(0); }

    bool keyframesOnly() const { return keyOnly_.load(); }
    void setKeyframesOnly(bool on) { keyOnly_.store(on); }

    // Renderer: the pictures of serial come too late, so the decoder may
    // leave out those that no other picture refers to; -1 when they do not.
    void setSkipping(int serial) { skipSerial_.store(serial); }
    bool skipping(int serial) const { return skipSerial_.load() == serial; }
    // Renderer: serial has fallen so far behind its own clock, or behind the
    // sync clock it follows, that the decoder drops the packets up to the
    // next keyframe. Decoder: takes the word back when it has reached it.
    void requestKeyframe(int serial) { keySerial_.store(serial); }
    bool droppingToKeyframe(int serial) const { return keySerial_.load() == serial; }
    void keyframeReached() { keySerial_.store(-1); }
    // The window with sound: the last to lose pictures when decoding falls behind.
    bool priority() const { return priority_.load(); }
    void setPriority(bool on) { priority_.store(on); }

    // Reader at the end of the input of a serial; used when there is no video.
    void setEnded(int serial, int64_t lastUs);
    bool ended(int serial, int64_t& lastUs) const;

private:
    std::atomic<bool> abort_{false};
    std::atomic<int> serial_{0};
    std::atomic<bool> paused_{false};
    std::atomic<int> step_{0};
    std::atomic<bool> keyOnly_{false};
    std::atomic<int> skipSerial_{-1};
    std::atomic<int> keySerial_{-1};
    std::atomic<bool> priority_{false};

    mutable std::mutex mutex_;
    std::condition_variable cv_;
    SeekRequest seek_;           // guarded by mutex_
    bool seekPending_ = false;   // guarded by mutex_
    SeekRequest lastSeek_;       // guarded by mutex_
    int endedSerial_ = -1;       // guarded by mutex_
    int64_t endedLastUs_ = 0;    // guarded by mutex_
};

} // namespace kvplay
