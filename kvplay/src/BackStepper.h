// Exact steps back for one instance. The pictures of the frames before the
// one on screen are kept at the size they are shown (GopCache); a step back
// whose picture is at hand costs a lookup, one that is not decodes the
// stretch it lies in. While the user steps back, a worker thread decodes
// further back, so that holding the key keeps finding its pictures ready.
//
// Threads: the calls come from the instance's API thread (with the instance
// lock held) and may wait for the worker; the worker takes only this
// object's lock, and never while it decodes.
#pragma once

#include "FrameTimeline.h"
#include "GopCache.h"
#include "KeyframeIndex.h"
#include "Scaler.h"
#include "SpanDecoder.h"
#include "StepBackPlan.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kvplay {

class BackStepper {
public:
    static constexpr size_t kDefaultBudget = 64u << 20;
    // Never more frames ahead than this, whatever the budget holds.
    static constexpr size_t kMostAhead = 96;

    struct Target {
        int32_t width = 0;
        int32_t height = 0;
        ViewSettings view;
        bool operator==(const Target&) const = default;
    };
    struct Picture {
        FramePtr frame; // at the target's shown size (ShownPicture.h)
        int64_t ptsUs = -1;
    };
    enum class Result { Shown, AtStart, Failed };

    BackStepper(std::string path, std::shared_ptr<KeyframeIndex> index, size_t budgetBytes = kDefaultBudget);
    ~BackStepper();
    BackStepper(const BackStepper&) = delete;
    BackStepper& operator=(const BackStepper&) = delete;

    // The frame right before the one at fromUs, waiting for it to be decoded
    // when it is not at hand. AtStart when fromUs is the file's first frame.
    Result previous(int64_t fromUs, const Target& target, Picture& out);
    // The frame right after fromUs, only when its picture is at hand.
    bool next(int64_t fromUs, const Target& target, Picture& out);
    // The frame at ptsUs again, for another target.
    bool at(int64_t ptsUs, const Target& target, Picture& out);
    Target target() const;

    size_t cachedBytes() const;
    size_t peakBytes() const;
    size_t budget() const { return cache_.budget(); }
    // Blocks until the worker has nothing left to decode ahead.
    void waitIdle();

private:
    struct Job {
        Span span;
        Target target;
        bool urgent = false;
        uint64_t serial = 0;
    };

    void run();
    void runJob(const Job& job, std::unique_lock<std::mutex>& lock);
    // Decodes span now (or waits for the worker already decoding it). With
    // the lock held; false when the stretch could not be decoded.
    bool decodeNow(const Span& span, std::unique_lock<std::mutex>& lock);
    void useTarget(const Target& target);
    void setFocus(int64_t ptsUs);
    bool take(int64_t ptsUs, Picture& out) const;
    // The stretch to decode ahead of the user now, if any. With the lock held.
    std::optional<Job> aheadJob() const;

    const std::string path_;
    const std::shared_ptr<KeyframeIndex> index_;
    std::atomic<bool> cancel_{false};
    std::unique_ptr<SpanDecoder> decoder_; // worker thread only
    SwsPtr sws_;                            // worker thread only

    mutable std::mutex mutex_;
    std::condition_variable cv_;
    FrameTimeline timeline_;     // guarded by mutex_
    GopCache cache_;             // guarded by mutex_
    Target target_;              // guarded by mutex_
    int64_t focus_ = -1;         // guarded by mutex_
    std::optional<Job> urgent_;  // guarded by mutex_
    std::optional<Job> running_; // guarded by mutex_
    std::optional<Span> stalled_; // guarded by mutex_; the look-ahead that gained nothing
    Picture handover_;           // guarded by mutex_; the frame before an urgent stretch's end
    uint64_t serial_ = 0;        // guarded by mutex_
    uint64_t done_ = 0;          // guarded by mutex_; serial of the last urgent job finished
    bool doneOk_ = false;        // guarded by mutex_
    bool stop_ = false;          // guarded by mutex_
    std::thread worker_;
};

} // namespace kvplay
