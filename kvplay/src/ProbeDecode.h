// The open-and-play path on any input, bounded in packets, frames and time:
// open by content, read, seek, decode and scale with the same classes that
// playback uses. The fuzz target drives it from memory.
#pragma once

#include "AvPtr.h"

#include <cstdint>

namespace kvplay {

struct ProbeLimits {
    int64_t maxPixels = 4096LL * 4096;
    int maxPackets = 500;
    int maxFrames = 50;
    int64_t budgetUs = 2'000'000; // wall-clock budget for the whole call
};

struct ProbeResult {
    int err = 0; // KV_ERR_* of the open
    int videoFrames = 0;
    int audioFrames = 0;
};

// Does not take pb: the caller frees it.
ProbeResult openAndDecode(AVIOContext* pb, const ProbeLimits& limits);

} // namespace kvplay
