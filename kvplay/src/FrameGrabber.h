// Decodes one picture of a file at full quality, on the caller's thread:
// the picture at or just before a time. Snapshots use it when the picture on
// screen was decoded with shortcuts meant for small tiles.
#pragma once

#include "AvPtr.h"
#include "KeyframeIndex.h"

#include <memory>
#include <string>

namespace kvplay {

// Null when the file cannot be opened or has no picture there.
FramePtr grabFrame(const std::string& path, std::shared_ptr<KeyframeIndex> index, int64_t ptsUs);

} // namespace kvplay
