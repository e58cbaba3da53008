#include "IndexBuilder.h"

#include "ThreadTag.h"

namespace kvplay {

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
                index_->add({frames, pkt->pos});
            ++frames;
        }
        av_packet_unref(pkt.get());
    }
    return false;
}

} // namespace kvplay
