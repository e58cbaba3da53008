// Writes a decoded picture as a PNG file at its own resolution.
#pragma once

#include "AvPtr.h"

#include <string>

namespace kvplay {

// KV_OK only when the whole file is on disk under its final name; a failed
// write leaves no file behind.
int writePng(const AVFrame& frame, const std::string& path);

// Writes bytes to path through a temporary name and a rename.
int writeFileAtomically(const std::string& path, const uint8_t* data, size_t size);

} // namespace kvplay
