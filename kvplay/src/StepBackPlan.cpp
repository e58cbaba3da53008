#include "StepBackPlan.h"

#include <algorithm>

namespace kvplay {

namespace {

// The stretch that ends at frame `end`: decoded from the keyframe before its
// known predecessor, or from the keyframe before it when nothing is known.
Span spanEndingAt(const FrameTimeline& timeline, int64_t end)
{
    const std::optional<int64_t> prev = timeline.before(end);
    return Span{prev ? *prev : end - 1, end};
}

} // namespace

BackPlan planBack(const FrameTimeline& timeline, const GopCache& cache, int64_t fromUs)
{
    BackPlan plan;
    if (timeline.isFirst(fromUs)) {
        plan.kind = BackPlan::Kind::AtStart;
        return plan;
    }
    const std::optional<int64_t> prev = timeline.before(fromUs);
    if (prev && cache.has(*prev)) {
        plan.kind = BackPlan::Kind::Show;
        plan.ptsUs = *prev;
        return plan;
    }
    plan.span = spanEndingAt(timeline, fromUs);
    return plan;
}

std::optional<int64_t> planForward(const FrameTimeline& timeline, const GopCache& cache, int64_t fromUs)
{
    const std::optional<int64_t> next = timeline.after(fromUs);
    if (next && cache.has(*next))
        return next;
    return std::nullopt;
}

std::optional<Span> planAhead(const FrameTimeline& timeline, const GopCache& cache, int64_t focusUs,
                              size_t wanted)
{
    int64_t at = focusUs;
    for (size_t count = 0; count < wanted; ++count) {
        if (timeline.isFirst(at))
            return std::nullopt;
        const std::optional<int64_t> prev = timeline.before(at);
        if (!prev || !cache.has(*prev))
            return spanEndingAt(timeline, at);
        at = *prev;
    }
    return std::nullopt;
}

size_t framesWanted(const GopCache& cache, size_t most)
{
    const size_t each = std::max<size_t>(cache.pictureBytes(), 1);
    return std::clamp<size_t>(cache.budget() / each / 2, 1, most);
}

} // namespace kvplay
