#include "Codecs.h"

namespace kvplay {

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
