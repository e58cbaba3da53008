// Owning pointers for the FFmpeg objects: every AV* lives in one of these.
#pragma once

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace kvplay {

struct FormatCloser {
    void operator()(AVFormatContext* ctx) const noexcept { avformat_close_input(&ctx); }
};
struct CodecCloser {
    void operator()(AVCodecContext* ctx) const noexcept { avcodec_free_context(&ctx); }
};
struct PacketFreer {
    void operator()(AVPacket* pkt) const noexcept { av_packet_free(&pkt); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const noexcept { av_frame_free(&frame); }
};
struct SwsFreer {
    void operator()(SwsContext* ctx) const noexcept { sws_freeContext(ctx); }
};
struct BsfFreer {
    void operator()(AVBSFContext* ctx) const noexcept { av_bsf_free(&ctx); }
};
struct BufferUnref {
    void operator()(AVBufferRef* ref) const noexcept { av_buffer_unref(&ref); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFreer>;
using BsfPtr = std::unique_ptr<AVBSFContext, BsfFreer>;
using BufferPtr = std::unique_ptr<AVBufferRef, BufferUnref>;

inline PacketPtr makePacket() { return PacketPtr(av_packet_alloc()); }
inline FramePtr makeFrame() { return FramePtr(av_frame_alloc()); }

} // namespace kvplay
