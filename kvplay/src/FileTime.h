// Recording time of a file on the absolute scale (us since 1970 UTC).
#pragma once

#include <cstdint>
#include <string>

struct AVDictionary;

namespace kvplay {

// Parses a creation_time style tag ("2024-05-06T07:08:09.000000Z"); 0 when absent or invalid.
int64_t parseTagTime(const AVDictionary* metadata);

// The file's start: metadataTime when nonzero, else wallclockStart when
// nonzero, else the modification time of path minus durationUs. Never 0.
int64_t recordingStart(int64_t metadataTime, int64_t wallclockStart, const std::string& path,
                       int64_t durationUs);

} // namespace kvplay
