#include "SpanExport.h"

#include "ClipWriter.h"
#include "Demuxer.h"
#include "FileTime.h"
#include "FrameGrabber.h"
#include "IndexBuilder.h"
#include "PngWriter.h"
#include "kvplay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

namespace kvplay {

namespace {

constexpr AVRational kMicro{1, 1'000'000};

struct OutputCloser {
    void operator()(AVFormatContext* ctx) const noexcept
    {
        if (ctx && ctx->pb && !(ctx->oformat->flags & AVFMT_NOFILE))
            avio_closep(&ctx->pb);
        avformat_free_context(ctx);
    }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

// Where each source stream goes in the copy: -1 for streams left out.
struct StreamMap {
    int video = -1;
    int audio = -1;
};

bool copyStream(AVFormatContext& oc, const AVStream& in, int& index)
{
    AVStream* out = avformat_new_stream(&oc, nullptr);
    if (!out || avcodec_parameters_copy(out->codecpar, in.codecpar) < 0)
        return false;
    out->codecpar->codec_tag = 0;
    out->time_base = in.time_base;
    out->disposition = in.disposition;
    index = out->index;
    return true;
}

OutputPtr openCopy(const std::string& muxer, const std::string& path, const MediaSource& src, bool withAudio,
                   int64_t firstUs, StreamMap& map)
{
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, muxer.c_str(), path.c_str()) < 0 || !raw)
        return nullptr;
    OutputPtr oc(raw);
    map = {};
    if (!copyStream(*oc, *src.videoStream(), map.video))
        return nullptr;
    const AVStream* audio = src.audioStream();
    if (withAudio && audio &&
        avformat_query_codec(oc->oformat, audio->codecpar->codec_id, FF_COMPLIANCE_NORMAL) == 1 &&
        !copyStream(*oc, *audio, map.audio))
        return nullptr;
    // The recorder's tags travel with the footage; the copy's own creation
    // time is its first picture's, so it keeps its place in recording time.
    av_dict_copy(&oc->metadata, src.format()->metadata, 0);
    av_dict_set(&oc->metadata, "creation_time", creationTimeText(firstUs).c_str(), 0);
    if (avio_open(&oc->pb, path.c_str(), AVIO_FLAG_WRITE) < 0 || avformat_write_header(oc.get(), nullptr) < 0)
        return nullptr;
    return oc;
}

// The copy loop's state, in the source's relative time (us from its start).
struct Span {
    int64_t startUs = 0;
    int64_t endUs = 0;
    int64_t baseUs = AV_NOPTS_VALUE; // the first keyframe: time 0 of the copy
    int64_t minPts = std::numeric_limits<int64_t>::max();
    int64_t maxPts = std::numeric_limits<int64_t>::min();
};

int64_t decodeUs(const Demuxer& demux, const MediaSource& src, const AVPacket& pkt)
{
    if (pkt.dts == AV_NOPTS_VALUE)
        return demux.packetUs(pkt);
    return av_rescale_q(pkt.dts, src.format()->streams[pkt.stream_index]->time_base, kMicro) - src.streamStartUs();
}

// Whether the packet belongs in the copy; false at the end also sets done.
bool wanted(const Demuxer& demux, const MediaSource& src, const AVPacket& pkt, Span& span, bool& done)
{
    const bool isVideo = pkt.stream_index == src.videoIndex();
    const int64_t us = demux.packetUs(pkt);
    if (us == AV_NOPTS_VALUE)
        return false;
    if (isVideo) {
        // In decoding order every picture up to the end has come once a
        // packet decodes after it; one picture past the end closes the span.
        if (span.baseUs != AV_NOPTS_VALUE && decodeUs(demux, src, pkt) > span.endUs && span.maxPts > span.endUs) {
            done = true;
            return false;
        }
        if (span.baseUs == AV_NOPTS_VALUE)
            span.baseUs = us;
        span.minPts = std::min(span.minPts, us);
        span.maxPts = std::max(span.maxPts, us);
        return true;
    }
    const int64_t limit = std::max(span.endUs, span.maxPts) + src.frameDurationUs();
    return span.baseUs != AV_NOPTS_VALUE && us >= span.baseUs && us < limit;
}

// first is the keyframe the seek found, already read.
int copyPackets(Demuxer& demux, const MediaSource& src, AVFormatContext& oc, const StreamMap& map,
                const SpanSpec& spec, Span& span, SpanOutcome& out, PacketPtr first)
{
    PacketPtr pkt = std::move(first);
    bool done = false;
    while (!done && (pkt || demux.read(pkt) == 0)) {
        const PacketPtr current = std::move(pkt);
        const bool isVideo = current->stream_index == src.videoIndex();
        const int target = isVideo ? map.video : (current->stream_index == src.audioIndex() ? map.audio : -1);
        if (target < 0 || !wanted(demux, src, *current, span, done))
            continue;
        const AVRational inTb = src.format()->streams[current->stream_index]->time_base;
        const int64_t shift = av_rescale_q(span.baseUs + src.streamStartUs(), kMicro, inTb);
        if (current->pts != AV_NOPTS_VALUE)
            current->pts -= shift;
        if (current->dts != AV_NOPTS_VALUE)
            current->dts -= shift;
        av_packet_rescale_ts(current.get(), inTb, oc.streams[target]->time_base);
        current->stream_index = target;
        current->pos = -1;
        out.bytes += static_cast<uint64_t>(current->size);
        ++(isVideo ? out.videoPackets : out.audioPackets);
        if (av_interleaved_write_frame(&oc, current.get()) < 0)
            return KV_ERR_IO;
        if (spec.progress && !spec.progress(out.bytes))
            return KV_ERR_CANCELLED;
    }
    // Pictures only before the start: the span begins after the file ends.
    return out.videoPackets > 0 && span.maxPts >= span.startUs ? KV_OK : KV_ERR_NO_FRAME;
}

int finish(OutputPtr oc, int rc)
{
    if (rc == KV_OK && av_write_trailer(oc.get()) < 0)
        rc = KV_ERR_IO;
    if (oc->pb && (oc->pb->error < 0 || avio_closep(&oc->pb) < 0) && rc == KV_OK)
        rc = KV_ERR_IO;
    return rc;
}

const char* codecName(const AVStream* st)
{
    return st ? avcodec_get_name(st->codecpar->codec_id) : "";
}

// The span in the source's relative time; false when it misses the file.
bool relativeSpan(const SpanSpec& spec, const MediaSource& src, Span& span)
{
    span.startUs = std::max<int64_t>(spec.startUs - src.startTime(), 0);
    span.endUs = spec.endUs - src.startTime();
    const bool pastEnd = !src.isRaw() && src.durationUs() > 0 && span.startUs > src.durationUs();
    return span.endUs >= 0 && !pastEnd;
}

int copySpan(const SpanSpec& spec, MediaSource& src, const std::shared_ptr<KeyframeIndex>& index,
             const std::string& muxer, SpanOutcome& out)
{
    Span span;
    Demuxer demux(src, index, nullptr);
    PacketPtr key;
    if (!relativeSpan(spec, src, span) || !demux.seek(span.startUs) || demux.read(key) != 0)
        return KV_ERR_NO_FRAME;
    const int64_t keyRel = demux.packetUs(*key);
    const int64_t keyUs = src.startTime() + (keyRel == AV_NOPTS_VALUE ? span.startUs : keyRel);
    const std::string tmp = spec.output + ".part";
    StreamMap map;
    OutputPtr oc = openCopy(muxer, tmp, src, true, keyUs, map);
    if (!oc) // some containers refuse the sound codec only at the header
        oc = openCopy(muxer, tmp, src, false, keyUs, map);
    if (!oc) {
        std::remove(tmp.c_str());
        return KV_ERR_IO;
    }
    int rc = copyPackets(demux, src, *oc, map, spec, span, out, std::move(key));
    rc = finish(std::move(oc), rc);
    if (rc != KV_OK || std::rename(tmp.c_str(), spec.output.c_str()) != 0) {
        std::remove(tmp.c_str());
        return rc != KV_OK ? rc : KV_ERR_IO;
    }
    out.firstUs = src.startTime() + span.minPts;
    out.lastUs = src.startTime() + span.maxPts;
    out.audioCodec = map.audio >= 0 ? codecName(src.audioStream()) : "";
    return KV_OK;
}

} // namespace

std::string muxerExtension(const std::string& muxer)
{
    const AVOutputFormat* format = av_guess_format(muxer.c_str(), nullptr, nullptr);
    const std::string list = format && format->extensions ? format->extensions : "";
    return list.empty() ? "mkv" : list.substr(0, list.find(','));
}

std::string spanMuxer(const std::string& source, int& rc)
{
    auto src = MediaSource::openFile(source, OpenLimits{}, rc);
    if (!src)
        return {};
    if (!src->videoStream()) {
        rc = KV_ERR_NO_STREAM;
        return {};
    }
    rc = KV_OK;
    const std::string muxer =
        clipMuxer(KV_CLIP_SOURCE, src->format()->iformat->name, src->videoStream()->codecpar->codec_id);
    const AVOutputFormat* format = av_guess_format(muxer.c_str(), nullptr, nullptr);
    return format && format->extensions ? muxer : "matroska";
}

SpanOutcome exportSpan(const SpanSpec& spec)
{
    SpanOutcome out;
    if (spec.source.empty() || spec.output.empty() || spec.endUs < spec.startUs) {
        out.rc = KV_ERR_PARAM;
        return out;
    }
    out.container = spanMuxer(spec.source, out.rc);
    auto src = out.rc == KV_OK ? MediaSource::openFile(spec.source, OpenLimits{}, out.rc) : nullptr;
    if (!src)
        return out;
    // Raw streams are positioned by frame number, and files whose
    // timestamps may reset by their continuous timeline: their keyframes are
    // indexed on a second opening while this one copies. A span from the
    // very start needs no index.
    int indexErr = KV_OK;
    const bool needsIndex = (src->isRaw() || src->mendsTime()) && spec.startUs > src->startTime();
    auto indexed = needsIndex ? MediaSource::openFile(spec.source, OpenLimits{}, indexErr) : nullptr;
    const auto builder = indexed ? std::make_unique<IndexBuilder>(*indexed) : nullptr;
    const std::shared_ptr<KeyframeIndex> index = builder ? builder->index() : nullptr;
    // Where timestamps reset, only the whole pass tells whether the span
    // lies inside the file.
    if (index && src->mendsTime()) {
        while (!index->waitComplete(std::chrono::milliseconds(100))) {
            if (spec.progress && !spec.progress(0)) {
                out.rc = KV_ERR_CANCELLED;
                return out;
            }
        }
        src->setExactDuration(indexed->durationUs());
    }
    out.videoCodec = codecName(src->videoStream());
    out.rc = copySpan(spec, *src, index, out.container, out);
    if (out.rc != KV_OK || spec.picture.empty())
        return out;
    const int64_t pictureUs = std::max<int64_t>(spec.startUs - src->startTime(), 0);
    FramePtr frame = grabFrame(spec.source, index, pictureUs);
    if (!frame || writePng(*frame, spec.picture) != KV_OK) {
        std::remove(spec.output.c_str());
        out.rc = KV_ERR_IO;
    }
    return out;
}

} // namespace kvplay
