// Writes a clip of a file without re-encoding: from the keyframe at or
// before the start to the end time, into the container the request names,
// plus a PNG of the clip's first picture.
#pragma once

#include "KeyframeIndex.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kvplay {

struct ClipSpec {
    std::string source;      // file to cut from
    std::string clipPath;
    std::string picturePath; // empty: no picture
    int kind = 0;            // KV_CLIP_*
    int64_t startUs = 0;     // relative stream times
    int64_t endUs = 0;
    std::shared_ptr<KeyframeIndex> index; // raw sources: positions by frame number
};

struct ClipResult {
    int rc = 0;            // KV_OK only when the file is complete
    int64_t startUs = 0;   // relative time of the first picture written
    int64_t endUs = 0;     // relative end of the last picture written
    uint32_t packets = 0;  // video packets written
};

ClipResult writeClip(const ClipSpec& spec);

// Creates the file a clip is written into while it records, so that a clip
// that cannot be written fails when it starts, not when it stops: KV_OK, or
// KV_ERR_IO with nothing left behind.
int prepareClipOutput(const std::string& clipPath);
// Removes that file of a clip that will not be written.
void discardClipOutput(const std::string& clipPath);

// Muxer name for a kind, given the source's demuxer name and video codec;
// empty when the kind cannot hold that codec.
std::string clipMuxer(int kind, const std::string& demuxerName, int codecId);

} // namespace kvplay
