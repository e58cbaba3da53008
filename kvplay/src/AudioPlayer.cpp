#include "AudioPlayer.h"

#include "Codecs.h"
#include "Library.h"
#include "ThreadTag.h"

#include <algorithm>
#include <chrono>

extern "C" {
#include <libswresample/swresample.h>
}

namespace kvplay {

namespace {
using namespace std::chrono_literals;
constexpr AVRational kMicro{1, 1'000'000};
constexpr size_t kRingBytes = 1 << 16;
constexpr int64_t kLeadUs = 150'000; // samples go to the device this far ahead of the clock
constexpr int64_t kLateUs = 100'000; // older samples are dropped
constexpr Uint16 kDeviceSamples = 512;
// A change of speed or a follower's clock moves the time samples are due
// without waking the sleeper; it looks again after this long at the most.
constexpr auto kMaxSleep = 50ms;
} // namespace

void SwrFreer::operator()(SwrContext* ctx) const noexcept { swr_free(&ctx); }

AudioPlayer::AudioPlayer(const MediaSource& source, Control& control, PacketQueue& packets, PlayClock& clock)
    : source_(source), control_(control), packets_(packets), clock_(clock), ring_(kRingBytes)
{
}

AudioPlayer::~AudioPlayer()
{
    stop_.store(true);
    control_.wake();
    {
        std::lock_guard lock(Library::get().audioMutex());
        if (device_) {
            SDL_PauseAudioDevice(device_, 1);
            SDL_CloseAudioDevice(device_);
        }
        if (sdlInit_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (thread_.joinable())
        thread_.join();
}

bool AudioPlayer::start()
{
    const AVStream* st = source_.audioStream();
    if (!st || st->codecpar->sample_rate <= 0)
        return false;
    codec_ = openDecoder(*st, 1, 0);
    if (!codec_)
        return false;
    rate_ = st->codecpar->sample_rate;
    channels_ = st->codecpar->ch_layout.nb_channels >= 2 ? 2 : 1;
    openDevice();
    thread_ = std::thread([this] { run(); });
    return true;
}

bool AudioPlayer::openDevice()
{
    std::lock_guard lock(Library::get().audioMutex());
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    sdlInit_ = true;
    SDL_AudioSpec want{};
    want.freq = rate_;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(channels_);
    want.samples = kDeviceSamples;
    want.callback = &AudioPlayer::fill;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0)
        return false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void AudioPlayer::run()
{
    ThreadTag tag;
    int serial = -1;
    FramePtr frame = makeFrame();
    QueuedPacket qp;
    while (frame && !stop_.load() && packets_.pop(qp)) {
        if (qp.serial != control_.serial() || !qp.packet)
            continue;
        if (qp.serial != serial) {
            avcodec_flush_buffers(codec_.get());
            serial = qp.serial;
            drain_.store(true);
        }
        if (avcodec_send_packet(codec_.get(), qp.packet.get()) < 0)
            continue;
        while (!stop_.load() && avcodec_receive_frame(codec_.get(), frame.get()) == 0) {
            if (!ensureResampler(*frame))
                return;
            play(*frame, serial);
        }
    }
}

bool AudioPlayer::ensureResampler(const AVFrame& frame)
{
    if (swr_)
        return true;
    AVChannelLayout out{};
    av_channel_layout_default(&out, channels_);
    // This FFmpeg takes the input layout by non-const pointer.
    AVChannelLayout in{};
    if (av_channel_layout_copy(&in, &frame.ch_layout) < 0 || in.nb_channels <= 0)
        av_channel_layout_default(&in, frame.ch_layout.nb_channels > 0 ? frame.ch_layout.nb_channels : 1);
    SwrContext* raw = nullptr;
    const int rc = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, rate_, &in,
                                       static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&out);
    av_channel_layout_uninit(&in);
    if (rc < 0)
        return false;
    swr_.reset(raw);
    return swr_init(raw) >= 0;
}

void AudioPlayer::play(const AVFrame& frame, int serial)
{
    const int64_t ts = frame.best_effort_timestamp;
    const int64_t pts = ts == AV_NOPTS_VALUE
                            ? clock_.now()
                            : av_rescale_q(ts, codec_->pkt_timebase, kMicro) - source_.streamStartUs();
    const int maxOut = swr_get_out_samples(swr_.get(), frame.nb_samples);
    if (maxOut <= 0)
        return;
    samples_.resize(static_cast<size_t>(maxOut) * static_cast<size_t>(channels_) * 2);
    uint8_t* out[1] = {samples_.data()};
    const int got = swr_convert(swr_.get(), out, maxOut, const_cast<const uint8_t**>(frame.extended_data),
                                frame.nb_samples);
    if (got > 0 && pace(pts, serial))
        output(samples_.data(), static_cast<size_t>(got) * static_cast<size_t>(channels_) * 2, serial);
}

bool AudioPlayer::pace(int64_t ptsUs, int serial)
{
    while (!stop_.load() && control_.serial() == serial) {
        const int64_t now = clock_.now();
        if (ptsUs < now - kLateUs)
            return false;
        if (ptsUs <= now + kLeadUs)
            return true;
        const bool paused = control_.paused();
        const auto latest = std::chrono::steady_clock::now() + kMaxSleep;
        control_.sleepUntil(std::min(clock_.wallFor(ptsUs - kLeadUs), latest), [&] {
            return stop_.load() || control_.serial() != serial || control_.paused() != paused;
        });
    }
    return false;
}

void AudioPlayer::output(const uint8_t* data, size_t size, int serial)
{
    if (!device_)
        return;
    while (size > 0 && !stop_.load() && control_.serial() == serial) {
        const size_t n = ring_.write(data, size);
        data += n;
        size -= n;
        if (size == 0)
            break;
        // The device reads the ring at its sample rate: sleep about as long
        // as it takes to make room for the rest.
        const auto room = std::chrono::microseconds(static_cast<int64_t>(size) * 1'000'000 / (rate_ * channels_ * 2));
        const auto wait = std::min<std::chrono::steady_clock::duration>(room, kMaxSleep);
        control_.sleepUntil(std::chrono::steady_clock::now() + wait,
                            [&] { return stop_.load() || control_.serial() != serial; });
    }
}

void SDLCALL AudioPlayer::fill(void* user, Uint8* stream, int len)
{
    auto* self = static_cast<AudioPlayer*>(user);
    const auto size = static_cast<size_t>(len);
    if (self->drain_.exchange(false))
        self->ring_.drain();
    size_t got = 0;
    if (self->audible_.load() && !self->control_.paused())
        got = self->ring_.read(stream, size);
    else
        self->ring_.drain();
    std::memset(stream + got, 0, size - got);
    const int volume = self->mute_.load() ? 0 : self->volume_.load();
    if (volume >= 100)
        return;
    auto* samples = reinterpret_cast<int16_t*>(stream);
    for (size_t i = 0; i < got / 2; ++i)
        samples[i] = static_cast<int16_t>(samples[i] * volume / 100);
}

} // namespace kvplay
