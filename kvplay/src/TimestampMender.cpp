#include "TimestampMender.h"

namespace kvplay {

namespace {
constexpr AVRational kMicro{1, 1'000'000};
} // namespace

bool followTrack(StreamTrack& track, int64_t ts, int64_t duration)
{
    bool reset = false;
    if (track.last != AV_NOPTS_VALUE) {
        const int64_t delta = ts + track.offset - track.last;
        // Less than a packet back is jitter; right after a seek, packets
        // already seen may come again.
        const int64_t back = track.settling ? track.overlap : track.step;
        if (delta < -back || delta > track.step + track.maxGap) {
            track.offset = track.last + track.step - ts;
            reset = true;
        }
    }
    if (duration > 0)
        track.step = duration;
    track.last = ts + track.offset;
    track.settling = false;
    return reset;
}

TimestampMender::TimestampMender(const AVFormatContext& fmt, int64_t stepUs)
{
    fresh_.resize(fmt.nb_streams);
    for (unsigned i = 0; i < fmt.nb_streams; ++i) {
        const AVRational tb = fmt.streams[i]->time_base;
        fresh_[i].step = av_rescale_q(stepUs, kMicro, tb);
        fresh_[i].maxGap = av_rescale_q(kMaxGapUs, kMicro, tb);
        fresh_[i].overlap = av_rescale_q(kOverlapUs, kMicro, tb);
    }
    tracks_ = fresh_;
}

void TimestampMender::mend(AVPacket& pkt)
{
    if (pkt.stream_index < 0 || static_cast<size_t>(pkt.stream_index) >= tracks_.size())
        return;
    const int64_t ts = pkt.dts != AV_NOPTS_VALUE ? pkt.dts : pkt.pts;
    if (ts == AV_NOPTS_VALUE)
        return;
    StreamTrack& track = tracks_[static_cast<size_t>(pkt.stream_index)];
    if (followTrack(track, ts, pkt.duration))
        ++resets_;
    if (pkt.pts != AV_NOPTS_VALUE)
        pkt.pts += track.offset;
    if (pkt.dts != AV_NOPTS_VALUE)
        pkt.dts += track.offset;
}

void TimestampMender::reset() { tracks_ = fresh_; }

void TimestampMender::restore(const TrackState& state)
{
    if (state.size() != fresh_.size()) {
        reset();
        return;
    }
    tracks_ = state;
    for (StreamTrack& track : tracks_)
        track.settling = true;
}

} // namespace kvplay
