// Video decoder thread: packets in, pictures with stream times out. Discards
// the pictures before an exact seek target, keeping the one at or just
// before it. Leaves out unreferenced pictures while the renderer says the
// pictures come too late, and everything up to the next keyframe while
// the renderer says they come far too late. Interlaced pictures leave it
// deinterlaced.
#pragma once

#include "Control.h"
#include "Deinterlacer.h"
#include "FrameRing.h"
#include "MediaSource.h"
#include "PacketQueue.h"
#include "VideoCodec.h"

#include <atomic>
#include <memory>
#include <vector>

namespace kvplay {

class VideoDecoder {
public:
    // smallTarget: set by the renderer while the picture is shown at half its
    // size or less; the loop filter is then skipped, which no one can see.
    VideoDecoder(const MediaSource& source, Control& control, PacketQueue& packets, FrameRing& ring,
                 const std::atomic<bool>& smallTarget);
    // Opens the codec, in hardware while the library's slots allow; false
    // when there is no decoder for the stream.
    bool open();
    void run();
    // Packets left out to reach a keyframe, since the start.
    uint64_t droppedPackets() const { return dropped_.load(); }

private:
    // True when pkt is left out: the renderer asked to resume at the next keyframe.
    bool dropToKeyframe(const AVPacket* pkt);
    void startSerial(int serial);
    bool decode(const AVPacket* pkt);
    // Deinterlaces where the picture says so, then emits what is ready.
    bool deliver(FramePtr frame);
    bool emitReady();
    bool emit(FramePtr frame);
    bool flushPending();

    const MediaSource& source_;
    Control& control_;
    PacketQueue& packets_;
    FrameRing& ring_;
    VideoCodec codec_;
    AVRational timeBase_{1, 1};
    int64_t frameUs_ = 40'000;
    int serial_ = -1;
    int64_t target_ = -1;
    int64_t nextPts_ = 0;
    DecodedFrame pending_;
    std::unique_ptr<Deinterlacer> deinterlacer_;
    std::vector<FramePtr> ready_;
    std::vector<PacketPtr> skipped_; // left out since the renderer asked for the next keyframe
    const std::atomic<bool>& smallTarget_;
    std::atomic<uint64_t> dropped_{0};
};

} // namespace kvplay
