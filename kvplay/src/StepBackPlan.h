// The decisions of stepping back, as plain functions of what is known: the
// frame timeline and the pictures at hand.
#pragma once

#include "FrameTimeline.h"
#include "GopCache.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kvplay {

// A stretch to decode: from the keyframe at or before seekUs until the first
// frame at or after limitUs, which is decoded too, so that the stretch links
// up with the frame it ends at.
struct Span {
    int64_t seekUs = 0;
    int64_t limitUs = 0;
    bool operator==(const Span&) const = default;
};

struct BackPlan {
    enum class Kind { Show, Decode, AtStart };
    Kind kind = Kind::Decode;
    int64_t ptsUs = -1; // Show: the frame to show
    Span span;          // Decode: the stretch that holds the frame before
};

// What a step back from the frame at fromUs needs.
BackPlan planBack(const FrameTimeline& timeline, const GopCache& cache, int64_t fromUs);
// The frame after fromUs when its picture is at hand.
std::optional<int64_t> planForward(const FrameTimeline& timeline, const GopCache& cache, int64_t fromUs);
// The stretch to decode ahead of the user, who steps towards the start, so
// that at least `wanted` frames before the focus are at hand; none when they
// are, or when the file starts before them.
std::optional<Span> planAhead(const FrameTimeline& timeline, const GopCache& cache, int64_t focusUs,
                              size_t wanted);
// Pictures to keep ready before the focus: half of what the budget holds at
// the current picture size, at most `most`, at least one.
size_t framesWanted(const GopCache& cache, size_t most);

} // namespace kvplay
