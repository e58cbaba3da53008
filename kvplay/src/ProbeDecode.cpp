#include "ProbeDecode.h"

#include "Codecs.h"
#include "Demuxer.h"
#include "MediaSource.h"
#include "Scaler.h"
#include "kvplay.h"

extern "C" {
#include <libavutil/time.h>
}

namespace kvplay {

namespace {

struct Decoders {
    CodecPtr video;
    CodecPtr audio;
    FramePtr frame = makeFrame();
    Scaler scaler;
};

void drainFrames(AVCodecContext& ctx, Decoders& d, bool isVideo, ProbeResult& r)
{
    while (d.frame && avcodec_receive_frame(&ctx, d.frame.get()) == 0) {
        if (isVideo) {
            ++r.videoFrames;
            d.scaler.scale(*d.frame, 64, 36, ViewSettings{8, 8, 4, 4, KV_ASPECT_FIT});
        } else {
            ++r.audioFrames;
        }
        av_frame_unref(d.frame.get());
    }
}

// Reads and decodes until a limit is reached; false at the end of the input.
bool decodeSome(Demuxer& demux, const MediaSource& src, Decoders& d, const ProbeLimits& limits,
                int64_t deadline, ProbeResult& r)
{
    for (int i = 0; i < limits.maxPackets && r.videoFrames < limits.maxFrames; ++i) {
        if (av_gettime_relative() > deadline)
            return true;
        PacketPtr pkt;
        if (demux.read(pkt) < 0)
            return false;
        const bool isVideo = pkt->stream_index == src.videoIndex();
        AVCodecContext* ctx = isVideo ? d.video.get() : d.audio.get();
        if (!ctx || (!isVideo && pkt->stream_index != src.audioIndex()))
            continue;
        if (avcodec_send_packet(ctx, pkt.get()) >= 0)
            drainFrames(*ctx, d, isVideo, r);
    }
    return true;
}

} // namespace

ProbeResult openAndDecode(AVIOContext* pb, const ProbeLimits& limits)
{
    ProbeResult r;
    const int64_t deadline = av_gettime_relative() + limits.budgetUs;
    OpenLimits open;
    open.maxPixels = limits.maxPixels;
    open.deadlineUs = deadline;
    auto src = MediaSource::openIo(pb, open, r.err);
    if (!src)
        return r;
    Decoders d;
    if (src->videoStream())
        d.video = openDecoder(*src->videoStream(), 1, limits.maxPixels);
    if (src->audioStream())
        d.audio = openDecoder(*src->audioStream(), 1, 0);
    Demuxer demux(*src, nullptr, nullptr);
    const bool more = decodeSome(demux, *src, d, limits, deadline, r);
    // A seek into the middle and a little more decoding, as a slider drag would.
    if (more && src->durationUs() > 0 && demux.seek(src->durationUs() / 2)) {
        if (d.video)
            avcodec_flush_buffers(d.video.get());
        decodeSome(demux, *src, d, limits, deadline, r);
    }
    for (AVCodecContext* ctx : {d.video.get(), d.audio.get()}) {
        if (ctx && avcodec_send_packet(ctx, nullptr) >= 0)
            drainFrames(*ctx, d, ctx == d.video.get(), r);
    }
    return r;
}

} // namespace kvplay
