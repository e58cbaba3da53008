#include "VideoCodec.h"

#include "Codecs.h"

namespace kvplay {

bool VideoCodec::open(const AVStream& st, const Setup& setup)
{
    stream_ = &st;
    setup_ = setup;
    path_ = openInHardware();
    if (path_ == DecodePath::Hardware)
        return true;
    hardwareAllowed_.store(false);
    slot_.release();
    ctx_ = openDecoder(st, setup_.threads, setup_.maxPixels);
    return ctx_ != nullptr;
}

DecodePath VideoCodec::openInHardware()
{
    if (!setup_.slots)
        return DecodePath::NotAllowed;
    slot_ = setup_.slots->acquire();
    if (!slot_)
        return DecodePath::NotAllowed;
    const std::string node = findRenderNode(setup_.renderNodes);
    if (node.empty())
        return DecodePath::NoDevice;
    const AVCodec* codec = avcodec_find_decoder(stream_->codecpar->codec_id);
    if (!codec || !supportsVaapi(*codec))
        return DecodePath::CodecRefused;
    const BufferPtr device = openVaapiDevice(node);
    if (!device)
        return DecodePath::DeviceRefused;
    // The device decodes; more threads would only queue more surfaces.
    CodecPtr ctx = allocDecoder(*stream_, 1, setup_.maxPixels);
    if (!ctx)
        return DecodePath::OpenRefused;
    ctx->hw_device_ctx = av_buffer_ref(device.get());
    ctx->opaque = this;
    ctx->get_format = &VideoCodec::pickFormat;
    hardwareAllowed_.store(true);
    if (!ctx->hw_device_ctx || avcodec_open2(ctx.get(), ctx->codec, nullptr) < 0)
        return DecodePath::OpenRefused;
    ctx_ = std::move(ctx);
    return DecodePath::Hardware;
}

AVPixelFormat VideoCodec::pickFormat(AVCodecContext* ctx, const AVPixelFormat* offered)
{
    const auto* self = static_cast<const VideoCodec*>(ctx->opaque);
    return chooseFormat(offered, self && self->hardwareAllowed_.load());
}

bool VideoCodec::fallBack()
{
    CodecPtr software = openDecoder(*stream_, setup_.threads, setup_.maxPixels);
    if (!software)
        return false;
    hardwareAllowed_.store(false);
    ctx_ = std::move(software);
    slot_.release();
    path_ = DecodePath::Abandoned;
    return true;
}

int VideoCodec::send(const AVPacket* pkt)
{
    const bool key = pkt && (pkt->flags & AV_PKT_FLAG_KEY);
    if (awaitKeyframe_ && pkt && !key)
        return 0;
    awaitKeyframe_ = false;
    const int rc = avcodec_send_packet(ctx_.get(), pkt);
    // A keyframe the device refuses is given to the software decoder, which
    // can start from it.
    if (rc < 0 && rc != AVERROR(EAGAIN) && rc != AVERROR_EOF && key && inHardware() && fallBack())
        return avcodec_send_packet(ctx_.get(), pkt);
    return rc;
}

int VideoCodec::receive(FramePtr& frame)
{
    const int rc = avcodec_receive_frame(ctx_.get(), frame.get());
    if (rc < 0 || !inHardware())
        return rc;
    if (frame->format != AV_PIX_FMT_VAAPI) {
        // The codec declined the surfaces for this stream (an unsupported
        // profile or size) and decodes in memory itself: the slot is free.
        hardwareAllowed_.store(false);
        slot_.release();
        path_ = DecodePath::Abandoned;
        return rc;
    }
    FramePtr copy = downloadFrame(*frame);
    if (copy) {
        frame = std::move(copy);
        return rc;
    }
    // The pictures still queued in the device are lost with it; the software
    // decoder starts again at the next keyframe.
    if (fallBack())
        awaitKeyframe_ = true;
    return AVERROR(EAGAIN);
}

} // namespace kvplay
