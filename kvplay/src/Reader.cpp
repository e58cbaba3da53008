#include "Reader.h"

#include "ThreadTag.h"

#include <algorithm>
#include <chrono>

namespace kvplay {

namespace {
constexpr int kMaxRetries = 50; // EAGAIN from a growing or slow file
constexpr std::chrono::milliseconds kRetryWait{10};
} // namespace

Reader::Reader(MediaSource& source, Control& control, PacketQueue& video, PacketQueue* audio,
               std::shared_ptr<KeyframeIndex> index)
    : source_(source), control_(control), video_(video), audio_(audio),
      demuxer_(source, std::move(index), &control.abortFlag())
{
}

void Reader::run()
{
    ThreadTag tag;
    int serial = control_.serial();
    int retries = 0;
    while (!control_.aborted()) {
        SeekRequest req;
        if (control_.takeSeek(req)) {
            serial = req.serial;
            lastUs_ = 0;
            demuxer_.seek(req.targetUs);
        }
        PacketPtr pkt;
        const int rc = demuxer_.read(pkt);
        if (rc == AVERROR(EAGAIN) && ++retries < kMaxRetries) {
            // Nothing signals that more input came; a seek or the abort does
            // end the wait at once.
            control_.sleepUntil(std::chrono::steady_clock::now() + kRetryWait,
                                [&] { return control_.serial() != serial; });
            continue;
        }
        if (rc < 0) {
            // End, truncation, a vanished file: all end playback the same way.
            endOfInput(serial);
            control_.waitForSeek();
            continue;
        }
        retries = 0;
        if (!route(std::move(pkt), serial))
            break;
    }
}

bool Reader::route(PacketPtr pkt, int serial)
{
    const int64_t us = demuxer_.packetUs(*pkt);
    if (us != AV_NOPTS_VALUE) {
        const AVRational tb = source_.format()->streams[pkt->stream_index]->time_base;
        lastUs_ = std::max(lastUs_, us + av_rescale_q(pkt->duration, tb, AVRational{1, 1'000'000}));
    }
    if (pkt->stream_index == source_.videoIndex()) {
        if (control_.keyframesOnly() && !(pkt->flags & AV_PKT_FLAG_KEY))
            return true;
        return video_.push(std::move(pkt), serial) || !control_.aborted();
    }
    if (pkt->stream_index == source_.audioIndex() && audio_ && audioWanted_.load())
        return audio_->push(std::move(pkt), serial) || !control_.aborted();
    return true;
}

void Reader::endOfInput(int serial)
{
    control_.setEnded(serial, lastUs_);
    if (source_.videoIndex() >= 0)
        video_.push(nullptr, serial);
    if (audio_ && audioWanted_.load())
        audio_->push(nullptr, serial);
}

} // namespace kvplay
