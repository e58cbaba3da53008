// When decoding falls behind the clock, the pictures that no other picture
// refers to would only be decoded to be dropped as late. This decides, from
// how late the renderer takes each picture, when the decoder leaves them
// out: from a picture more than two frames late until three pictures in a row
// are taken within their own frame. The gap between the two marks keeps it
// from flipping on every picture near the edge.
#pragma once

#include <cstdint>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace kvplay {

class SkipPolicy {
public:
    static constexpr int64_t kBehindFrames = 2;
    static constexpr int kInTimeRun = 3;

    explicit SkipPolicy(int64_t frameUs);
    // lateUs: clock time minus the picture's time when the renderer took it;
    // behindFrames: how many frames late starts skipping (fewer for the
    // windows without sound, see CatchUp).
    void observe(int64_t lateUs, int64_t behindFrames = kBehindFrames);
    // Starts afresh: after a seek, while paused.
    void reset();
    bool skipping() const { return skipping_; }

private:
    int64_t frameUs_;
    bool skipping_ = false;
    int inTime_ = 0;
};

// The decoder's skip_frame. Keyframes-only playback decodes less still, so it wins.
AVDiscard frameDiscard(bool keyframesOnly, bool skipUnreferenced);

} // namespace kvplay
