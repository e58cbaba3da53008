#include "Codecs.h"

namespace kvplay {

int64_t frameTimeUs(const AVFrame& frame, AVRational timeBase, int64_t streamStartUs, int64_t fallbackUs)
{
    const int64_t ts = frame.best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        return fallbackUs;
    return av_rescale_q(ts, timeBase, AVRational{1, 1'000'000}) - streamStartUs;
}

CodecPtr allocDecoder(const AVStream& st, int threads, int64_t maxPixels)
{
    const AVCodec* dec = avcodec_find_decoder(st.codecpar->codec_id);
    if (!dec)
        return nullptr;
    CodecPtr ctx(avcodec_alloc_context3(dec));
    if (!ctx || avcodec_parameters_to_context(ctx.get(), st.codecpar) < 0)
        return nullptr;
    ctx->thread_count = threads;
    ctx->pkt_timebase = st.time_base;
    if (maxPixels > 0)
        ctx->max_pixels = maxPixels;
    return ctx;
}

CodecPtr openDecoder(const AVStream& st, int threads, int64_t maxPixels)
{
    CodecPtr ctx = allocDecoder(st, threads, maxPixels);
    if (!ctx || avcodec_open2(ctx.get(), ctx->codec, nullptr) < 0)
        return nullptr;
    return ctx;
}

} // namespace kvplay
