// Keeps the timestamps of each stream continuous where a recorder restarted
// while it wrote the file: a step back, or a step forward far beyond any
// plausible gap, starts a new offset that carries the stream on one packet
// after its last one. Everything that reads a file's times goes through one
// of these, so that playback, the length, seeks and clips agree.
#pragma once

#include <cstdint>
#include <vector>

extern "C" {
#include <libavcodec/packet.h>
#include <libavformat/avformat.h>
}

namespace kvplay {

// One stream's place on the continuous timeline, in its own time base.
struct StreamTrack {
    int64_t offset = 0;            // added to the stream's own timestamps
    int64_t last = AV_NOPTS_VALUE; // continuous decoding time of its last packet
    int64_t step = 0;              // the usual distance between its packets
    int64_t maxGap = 0;            // the longest pause taken for a pause, not a reset
    int64_t overlap = 0;           // how far back packets may repeat after a seek
    // Just repositioned: the packets right after a seek point may repeat
    // some that came before it.
    bool settling = false;
};
using TrackState = std::vector<StreamTrack>;

// The rule itself: places a packet whose own decoding time is ts (duration 0
// when unknown) on the track's timeline; true when it starts a new offset.
bool followTrack(StreamTrack& track, int64_t ts, int64_t duration);

class TimestampMender {
public:
    // A pause of more than this beyond the packet step is a reset.
    static constexpr int64_t kMaxGapUs = 10'000'000;
    // Packets are interleaved within well under this.
    static constexpr int64_t kOverlapUs = 2'000'000;

    // One track per stream of fmt; stepUs stands for the step of packets
    // that carry no duration.
    TimestampMender(const AVFormatContext& fmt, int64_t stepUs);

    // Shifts the packet's pts and dts onto its stream's continuous timeline.
    void mend(AVPacket& pkt);
    // Back to the file's own timestamps, as at its start.
    void reset();
    const TrackState& state() const { return tracks_; }
    // Continues from a state taken at a point the input was moved to; an
    // empty state is the start of the file.
    void restore(const TrackState& state);
    // Resets met since construction.
    int resets() const { return resets_; }

private:
    TrackState fresh_;
    TrackState tracks_;
    int resets_ = 0;
};

} // namespace kvplay
