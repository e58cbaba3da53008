// Sound of one instance: a decoder thread that converts audio to 16-bit
// samples and paces them by the play clock, and an SDL device whose callback
// only copies from a lock-free ring and reads atomics. Exists only while the
// instance has sound open, so only such instances hold a device.
#pragma once

#include "ByteRing.h"
#include "Control.h"
#include "MediaSource.h"
#include "PacketQueue.h"
#include "PlayClock.h"

#include <SDL.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

struct SwrContext;

namespace kvplay {

struct SwrFreer {
    void operator()(SwrContext* ctx) const noexcept;
};

class AudioPlayer {
public:
    AudioPlayer(const MediaSource& source, Control& control, PacketQueue& packets, PlayClock& clock);
    ~AudioPlayer();
    AudioPlayer(const AudioPlayer&) = delete;
    AudioPlayer& operator=(const AudioPlayer&) = delete;

    // False when there is no decoder; a missing sound device is not a failure:
    // the samples are then decoded and dropped at the clock's pace.
    bool start();
    void setVolume(int volume) { volume_.store(volume); }
    void setMute(bool on) { mute_.store(on); }
    // Whether samples may be heard now (normal speed, playing).
    void setAudible(bool on) { audible_.store(on); }
    bool hasDevice() const { return device_ != 0; }

private:
    void run();
    bool openDevice();
    bool ensureResampler(const AVFrame& frame);
    void play(const AVFrame& frame, int serial);
    // Waits until the samples of ptsUs are due; false when they are late or stale.
    bool pace(int64_t ptsUs, int serial);
    void output(const uint8_t* data, size_t size, int serial);
    static void SDLCALL fill(void* user, Uint8* stream, int len);

    const MediaSource& source_;
    Control& control_;
    PacketQueue& packets_;
    PlayClock& clock_;
    CodecPtr codec_;
    std::unique_ptr<SwrContext, SwrFreer> swr_;
    ByteRing ring_;
    std::vector<uint8_t> samples_; // decoder thread only
    SDL_AudioDeviceID device_ = 0;
    bool sdlInit_ = false;
    int rate_ = 8000;
    int channels_ = 1;
    std::atomic<int> volume_{100};
    std::atomic<bool> mute_{false};
    std::atomic<bool> audible_{true};
    std::atomic<bool> stop_{false};
    std::atomic<bool> drain_{false};
    std::thread thread_;
};

} // namespace kvplay
