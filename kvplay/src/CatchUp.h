// The rule that keeps a window on its clock when decoding cannot keep up.
// A little late, the decoder leaves out the pictures no other picture refers
// to; late by more than a frame for longer than a grace period, it drops the
// rest of the group of pictures and resumes at the next keyframe, so the
// window jumps back onto its clock instead of drifting behind it.
//
// Windows share the loss: those without sound start skipping at one frame
// late and drop their group after half the grace, so the window with sound
// (the one the user watches and hears) is the last to lose pictures while the
// others still move, each within its own group.
#pragma once

#include <cstdint>

namespace kvplay {

enum class CatchUpStep { Show, SkipUnreferenced, DropToKeyframe };

struct Lateness {
    int64_t clockUs = 0;  // the clock when the picture is taken
    int64_t ptsUs = 0;    // the picture's time
    int64_t frameUs = 0;  // the frame interval
    int64_t lateForUs = 0; // how long pictures have been more than a frame late, 0 when not
    bool priority = false; // the window with sound
};

class CatchUp {
public:
    static constexpr int64_t kGraceUs = 500'000;
    static constexpr int64_t kPriorityBehindFrames = 2;
    static constexpr int64_t kBehindFrames = 1;

    // The pure rule, for the picture the renderer takes now.
    static CatchUpStep decide(const Lateness& l);

    explicit CatchUp(int64_t frameUs);
    // Tracks how long pictures have been late (wallUs: any steady time in
    // microseconds) and decides; after a drop the count starts again, so the
    // drop is asked for once per group.
    CatchUpStep observe(int64_t clockUs, int64_t ptsUs, int64_t wallUs, bool priority);
    void reset() { lateSinceUs_ = -1; }
    int64_t frameUs() const { return frameUs_; }

private:
    int64_t frameUs_;
    int64_t lateSinceUs_ = -1;
};

} // namespace kvplay
