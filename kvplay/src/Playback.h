// The running pipeline of one instance: reader, video decoder, renderer and,
// while sound is open, audio. Built by start and torn down by the destructor
// in the order abort, wake, stop audio, join, free.
#pragma once

#include "AudioPlayer.h"
#include "Callbacks.h"
#include "Control.h"
#include "FrameRing.h"
#include "MediaSource.h"
#include "PacketQueue.h"
#include "PlayClock.h"
#include "Reader.h"
#include "Renderer.h"
#include "VideoDecoder.h"

#include <memory>
#include <thread>

namespace kvplay {

class Playback {
public:
    // rewind: the file was read before, so start with a seek to its start.
    // clock: the instance's, which outlives the pipeline and may follow a
    // sync master.
    Playback(uint32_t handle, MediaSource& source, Callbacks& callbacks, PlayClock& clock, bool rewind,
             std::shared_ptr<KeyframeIndex> index);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // False when the video decoder cannot be opened.
    bool start(int mode, const ViewSettings& view);
    void setMode(int mode);
    void seek(int64_t targetUs, bool exact);
    // Relative stream time on screen, -1 when none.
    int64_t position() const;
    Renderer& renderer() { return *renderer_; }
    // Opens or closes the sound device of this instance and sets its level.
    void setSound(bool open, int volume, bool mute);
    // Pauses on a picture made elsewhere (a step back), at ptsUs, until a
    // seek or a step shows decoded pictures again.
    void showStill(FramePtr picture, int64_t ptsUs, const ViewSettings& view);
    bool stillShown() const { return renderer_->stillShown(); }
    // The first picture after the last start or seek is on screen.
    bool settled() const { return renderer_->shownSerial() == control_.serial(); }
    // Waits up to wait for settled(); true when it is.
    bool waitSettled(std::chrono::milliseconds wait) { return renderer_->waitShown(control_.serial(), wait); }

private:
    void stop();
    void updateAudioRouting();

    MediaSource& source_;
    Control control_;
    PacketQueue videoPackets_;
    PacketQueue audioPackets_;
    FrameRing ring_;
    PlayClock& clock_;
    std::atomic<bool> smallTarget_{false};
    std::unique_ptr<Reader> reader_;
    std::unique_ptr<VideoDecoder> decoder_;
    std::unique_ptr<Renderer> renderer_;
    std::unique_ptr<AudioPlayer> audio_;
    std::thread readerThread_;
    std::thread decoderThread_;
    std::thread rendererThread_;
    int mode_ = 1;
};

} // namespace kvplay
