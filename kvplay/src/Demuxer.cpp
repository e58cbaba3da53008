#include "Demuxer.h"

#include <algorithm>
#include <chrono>

namespace kvplay {

namespace {
constexpr AVRational kMicro{1, 1'000'000};
constexpr int kSeekAttempts = 6;
constexpr int64_t kFirstBackoffUs = 1'000'000;
constexpr int kMaxSkippedPackets = 20000;
constexpr std::chrono::milliseconds kAbortCheck{50};
} // namespace

Demuxer::Demuxer(MediaSource& source, std::shared_ptr<KeyframeIndex> index, const std::atomic<bool>* abort)
    : source_(source), index_(std::move(index)), abort_(abort),
      mender_(*source.format(), source.frameDurationUs()), pending_(source.takePreread())
{
    for (PacketPtr& pkt : pending_)
        mend(*pkt);
}

int Demuxer::read(PacketPtr& out)
{
    if (!pending_.empty()) {
        out = std::move(pending_.front());
        pending_.pop_front();
    } else {
        out = makePacket();
        if (!out)
            return AVERROR(ENOMEM);
        const int rc = av_read_frame(source_.format(), out.get());
        if (rc < 0)
            return rc;
        mend(*out);
    }
    if (source_.isRaw() && out->stream_index == source_.videoIndex())
        stampRaw(*out);
    return 0;
}

bool Demuxer::seek(int64_t targetUs)
{
    pending_.clear();
    const bool raw = source_.isRaw() && source_.videoIndex() >= 0;
    PacketPtr key;
    if (raw) {
        key = seekRaw(targetUs);
    } else if (source_.mendsTime() && index_) {
        key = seekIndexed(targetUs);
    } else {
        // Without an index the file's own times are all there is to go by.
        mender_.reset();
        key = seekTimed(targetUs);
        if (key)
            mend(*key);
    }
    if (!key)
        return false;
    pending_.push_back(std::move(key));
    return true;
}

void Demuxer::stampRaw(AVPacket& pkt)
{
    const AVRational tb = source_.format()->streams[pkt.stream_index]->time_base;
    const int64_t us = source_.streamStartUs() + rawFrame_ * source_.frameDurationUs();
    pkt.pts = av_rescale_q(us, kMicro, tb);
    pkt.dts = pkt.pts;
    pkt.duration = av_rescale_q(source_.frameDurationUs(), kMicro, tb);
    ++rawFrame_;
}

void Demuxer::mend(AVPacket& pkt)
{
    if (source_.mendsTime())
        mender_.mend(pkt);
}

PacketPtr Demuxer::seekRaw(int64_t targetUs)
{
    // Frame numbers are the only time a raw stream has: restart counting at a
    // keyframe whose number the index knows (the first one when it knows none).
    const int64_t target = targetUs / source_.frameDurationUs();
    // The index pass is far faster than decoding: waiting for it to reach the
    // target beats decoding everything between the last known keyframe and it.
    // The wait wakes now and then to see whether playback was stopped.
    bool reached = index_ == nullptr;
    while (!reached && !aborted())
        reached = index_->waitBeyond(target, kAbortCheck);
    const KeyframeEntry key = index_ ? index_->atOrBefore(target) : KeyframeEntry{};
    AVFormatContext* fmt = source_.format();
    if (av_seek_frame(fmt, -1, key.pos, AVSEEK_FLAG_BYTE) < 0)
        return nullptr;
    rawFrame_ = key.frame;
    for (int i = 0; i < kMaxSkippedPackets && !aborted(); ++i) {
        PacketPtr pkt = makePacket();
        if (!pkt || av_read_frame(fmt, pkt.get()) < 0)
            return nullptr;
        if (pkt->stream_index != source_.videoIndex())
            continue;
        if (pkt->flags & AV_PKT_FLAG_KEY)
            return pkt;
        ++rawFrame_;
    }
    return nullptr;
}

PacketPtr Demuxer::seekIndexed(int64_t targetUs)
{
    // Timestamps that reset make the demuxer's own time seek land anywhere:
    // go by the byte position of a keyframe on the continuous timeline,
    // which the index knows once its pass has read that far.
    bool reached = false;
    while (!reached && !aborted())
        reached = index_->waitBeyondTime(targetUs, kAbortCheck);
    const KeyframeEntry key = index_->atOrBeforeTime(targetUs);
    AVFormatContext* fmt = source_.format();
    if (av_seek_frame(fmt, -1, key.pos, AVSEEK_FLAG_BYTE) < 0)
        return nullptr;
    mender_.restore(key.tracks);
    const int index = mainStream();
    for (int i = 0; i < kMaxSkippedPackets && !aborted(); ++i) {
        PacketPtr pkt = makePacket();
        if (!pkt || av_read_frame(fmt, pkt.get()) < 0)
            return nullptr;
        mend(*pkt);
        if (pkt->stream_index == index && (pkt->flags & AV_PKT_FLAG_KEY))
            return pkt;
    }
    return nullptr;
}

PacketPtr Demuxer::seekTimed(int64_t targetUs)
{
    // Some demuxers land after the target or between keyframes; going back
    // further until the keyframe is at or before the target fixes both.
    targetUs = std::max<int64_t>(targetUs, 0);
    int64_t back = 0;
    PacketPtr atStart;
    for (int attempt = 0; attempt < kSeekAttempts && !aborted(); ++attempt) {
        const int64_t target = std::max<int64_t>(targetUs - back, 0);
        if (!seekTo(target))
            break;
        PacketPtr key = firstKeyframe();
        const int64_t keyUs = key ? packetUs(*key) : AV_NOPTS_VALUE;
        if (key && (keyUs == AV_NOPTS_VALUE || keyUs <= targetUs))
            return key;
        if (target == 0) {
            atStart = std::move(key);
            break;
        }
        back = back == 0 ? kFirstBackoffUs : back * 2;
    }
    // Even a time seek to the very start may land past the first keyframe
    // (MPEG-TS with B-frames); the first byte cannot, where the format
    // allows seeking by bytes.
    if (av_seek_frame(source_.format(), -1, 0, AVSEEK_FLAG_BYTE) >= 0 || !atStart) {
        if (PacketPtr key = firstKeyframe())
            return key;
    }
    return atStart;
}

bool Demuxer::seekTo(int64_t targetUs)
{
    AVFormatContext* fmt = source_.format();
    const int index = mainStream();
    const AVRational tb = fmt->streams[index]->time_base;
    // Rounding up would land one frame after a target between two frames.
    const int64_t ts = av_rescale_q_rnd(source_.streamStartUs() + targetUs, kMicro, tb, AV_ROUND_DOWN);
    if (avformat_seek_file(fmt, index, INT64_MIN, ts, ts, 0) >= 0)
        return true;
    if (av_seek_frame(fmt, index, ts, AVSEEK_FLAG_BACKWARD) >= 0)
        return true;
    // Streams that cannot seek by time can still go back to their first byte.
    return targetUs == 0 && av_seek_frame(fmt, -1, 0, AVSEEK_FLAG_BYTE) >= 0;
}

PacketPtr Demuxer::firstKeyframe()
{
    AVFormatContext* fmt = source_.format();
    const int index = mainStream();
    for (int i = 0; i < kMaxSkippedPackets && !aborted(); ++i) {
        PacketPtr pkt = makePacket();
        if (!pkt || av_read_frame(fmt, pkt.get()) < 0)
            return nullptr;
        if (pkt->stream_index == index && (pkt->flags & AV_PKT_FLAG_KEY))
            return pkt;
    }
    return nullptr;
}

int64_t Demuxer::packetUs(const AVPacket& pkt) const
{
    const int64_t ts = pkt.pts != AV_NOPTS_VALUE ? pkt.pts : pkt.dts;
    if (ts == AV_NOPTS_VALUE)
        return AV_NOPTS_VALUE;
    const AVRational tb = source_.format()->streams[pkt.stream_index]->time_base;
    return av_rescale_q(ts, tb, kMicro) - source_.streamStartUs();
}

int Demuxer::mainStream() const
{
    return source_.videoIndex() >= 0 ? source_.videoIndex() : source_.audioIndex();
}

} // namespace kvplay
