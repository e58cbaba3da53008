#include "IndexBuilder.h"

#include "Demuxer.h"
#include "ThreadTag.h"
#include "kvplay.h"

#include <algorithm>

namespace kvplay {

namespace {
constexpr AVRational kMicro{1, 1'000'000};
// Keyframes closer than this add little to seeking and much to the index
// (every packet of a stream without pictures is one).
constexpr int64_t kEntrySpacingUs = 500'000;
} // namespace

IndexBuilder::IndexBuilder(MediaSource& source)
    : source_(source), index_(std::make_shared<KeyframeIndex>())
{
    thread_ = std::thread([this] { run(); });
}

IndexBuilder::~IndexBuilder()
{
    abort_.store(true);
    if (thread_.joinable())
        thread_.join();
}

int IndexBuilder::interruptCb(void* opaque)
{
    return static_cast<IndexBuilder*>(opaque)->abort_.load() ? 1 : 0;
}

void IndexBuilder::run()
{
    ThreadTag tag;
    if (source_.mendsTime()) {
        int64_t endUs = 0;
        int resets = 0;
        // Without a reset the demuxer's own measure stands, so that files
        // that never reset keep the length they always had.
        if (scanTimed(endUs, resets))
            source_.setExactDuration(resets > 0 || source_.durationUs() <= 0 ? endUs : source_.durationUs());
        index_->finish(0);
        return;
    }
    int64_t frames = 0;
    const bool whole = scan(frames);
    // The exact duration first, so that whoever the finished index wakes
    // reads it; complete either way: waits for the index must not last forever.
    if (whole)
        source_.setExactDuration(frames * source_.frameDurationUs());
    index_->finish(frames);
}

bool IndexBuilder::scan(int64_t& frames)
{
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw)
        return false;
    raw->interrupt_callback = {&IndexBuilder::interruptCb, this};
    // The playing context already probed the file: skip probing and stream analysis.
    const AVInputFormat* format = source_.format()->iformat;
    if (avformat_open_input(&raw, source_.path().c_str(), format, nullptr) < 0)
        return false;
    FormatPtr fmt(raw);
    PacketPtr pkt = makePacket();
    if (fmt->nb_streams == 0 || !pkt)
        return false;
    while (!abort_.load()) {
        const int rc = av_read_frame(fmt.get(), pkt.get());
        if (rc < 0)
            return rc == AVERROR_EOF;
        if (pkt->stream_index == 0) {
            if ((pkt->flags & AV_PKT_FLAG_KEY) && pkt->pos >= 0)
                index_->add({frames, pkt->pos, 0, {}});
            ++frames;
        }
        av_packet_unref(pkt.get());
    }
    return false;
}

bool IndexBuilder::scanTimed(int64_t& endUs, int& resets)
{
    int err = KV_OK;
    auto src = MediaSource::openFile(source_.path(), OpenLimits{}, err);
    if (!src)
        return false;
    // The same reading as playback's, so that the timeline is the same.
    Demuxer demux(*src, nullptr, &abort_);
    const int main = demux.mainStream();
    int64_t packets = 0;
    int64_t lastEntryUs = AV_NOPTS_VALUE;
    int64_t reached = 0;
    PacketPtr pkt;
    while (!abort_.load()) {
        const int rc = demux.read(pkt);
        if (rc < 0) {
            resets = demux.resets();
            return rc == AVERROR_EOF;
        }
        const int64_t us = demux.packetUs(*pkt);
        if (us == AV_NOPTS_VALUE)
            continue;
        const AVRational tb = src->format()->streams[pkt->stream_index]->time_base;
        endUs = std::max(endUs, us + av_rescale_q(pkt->duration, tb, kMicro));
        if (pkt->stream_index != main)
            continue;
        const bool spaced = lastEntryUs == AV_NOPTS_VALUE || us >= lastEntryUs + kEntrySpacingUs;
        if ((pkt->flags & AV_PKT_FLAG_KEY) && pkt->pos >= 0 && spaced) {
            index_->add({packets, pkt->pos, us, demux.tracks()});
            lastEntryUs = us;
        }
        ++packets;
        reached = std::max(reached, us);
        index_->reach(reached);
    }
    return false;
}

} // namespace kvplay
