#include "SkipPolicy.h"

namespace kvplay {

namespace {
constexpr int64_t kDefaultFrameUs = 40'000;
} // namespace

SkipPolicy::SkipPolicy(int64_t frameUs) : frameUs_(frameUs > 0 ? frameUs : kDefaultFrameUs) {}

void SkipPolicy::observe(int64_t lateUs, int64_t behindFrames)
{
    if (!skipping_) {
        skipping_ = lateUs > behindFrames * frameUs_;
        inTime_ = 0;
        return;
    }
    // Within its own frame: shown before the next picture fell due.
    inTime_ = lateUs < frameUs_ ? inTime_ + 1 : 0;
    if (inTime_ >= kInTimeRun) {
        skipping_ = false;
        inTime_ = 0;
    }
}

void SkipPolicy::reset()
{
    skipping_ = false;
    inTime_ = 0;
}

AVDiscard frameDiscard(bool keyframesOnly, bool skipUnreferenced)
{
    if (keyframesOnly)
        return AVDISCARD_NONKEY;
    return skipUnreferenced ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
}

} // namespace kvplay
