// Reader thread: demuxes the file into the video and audio packet queues and
// performs seeks. It is the only thread that touches the demuxer while playing.
#pragma once

#include "Control.h"
#include "Demuxer.h"
#include "PacketQueue.h"

#include <atomic>
#include <memory>

namespace kvplay {

class Reader {
public:
    // index: for raw streams, which get their timestamps from frame counting.
    Reader(MediaSource& source, Control& control, PacketQueue& video, PacketQueue* audio,
           std::shared_ptr<KeyframeIndex> index);
    void run();
    // Audio packets are queued only while sound is wanted.
    void setAudioWanted(bool on) { audioWanted_.store(on); }

private:
    // False when the reader must stop.
    bool route(PacketPtr pkt, int serial);
    void endOfInput(int serial);

    MediaSource& source_;
    Control& control_;
    PacketQueue& video_;
    PacketQueue* audio_;
    Demuxer demuxer_;
    std::atomic<bool> audioWanted_{false};
    int64_t lastUs_ = 0;
};

} // namespace kvplay
