#include "PngWriter.h"

#include "kvplay.h"

#include <cstdio>
#include <unistd.h>

namespace kvplay {

namespace {

FramePtr toRgb(const AVFrame& frame)
{
    FramePtr rgb = makeFrame();
    if (!rgb)
        return nullptr;
    rgb->format = AV_PIX_FMT_RGB24;
    rgb->width = frame.width;
    rgb->height = frame.height;
    if (av_frame_get_buffer(rgb.get(), 0) < 0)
        return nullptr;
    SwsPtr sws(sws_getContext(frame.width, frame.height, static_cast<AVPixelFormat>(frame.format),
                              frame.width, frame.height, AV_PIX_FMT_RGB24,
                              SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
                              nullptr));
    if (!sws)
        return nullptr;
    if (sws_scale(sws.get(), frame.data, frame.linesize, 0, frame.height, rgb->data, rgb->linesize) <= 0)
        return nullptr;
    return rgb;
}

} // namespace

int writeFileAtomically(const std::string& path, const uint8_t* data, size_t size)
{
    if (path.empty())
        return KV_ERR_PARAM;
    const std::string tmp = path + ".part";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f)
        return KV_ERR_IO;
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = std::fflush(f) == 0 && ok;
    ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok && std::rename(tmp.c_str(), path.c_str()) == 0)
        return KV_OK;
    std::remove(tmp.c_str());
    return KV_ERR_IO;
}

int writePng(const AVFrame& frame, const std::string& path)
{
    if (path.empty())
        return KV_ERR_PARAM;
    const AVCodec* enc = avcodec_find_encoder(AV_CODEC_ID_PNG);
    if (!enc)
        return KV_ERR_UNSUPPORTED;
    FramePtr rgb = toRgb(frame);
    if (!rgb)
        return KV_ERR_NO_MEMORY;
    CodecPtr ctx(avcodec_alloc_context3(enc));
    if (!ctx)
        return KV_ERR_NO_MEMORY;
    ctx->width = frame.width;
    ctx->height = frame.height;
    ctx->pix_fmt = AV_PIX_FMT_RGB24;
    ctx->time_base = {1, 25};
    if (avcodec_open2(ctx.get(), enc, nullptr) < 0)
        return KV_ERR_UNSUPPORTED;
    PacketPtr pkt = makePacket();
    if (!pkt || avcodec_send_frame(ctx.get(), rgb.get()) < 0 || avcodec_send_frame(ctx.get(), nullptr) < 0 ||
        avcodec_receive_packet(ctx.get(), pkt.get()) < 0)
        return KV_ERR_IO;
    return writeFileAtomically(path, pkt->data, static_cast<size_t>(pkt->size));
}

} // namespace kvplay
