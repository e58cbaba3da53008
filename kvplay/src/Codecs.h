// Opens a decoder for a stream the same way everywhere: playback, clips'
// pictures and the fuzz entry point.
#pragma once

#include "AvPtr.h"

namespace kvplay {

// A decoder context set up for the stream but not opened yet, for callers
// that add to it first; null when the codec is unknown.
CodecPtr allocDecoder(const AVStream& st, int threads, int64_t maxPixels);

// Null when the codec is unknown or refuses the stream. maxPixels bounds the
// picture size the decoder may allocate.
CodecPtr openDecoder(const AVStream& st, int threads, int64_t maxPixels);

// A decoded picture's time relative to the file's start (us), as playback
// counts it; fallbackUs when the picture carries no time.
int64_t frameTimeUs(const AVFrame& frame, AVRational timeBase, int64_t streamStartUs, int64_t fallbackUs);

} // namespace kvplay
