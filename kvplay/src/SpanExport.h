// Lossless copy of a span of recording time out of a file, for evidence:
// stream copy only, from the keyframe at or before the start to the first
// picture after the end, with progress and cancel.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kvplay {

struct SpanSpec {
    std::string source;
    std::string output;
    std::string picture; // empty: no picture
    int64_t startUs = 0; // absolute recording times
    int64_t endUs = 0;
    // Bytes copied so far; false stops the copy.
    std::function<bool(uint64_t)> progress;
};

struct SpanOutcome {
    int rc = 0;
    int64_t firstUs = 0; // absolute times of the first and last picture written
    int64_t lastUs = 0;
    uint64_t bytes = 0;
    uint32_t videoPackets = 0;
    uint32_t audioPackets = 0;
    std::string container;
    std::string videoCodec;
    std::string audioCodec;
};

SpanOutcome exportSpan(const SpanSpec& spec);

// The muxer an export of source uses; empty with rc set when the source
// cannot be exported.
std::string spanMuxer(const std::string& source, int& rc);
// The usual file name extension of a muxer, without the dot.
std::string muxerExtension(const std::string& muxer);

} // namespace kvplay
