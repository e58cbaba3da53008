#include "MediaSource.h"

#include "FileTime.h"
#include "kvplay.h"

#include <algorithm>

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/time.h>
}

namespace kvplay {

namespace {

constexpr AVRational kMicro{1, 1'000'000};
constexpr int kPrereadPackets = 8;  // enough to meet a wall-clock stamp near the start
constexpr int kPrereadMaxPackets = 2000;

int64_t toUs(int64_t ts, AVRational tb) { return av_rescale_q(ts, tb, kMicro); }

} // namespace

MediaSource::~MediaSource() = default;

std::unique_ptr<MediaSource> MediaSource::openFile(const std::string& path, const OpenLimits& limits,
                                                   int& err)
{
    std::unique_ptr<MediaSource> src(new MediaSource());
    src->path_ = path;
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) {
        err = KV_ERR_NO_MEMORY;
        return nullptr;
    }
    raw->interrupt_callback = {&MediaSource::interruptCb, src.get()};
    raw->probesize = limits.probeBytes;
    raw->max_analyze_duration = limits.analyzeUs;
    // avformat_open_input frees the context itself when it fails.
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        err = KV_ERR_OPEN;
        return nullptr;
    }
    src->fmt_.reset(raw);
    err = src->init(limits);
    return err == KV_OK ? std::move(src) : nullptr;
}

std::unique_ptr<MediaSource> MediaSource::openIo(AVIOContext* pb, const OpenLimits& limits, int& err)
{
    std::unique_ptr<MediaSource> src(new MediaSource());
    src->deadlineUs_ = limits.deadlineUs;
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) {
        err = KV_ERR_NO_MEMORY;
        return nullptr;
    }
    raw->pb = pb;
    raw->flags |= AVFMT_FLAG_CUSTOM_IO;
    raw->interrupt_callback = {&MediaSource::interruptCb, src.get()};
    raw->probesize = limits.probeBytes;
    raw->max_analyze_duration = limits.analyzeUs;
    if (avformat_open_input(&raw, nullptr, nullptr, nullptr) < 0) {
        err = KV_ERR_OPEN;
        return nullptr;
    }
    src->fmt_.reset(raw);
    err = src->init(limits);
    return err == KV_OK ? std::move(src) : nullptr;
}

int MediaSource::interruptCb(void* opaque)
{
    const auto* self = static_cast<const MediaSource*>(opaque);
    if (self->abort_.load())
        return 1;
    return self->deadlineUs_ > 0 && av_gettime_relative() > self->deadlineUs_ ? 1 : 0;
}

int MediaSource::init(const OpenLimits& limits)
{
    AVFormatContext* fmt = fmt_.get();
    if (avformat_find_stream_info(fmt, nullptr) < 0)
        return KV_ERR_OPEN;
    const int err = pickStreams(limits);
    if (err != KV_OK)
        return err;
    // The first picture is the recording's start; audio may begin a little earlier.
    const AVStream* main = video_ >= 0 ? fmt->streams[video_] : fmt->streams[audio_];
    if (main->start_time != AV_NOPTS_VALUE)
        streamStartUs_ = toUs(main->start_time, main->time_base);
    else if (fmt->start_time != AV_NOPTS_VALUE)
        streamStartUs_ = fmt->start_time;
    raw_ = (fmt->iformat->flags & AVFMT_NOTIMESTAMPS) != 0 ||
           (fmt->nb_streams == 1 && (fmt->duration == AV_NOPTS_VALUE || fmt->duration <= 0));
    mends_ = !raw_ && (fmt->iformat->flags & AVFMT_TS_DISCONT) != 0;
    if (video_ >= 0) {
        width_ = fmt->streams[video_]->codecpar->width;
        height_ = fmt->streams[video_]->codecpar->height;
        frameUs_ = probeFrameDuration();
    }
    preread(limits);
    computeTimes();
    return KV_OK;
}

int MediaSource::pickStreams(const OpenLimits& limits)
{
    AVFormatContext* fmt = fmt_.get();
    const int v = av_find_best_stream(fmt, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (v >= 0) {
        const AVCodecParameters* par = fmt->streams[v]->codecpar;
        const bool sized = av_image_check_size2(static_cast<unsigned>(par->width),
                                                static_cast<unsigned>(par->height),
                                                limits.maxPixels, AV_PIX_FMT_NONE, 0, nullptr) == 0;
        const bool isPicture = (fmt->streams[v]->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
        if (sized && !isPicture && avcodec_find_decoder(par->codec_id))
            video_ = v;
    }
    const int a = av_find_best_stream(fmt, AVMEDIA_TYPE_AUDIO, -1, video_, nullptr, 0);
    if (a >= 0 && avcodec_find_decoder(fmt->streams[a]->codecpar->codec_id))
        audio_ = a;
    if (video_ < 0 && audio_ < 0)
        return KV_ERR_OPEN;
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        const int idx = static_cast<int>(i);
        fmt->streams[i]->discard = (idx == video_ || idx == audio_) ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    return KV_OK;
}

void MediaSource::preread(const OpenLimits& limits)
{
    AVFormatContext* fmt = fmt_.get();
    const int main = video_ >= 0 ? video_ : audio_;
    const AVRational tb = fmt->streams[main]->time_base;
    int64_t firstTs = AV_NOPTS_VALUE;
    int64_t lastTs = AV_NOPTS_VALUE;
    int mainPackets = 0;
    while (static_cast<int>(preread_.size()) < kPrereadMaxPackets) {
        if (!raw_ && static_cast<int>(preread_.size()) >= kPrereadPackets)
            break;
        if (raw_ && (prereadBytes_ >= limits.estimateBytes || prereadSpanUs_ >= limits.estimateUs))
            break;
        PacketPtr pkt = makePacket();
        if (!pkt || av_read_frame(fmt, pkt.get()) < 0)
            break;
        if (pkt->stream_index == main) {
            const int64_t ts = pkt->dts != AV_NOPTS_VALUE ? pkt->dts : pkt->pts;
            if (ts != AV_NOPTS_VALUE) {
                if (firstTs == AV_NOPTS_VALUE)
                    firstTs = ts;
                lastTs = ts;
            }
            ++mainPackets;
            if (wallclockStart_ == 0)
                wallclockStart_ = streamStampTime(*pkt, tb, streamStartUs_);
        }
        prereadBytes_ += pkt->size;
        if (video_ >= 0 && raw_) // raw streams often carry no timestamps: count frames
            prereadSpanUs_ = mainPackets * frameDurationUs();
        else if (firstTs != AV_NOPTS_VALUE && lastTs != AV_NOPTS_VALUE)
            prereadSpanUs_ = toUs(lastTs - firstTs, tb);
        preread_.push_back(std::move(pkt));
    }
}

void MediaSource::computeTimes()
{
    AVFormatContext* fmt = fmt_.get();
    int64_t duration = 0;
    if (!raw_) {
        // The demuxer measures from the first timestamp to the last, which
        // a reset in between makes meaningless.
        duration = fmt->duration;
        estimated_.store(mends_);
    } else {
        const int64_t size = fmt->pb ? avio_size(fmt->pb) : -1;
        if (size > 0 && prereadBytes_ > 0 && prereadSpanUs_ > 0) {
            duration = av_rescale(size, prereadSpanUs_, prereadBytes_);
            estimated_.store(prereadBytes_ < size);
            if (prereadBytes_ >= size)
                duration = prereadSpanUs_;
        }
    }
    durationUs_.store(duration > 0 ? duration : 0);
    int64_t metaTime = parseTagTime(fmt->metadata);
    if (metaTime == 0 && video_ >= 0)
        metaTime = parseTagTime(fmt->streams[video_]->metadata);
    if (metaTime == 0 && audio_ >= 0)
        metaTime = parseTagTime(fmt->streams[audio_]->metadata);
    const RecordingTime start = recordingStart(metaTime, wallclockStart_, path_, durationUs_.load());
    startTime_ = start.us;
    startSource_ = start.source;
}

void MediaSource::setExactDuration(int64_t us)
{
    if (us <= 0)
        return;
    durationUs_.store(us);
    estimated_.store(false);
}

AVStream* MediaSource::videoStream() const { return video_ >= 0 ? fmt_->streams[video_] : nullptr; }
AVStream* MediaSource::audioStream() const { return audio_ >= 0 ? fmt_->streams[audio_] : nullptr; }

int64_t MediaSource::probeFrameDuration() const
{
    const AVStream* st = videoStream();
    if (st) {
        AVRational rate = st->avg_frame_rate;
        if (rate.num <= 0 || rate.den <= 0)
            rate = st->r_frame_rate;
        if (rate.num > 0 && rate.den > 0) {
            const int64_t us = av_rescale(1'000'000, rate.den, rate.num);
            if (us >= 1000 && us <= 1'000'000)
                return us;
        }
    }
    return 40'000;
}

std::deque<PacketPtr> MediaSource::takePreread()
{
    std::deque<PacketPtr> out;
    out.swap(preread_);
    return out;
}

} // namespace kvplay
