// Decodes stretches of one file on the caller's thread, with a source,
// demuxer and decoder of its own, so that stepping back never disturbs the
// playing pipeline.
#pragma once

#include "AvPtr.h"
#include "Demuxer.h"
#include "KeyframeIndex.h"
#include "MediaSource.h"
#include "StepBackPlan.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace kvplay {

class SpanDecoder {
public:
    // Receives each picture of the stretch in presentation order with its
    // time (relative us); returns false to stop.
    using Sink = std::function<bool(int64_t ptsUs, const AVFrame& frame)>;

    // cancel, read during every call, makes it return early.
    SpanDecoder(const std::string& path, std::shared_ptr<KeyframeIndex> index, const std::atomic<bool>& cancel);
    bool ok() const { return codec_ != nullptr; }

    // The pictures from the keyframe at or before span.seekUs up to and
    // including the first at or after span.limitUs (or the file's end).
    // Pictures that show before the keyframe belong to the stretch before
    // and are left out. False when nothing could be decoded, or on cancel.
    bool decode(const Span& span, const Sink& sink);

private:
    // Hands the pictures the decoder has ready to the sink; false once the
    // stretch is complete, the sink stopped or the call was cancelled.
    bool drain(int64_t keyUs, int64_t limitUs, const Sink& sink, bool& delivered);

    const std::atomic<bool>& cancel_;
    std::unique_ptr<MediaSource> source_;
    std::unique_ptr<Demuxer> demux_;
    CodecPtr codec_;
    AVRational timeBase_{1, 1};
    int64_t frameUs_ = 40'000;
    int64_t nextPts_ = 0;
};

} // namespace kvplay
