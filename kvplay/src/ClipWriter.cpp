#include "ClipWriter.h"

#include "Codecs.h"
#include "Demuxer.h"
#include "PngWriter.h"
#include "kvplay.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kvplay {

namespace {

constexpr AVRational kMicro{1, 1'000'000};
// Written once at the start to find a full disk before anything is recorded.
constexpr size_t kProbeBytes = 64 * 1024;

std::string partPath(const std::string& clipPath) { return clipPath + ".part"; }

struct OutputCloser {
    void operator()(AVFormatContext* ctx) const noexcept
    {
        if (!ctx)
            return;
        if (ctx->pb && !(ctx->oformat->flags & AVFMT_NOFILE))
            avio_closep(&ctx->pb);
        avformat_free_context(ctx);
    }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

struct Output {
    OutputPtr ctx;
    BsfPtr videoFilter; // MP4-style H.264/H.265 into a container that wants start codes
    int video = -1;
    int audio = -1;
};

// AVI, unlike the other muxers, does not convert length-prefixed H.264/H.265 itself.
BsfPtr annexBFilter(const char* muxer, const AVStream& in)
{
    const AVCodecParameters* par = in.codecpar;
    const bool lengthPrefixed = par->extradata_size > 0 && par->extradata[0] == 1;
    if (std::strcmp(muxer, "avi") != 0 || !lengthPrefixed)
        return nullptr;
    const char* name = par->codec_id == AV_CODEC_ID_H264   ? "h264_mp4toannexb"
                       : par->codec_id == AV_CODEC_ID_HEVC ? "hevc_mp4toannexb"
                                                           : nullptr;
    const AVBitStreamFilter* filter = name ? av_bsf_get_by_name(name) : nullptr;
    AVBSFContext* raw = nullptr;
    if (!filter || av_bsf_alloc(filter, &raw) < 0)
        return nullptr;
    BsfPtr bsf(raw);
    if (avcodec_parameters_copy(bsf->par_in, par) < 0)
        return nullptr;
    bsf->time_base_in = in.time_base;
    if (av_bsf_init(bsf.get()) < 0)
        return nullptr;
    return bsf;
}

bool addStream(AVFormatContext& oc, const AVStream& in, const AVCodecParameters* par, int& index)
{
    AVStream* out = avformat_new_stream(&oc, nullptr);
    if (!out || avcodec_parameters_copy(out->codecpar, par ? par : in.codecpar) < 0)
        return false;
    out->codecpar->codec_tag = 0;
    out->time_base = in.time_base;
    index = out->index;
    return true;
}

OutputPtr openOutput(const char* muxer, const std::string& path, const MediaSource& src, bool withAudio,
                     Output& out)
{
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, muxer, path.c_str()) < 0 || !raw)
        return nullptr;
    OutputPtr oc(raw);
    out.videoFilter = annexBFilter(muxer, *src.videoStream());
    const AVCodecParameters* vpar = out.videoFilter ? out.videoFilter->par_out : nullptr;
    if (!addStream(*oc, *src.videoStream(), vpar, out.video))
        return nullptr;
    if (std::strcmp(muxer, "avi") == 0) {
        // AVI counts frames: its time base must be the frame duration.
        AVStream* v = oc->streams[out.video];
        v->time_base = av_make_q(static_cast<int>(src.frameDurationUs()), 1'000'000);
        v->avg_frame_rate = av_inv_q(v->time_base);
    }
    out.audio = -1;
    if (withAudio && src.audioStream() &&
        avformat_query_codec(oc->oformat, src.audioStream()->codecpar->codec_id, FF_COMPLIANCE_NORMAL) == 1 &&
        !addStream(*oc, *src.audioStream(), nullptr, out.audio))
        return nullptr;
    if (avio_open(&oc->pb, path.c_str(), AVIO_FLAG_WRITE) < 0)
        return nullptr;
    if (avformat_write_header(oc.get(), nullptr) < 0)
        return nullptr;
    return oc;
}

FramePtr decodeFirst(const AVStream& st, const AVPacket& key)
{
    CodecPtr ctx = openDecoder(st, 1, OpenLimits{}.maxPixels);
    if (!ctx)
        return nullptr;
    FramePtr frame = makeFrame();
    if (!frame || avcodec_send_packet(ctx.get(), &key) < 0)
        return nullptr;
    avcodec_send_packet(ctx.get(), nullptr);
    if (avcodec_receive_frame(ctx.get(), frame.get()) < 0)
        return nullptr;
    return frame;
}

bool writePacket(Output& out, PacketPtr pkt, bool isVideo)
{
    if (!isVideo || !out.videoFilter)
        return av_interleaved_write_frame(out.ctx.get(), pkt.get()) >= 0;
    const AVRational outTb = out.ctx->streams[out.video]->time_base;
    av_packet_rescale_ts(pkt.get(), outTb, out.videoFilter->time_base_in);
    if (av_bsf_send_packet(out.videoFilter.get(), pkt.get()) < 0)
        return false;
    while (av_bsf_receive_packet(out.videoFilter.get(), pkt.get()) == 0) {
        av_packet_rescale_ts(pkt.get(), out.videoFilter->time_base_out, outTb);
        pkt->stream_index = out.video;
        if (av_interleaved_write_frame(out.ctx.get(), pkt.get()) < 0)
            return false;
    }
    return true;
}

int copyPackets(Demuxer& demux, const MediaSource& src, const ClipSpec& spec, Output& out, ClipResult& result,
                PacketPtr& first)
{
    const int64_t frameUs = src.frameDurationUs();
    int64_t base = AV_NOPTS_VALUE;
    PacketPtr pkt;
    while (demux.read(pkt) == 0) {
        const bool isVideo = pkt->stream_index == src.videoIndex();
        const int target = isVideo ? out.video : (pkt->stream_index == src.audioIndex() ? out.audio : -1);
        const int64_t us = demux.packetUs(*pkt);
        if (target < 0 || us == AV_NOPTS_VALUE)
            continue;
        if (isVideo && us > spec.endUs)
            break;
        if (base == AV_NOPTS_VALUE) {
            if (!isVideo)
                continue;
            base = us;
            result.startUs = us;
            first.reset(av_packet_clone(pkt.get()));
        }
        const AVRational inTb = src.format()->streams[pkt->stream_index]->time_base;
        const int64_t endUs = us + av_rescale_q(pkt->duration, inTb, kMicro);
        // Audio stays within the pictures, so the clip's duration is theirs.
        if (us < base || (!isVideo && endUs > spec.endUs + frameUs))
            continue;
        const int64_t shift = av_rescale_q(base + src.streamStartUs(), kMicro, inTb);
        if (pkt->pts != AV_NOPTS_VALUE)
            pkt->pts -= shift;
        if (pkt->dts != AV_NOPTS_VALUE)
            pkt->dts -= shift;
        av_packet_rescale_ts(pkt.get(), inTb, out.ctx->streams[target]->time_base);
        pkt->stream_index = target;
        pkt->pos = -1;
        if (isVideo) {
            ++result.packets;
            result.endUs = us + frameUs;
        }
        if (!writePacket(out, std::move(pkt), isVideo))
            return KV_ERR_IO;
    }
    return result.packets > 0 ? KV_OK : KV_ERR_NO_FRAME;
}

} // namespace

std::string clipMuxer(int kind, const std::string& demuxerName, int codecId)
{
    if (kind == KV_CLIP_AVI)
        return "avi";
    if (kind == KV_CLIP_MP4)
        return "mp4";
    if (kind == KV_CLIP_RAW) {
        switch (codecId) {
        case AV_CODEC_ID_H264: return "h264";
        case AV_CODEC_ID_HEVC: return "hevc";
        case AV_CODEC_ID_MPEG4: return "m4v";
        case AV_CODEC_ID_MJPEG: return "mjpeg";
        default: return {};
        }
    }
    const std::string first = demuxerName.substr(0, demuxerName.find(','));
    if (first == "mov")
        return "mp4";
    // Matroska holds any codec, so it takes what has no muxer of its own.
    return av_guess_format(first.c_str(), nullptr, nullptr) ? first : "matroska";
}

int prepareClipOutput(const std::string& clipPath)
{
    const std::string tmp = partPath(clipPath);
    FILE* file = std::fopen(tmp.c_str(), "wb");
    if (!file)
        return KV_ERR_IO;
    const std::vector<char> probe(kProbeBytes);
    bool ok = std::fwrite(probe.data(), 1, probe.size(), file) == probe.size() && std::fflush(file) == 0;
    ok = std::fclose(file) == 0 && ok;
    std::error_code ec;
    if (ok)
        std::filesystem::resize_file(tmp, 0, ec);
    if (!ok || ec) {
        std::remove(tmp.c_str());
        return KV_ERR_IO;
    }
    return KV_OK;
}

void discardClipOutput(const std::string& clipPath) { std::remove(partPath(clipPath).c_str()); }

ClipResult writeClip(const ClipSpec& spec)
{
    ClipResult result;
    int err = KV_OK;
    auto src = MediaSource::openFile(spec.source, OpenLimits{}, err);
    if (!src || src->videoIndex() < 0) {
        result.rc = src ? KV_ERR_NO_STREAM : err;
        return result;
    }
    const std::string muxer = clipMuxer(spec.kind, src->format()->iformat->name,
                                        src->videoStream()->codecpar->codec_id);
    Demuxer demux(*src, spec.index, nullptr);
    if (muxer.empty() || spec.clipPath.empty()) {
        result.rc = muxer.empty() ? KV_ERR_UNSUPPORTED : KV_ERR_PARAM;
        return result;
    }
    if (!demux.seek(spec.startUs)) {
        result.rc = KV_ERR_NO_FRAME;
        return result;
    }
    const std::string tmp = partPath(spec.clipPath);
    Output out;
    out.ctx = openOutput(muxer.c_str(), tmp, *src, spec.kind != KV_CLIP_RAW, out);
    if (!out.ctx) // some containers refuse the audio codec only at the header
        out.ctx = openOutput(muxer.c_str(), tmp, *src, false, out);
    if (!out.ctx) {
        std::remove(tmp.c_str());
        result.rc = KV_ERR_IO;
        return result;
    }
    PacketPtr first;
    result.rc = copyPackets(demux, *src, spec, out, result, first);
    if (result.rc == KV_OK && av_write_trailer(out.ctx.get()) < 0)
        result.rc = KV_ERR_IO;
    if (out.ctx->pb && (out.ctx->pb->error < 0 || avio_closep(&out.ctx->pb) < 0))
        result.rc = KV_ERR_IO;
    out.ctx.reset();
    if (result.rc != KV_OK || std::rename(tmp.c_str(), spec.clipPath.c_str()) != 0) {
        std::remove(tmp.c_str());
        result.rc = result.rc != KV_OK ? result.rc : KV_ERR_IO;
        return result;
    }
    if (!spec.picturePath.empty() && first) {
        FramePtr frame = decodeFirst(*src->videoStream(), *first);
        if (frame)
            writePng(*frame, spec.picturePath);
    }
    return result;
}

} // namespace kvplay
