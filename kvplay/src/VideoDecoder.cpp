#include "VideoDecoder.h"

#include <cstdint>

#include "Library.h"
#include "SkipPolicy.h"
#include "ThreadTag.h"

namespace kvplay {

namespace {
constexpr AVRational kMicro{1, 1'000'000};
constexpr int kDecoderThreads = 2;
} // namespace

VideoDecoder::VideoDecoder(const MediaSource& source, Control& control, PacketQueue& packets,
                           FrameRing& ring, const std::atomic<bool>& smallTarget)
    : source_(source), control_(control), packets_(packets), ring_(ring), smallTarget_(smallTarget)
{
}

bool VideoDecoder::open()
{
    const AVStream* st = source_.videoStream();
    if (!st)
        return false;
    timeBase_ = st->time_base;
    deinterlacer_ = std::make_unique<Deinterlacer>(timeBase_);
    frameUs_ = source_.frameDurationUs();
    return codec_.open(*st, {kDecoderThreads, OpenLimits{}.maxPixels, &Library::get().hardwareSlots()});
}

void VideoDecoder::run()
{
    ThreadTag tag;
    QueuedPacket qp;
    while (!control_.aborted() && packets_.pop(qp)) {
        if (qp.serial != control_.serial())
            continue;
        if (qp.serial != serial_)
            startSerial(qp.serial);
        if (dropToKeyframe(qp.packet.get()))
            continue;
        // Any picture before an exact seek target may be the target, and a
        // step while paused must show the very next picture.
        const bool skipUnreferenced = target_ < 0 && !control_.paused() && control_.skipping(serial_);
        codec_->skip_frame = frameDiscard(control_.keyframesOnly(), skipUnreferenced);
        codec_->skip_loop_filter = smallTarget_.load() ? AVDISCARD_ALL : AVDISCARD_DEFAULT;
        if (!decode(qp.packet.get()))
            break;
        if (!qp.packet) {
            deinterlacer_->flush(ready_);
            if (!emitReady() || !flushPending() || !ring_.push({nullptr, nextPts_, 0, serial_, true}))
                break;
            avcodec_flush_buffers(codec_.get());
        }
    }
}

bool VideoDecoder::dropToKeyframe(const AVPacket* pkt)
{
    if (!control_.droppingToKeyframe(serial_))
        return false;
    if (!pkt) {
        // The end came first: decode what was left out, in order after the
        // pictures already decoded, and keep only the last, as an exact seek
        // to the end would.
        control_.keyframeReached();
        target_ = INT64_MAX;
        for (const PacketPtr& kept : skipped_)
            decode(kept.get());
        skipped_.clear();
        return false;
    }
    // Any picture before an exact seek target may be the target.
    if (target_ >= 0) {
        control_.keyframeReached();
        return false;
    }
    if (!(pkt->flags & AV_PKT_FLAG_KEY)) {
        // Kept in case the input ends before the next keyframe: the file's
        // last picture must still be shown.
        PacketPtr kept = makePacket();
        if (kept && av_packet_ref(kept.get(), pkt) >= 0)
            skipped_.push_back(std::move(kept));
        dropped_.fetch_add(1);
        return true;
    }
    // The pictures still held for reordering are as late as the dropped ones.
    control_.keyframeReached();
    skipped_.clear();
    avcodec_flush_buffers(codec_.get());
    return false;
}

void VideoDecoder::startSerial(int serial)
{
    avcodec_flush_buffers(codec_.get());
    deinterlacer_->reset();
    skipped_.clear();
    serial_ = serial;
    target_ = control_.exactTarget(serial);
    pending_ = {};
}

bool VideoDecoder::decode(const AVPacket* pkt)
{
    // A broken packet is skipped; the stream goes on with the next one.
    if (codec_.send(pkt) < 0 && pkt)
        return true;
    while (!control_.aborted()) {
        FramePtr frame = makeFrame();
        if (!frame)
            return false;
        const int rc = codec_.receive(frame);
        if (rc < 0)
            return true;
        if (!deliver(std::move(frame)))
            return false;
    }
    return false;
}

bool VideoDecoder::deliver(FramePtr frame)
{
    frame->pts = frame->best_effort_timestamp;
    deinterlacer_->push(std::move(frame), ready_);
    return emitReady();
}

bool VideoDecoder::emitReady()
{
    for (FramePtr& f : ready_) {
        if (!emit(std::move(f))) {
            ready_.clear();
            return false;
        }
    }
    ready_.clear();
    return true;
}

bool VideoDecoder::emit(FramePtr frame)
{
    const int64_t ts = frame->best_effort_timestamp;
    int64_t pts = nextPts_;
    if (ts != AV_NOPTS_VALUE)
        pts = av_rescale_q(ts, timeBase_, kMicro) - source_.streamStartUs();
    nextPts_ = pts + frameUs_;
    DecodedFrame out{std::move(frame), pts, frameUs_, serial_,
                     codec_->skip_loop_filter == AVDISCARD_DEFAULT};
    if (target_ >= 0) {
        if (pts <= target_) {
            pending_ = std::move(out);
            return true;
        }
        target_ = -1;
        if (!flushPending())
            return false;
    }
    return ring_.push(std::move(out));
}

bool VideoDecoder::flushPending()
{
    target_ = -1;
    if (!pending_.frame)
        return true;
    DecodedFrame p = std::move(pending_);
    pending_ = {};
    return ring_.push(std::move(p));
}

} // namespace kvplay
