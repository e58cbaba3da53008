// Reads packets of a MediaSource and seeks it to a keyframe at or before a
// time. Raw streams get timestamps from frame counting, positioned through a
// KeyframeIndex; containers whose timestamps may reset get them mended onto
// a continuous timeline, positioned through an index of that timeline when
// there is one. Used by the reader thread, the clip writer and the index pass.
#pragma once

#include "KeyframeIndex.h"
#include "MediaSource.h"
#include "TimestampMender.h"

#include <atomic>
#include <deque>
#include <memory>

namespace kvplay {

class Demuxer {
public:
    // Packets read while opening come first. abort may be null.
    Demuxer(MediaSource& source, std::shared_ptr<KeyframeIndex> index, const std::atomic<bool>* abort);

    // 0 or a negative AVERROR code.
    int read(PacketPtr& out);
    // Positions the input so that the next read returns a keyframe at or
    // before the target (relative us). False when no keyframe was found.
    bool seek(int64_t targetUs);
    // Relative us of a packet, AV_NOPTS_VALUE when it has no time.
    int64_t packetUs(const AVPacket& pkt) const;
    int mainStream() const;
    // The continuous timeline as far as read, and the resets met on the way.
    const TrackState& tracks() const { return mender_.state(); }
    int resets() const { return mender_.resets(); }

private:
    PacketPtr seekTimed(int64_t targetUs);
    PacketPtr seekRaw(int64_t targetUs);
    PacketPtr seekIndexed(int64_t targetUs);
    bool seekTo(int64_t targetUs);
    PacketPtr firstKeyframe();
    void stampRaw(AVPacket& pkt);
    void mend(AVPacket& pkt);
    bool aborted() const { return abort_ && abort_->load(); }

    MediaSource& source_;
    std::shared_ptr<KeyframeIndex> index_;
    const std::atomic<bool>* abort_;
    TimestampMender mender_;
    std::deque<PacketPtr> pending_; // times already mended
    int64_t rawFrame_ = 0;
};

} // namespace kvplay
