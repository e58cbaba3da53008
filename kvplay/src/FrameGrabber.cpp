#include "FrameGrabber.h"

#include "Codecs.h"
#include "Demuxer.h"
#include "MediaSource.h"

namespace kvplay {

namespace {
constexpr int kMaxPackets = 2000; // a GOP of any sane recorder is far shorter
} // namespace

FramePtr grabFrame(const std::string& path, std::shared_ptr<KeyframeIndex> index, int64_t ptsUs)
{
    int err = 0;
    auto src = MediaSource::openFile(path, OpenLimits{}, err);
    if (!src || !src->videoStream())
        return nullptr;
    CodecPtr ctx = openDecoder(*src->videoStream(), 1, OpenLimits{}.maxPixels);
    Demuxer demux(*src, std::move(index), nullptr);
    if (!ctx || !demux.seek(ptsUs))
        return nullptr;
    const AVRational tb = src->videoStream()->time_base;
    FramePtr best;
    FramePtr frame = makeFrame();
    PacketPtr pkt;
    for (int i = 0; frame && i < kMaxPackets; ++i) {
        const bool more = demux.read(pkt) == 0;
        if (more && pkt->stream_index != src->videoIndex())
            continue;
        if (avcodec_send_packet(ctx.get(), more ? pkt.get() : nullptr) < 0 && more)
            continue;
        while (avcodec_receive_frame(ctx.get(), frame.get()) == 0) {
            const int64_t us = frameTimeUs(*frame, tb, src->streamStartUs(), ptsUs);
            if (us > ptsUs && best)
                return best;
            best = std::move(frame);
            frame = makeFrame();
            if (us >= ptsUs)
                return best;
        }
        if (!more)
            break;
    }
    return best;
}

} // namespace kvplay
