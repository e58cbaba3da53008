#include "SpanDecoder.h"

#include "Codecs.h"

namespace kvplay {

namespace {
constexpr int kDecoderThreads = 2;
constexpr int kMaxPackets = 20000; // far beyond any group of pictures a recorder writes
} // namespace

SpanDecoder::SpanDecoder(const std::string& path, std::shared_ptr<KeyframeIndex> index,
                         const std::atomic<bool>& cancel)
    : cancel_(cancel)
{
    int err = 0;
    source_ = MediaSource::openFile(path, OpenLimits{}, err);
    if (!source_ || !source_->videoStream())
        return;
    demux_ = std::make_unique<Demuxer>(*source_, std::move(index), &cancel_);
    timeBase_ = source_->videoStream()->time_base;
    frameUs_ = source_->frameDurationUs();
    codec_ = openDecoder(*source_->videoStream(), kDecoderThreads, OpenLimits{}.maxPixels);
}

bool SpanDecoder::decode(const Span& span, const Sink& sink)
{
    if (!codec_ || !demux_->seek(span.seekUs))
        return false;
    avcodec_flush_buffers(codec_.get());
    int64_t keyUs = AV_NOPTS_VALUE;
    bool delivered = false;
    PacketPtr pkt;
    for (int i = 0; i < kMaxPackets && !cancel_.load(); ++i) {
        const bool more = demux_->read(pkt) == 0;
        if (more && pkt->stream_index != source_->videoIndex())
            continue;
        if (more && keyUs == AV_NOPTS_VALUE) {
            keyUs = demux_->packetUs(*pkt);
            nextPts_ = keyUs == AV_NOPTS_VALUE ? span.seekUs : keyUs;
        }
        // A broken packet is skipped; the stretch goes on with the next one.
        if (avcodec_send_packet(codec_.get(), more ? pkt.get() : nullptr) < 0 && more)
            continue;
        if (!drain(keyUs, span.limitUs, sink, delivered) || !more)
            break;
    }
    return delivered && !cancel_.load();
}

bool SpanDecoder::drain(int64_t keyUs, int64_t limitUs, const Sink& sink, bool& delivered)
{
    FramePtr frame = makeFrame();
    while (frame && !cancel_.load() && avcodec_receive_frame(codec_.get(), frame.get()) == 0) {
        const int64_t pts = frameTimeUs(*frame, timeBase_, source_->streamStartUs(), nextPts_);
        nextPts_ = pts + frameUs_;
        if (keyUs != AV_NOPTS_VALUE && pts < keyUs) {
            av_frame_unref(frame.get());
            continue;
        }
        delivered = true;
        if (!sink(pts, *frame) || pts >= limitUs)
            return false;
        av_frame_unref(frame.get());
    }
    return frame != nullptr && !cancel_.load();
}

} // namespace kvplay
