#include "CatchUp.h"

namespace kvplay {

namespace {
constexpr int64_t kDefaultFrameUs = 40'000;
} // namespace

CatchUpStep CatchUp::decide(const Lateness& l)
{
    const int64_t frameUs = l.frameUs > 0 ? l.frameUs : kDefaultFrameUs;
    const int64_t late = l.clockUs - l.ptsUs;
    const int64_t grace = l.priority ? kGraceUs : kGraceUs / 2;
    if (late > frameUs && l.lateForUs > grace)
        return CatchUpStep::DropToKeyframe;
    const int64_t behind = l.priority ? kPriorityBehindFrames : kBehindFrames;
    if (late > behind * frameUs)
        return CatchUpStep::SkipUnreferenced;
    return CatchUpStep::Show;
}

CatchUp::CatchUp(int64_t frameUs) : frameUs_(frameUs > 0 ? frameUs : kDefaultFrameUs) {}

CatchUpStep CatchUp::observe(int64_t clockUs, int64_t ptsUs, int64_t wallUs, bool priority)
{
    const int64_t late = clockUs - ptsUs;
    if (late <= frameUs_)
        lateSinceUs_ = -1;
    else if (lateSinceUs_ < 0)
        lateSinceUs_ = wallUs;
    const int64_t lateFor = lateSinceUs_ < 0 ? 0 : wallUs - lateSinceUs_;
    const CatchUpStep step = decide({clockUs, ptsUs, frameUs_, lateFor, priority});
    if (step == CatchUpStep::DropToKeyframe)
        lateSinceUs_ = -1;
    return step;
}

} // namespace kvplay
