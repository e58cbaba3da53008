#include "Playback.h"

#include "PlayModes.h"
#include "kvplay.h"

namespace kvplay {

namespace {
constexpr size_t kVideoPackets = 256;
constexpr int64_t kVideoBytes = 16 << 20;
constexpr size_t kAudioPackets = 512;
constexpr int64_t kAudioBytes = 2 << 20;
constexpr size_t kRingFrames = 4;
} // namespace

Playback::Playback(uint32_t handle, MediaSource& source, Callbacks& callbacks, PlayClock& clock, bool rewind,
                   std::shared_ptr<KeyframeIndex> index)
    : source_(source), videoPackets_(kVideoPackets, kVideoBytes),
      audioPackets_(kAudioPackets, kAudioBytes), ring_(kRingFrames), clock_(clock)
{
    reader_ = std::make_unique<Reader>(source, control_, videoPackets_, &audioPackets_, std::move(index));
    decoder_ = std::make_unique<VideoDecoder>(source, control_, videoPackets_, ring_, smallTarget_);
    renderer_ = std::make_unique<Renderer>(handle, control_, ring_, clock_, callbacks, source.startTime(),
                                           source.videoIndex() >= 0, source.frameDurationUs(), smallTarget_);
    if (rewind)
        control_.requestSeek(0, false);
}

Playback::~Playback() { stop(); }

bool Playback::start(int mode, const ViewSettings& view)
{
    if (source_.videoIndex() >= 0 && !decoder_->open())
        return false;
    renderer_->setView(view);
    renderer_->requestImage();
    clock_.set(0);
    setMode(mode);
    source_.abort(false);
    readerThread_ = std::thread([this] { reader_->run(); });
    if (source_.videoIndex() >= 0)
        decoderThread_ = std::thread([this] { decoder_->run(); });
    rendererThread_ = std::thread([this] { renderer_->run(); });
    return true;
}

void Playback::stop()
{
    control_.abort();
    source_.abort(true);
    videoPackets_.abort();
    audioPackets_.abort();
    ring_.abort();
    audio_.reset();
    for (std::thread* t : {&readerThread_, &decoderThread_, &rendererThread_}) {
        if (t->joinable())
            t->join();
    }
}

void Playback::setMode(int mode)
{
    const bool wasKeyOnly = control_.keyframesOnly();
    if (mode == KV_MODE_PAUSE || mode == KV_MODE_STEP) {
        control_.setPaused(true);
        mode_ = KV_MODE_PAUSE;
        updateAudioRouting();
        clock_.setPaused(true);
        if (mode == KV_MODE_STEP)
            control_.requestStep();
    } else {
        const Speed s = speedOf(mode);
        control_.cancelSteps();
        clock_.setSpeed(s.num, s.den);
        control_.setKeyframesOnly(keyframesOnly(mode));
        control_.setPaused(false);
        clock_.setPaused(false);
        mode_ = mode;
        updateAudioRouting();
        // Pictures decoded from keyframes alone leave the decoder without
        // references; an exact seek rebuilds them at the current position.
        const int64_t pos = position();
        if (wasKeyOnly && !control_.keyframesOnly() && pos >= 0)
            seek(pos, true);
    }
    ring_.wake();
}

void Playback::seek(int64_t targetUs, bool exact)
{
    // Emptied before the new serial exists: the reader may already fill the
    // queues for the new serial the moment it does.
    videoPackets_.clear();
    audioPackets_.clear();
    control_.requestSeek(targetUs, exact);
    renderer_->requestImage();
    // The renderer sets the clock again from the first picture at the target;
    // until then the sound, and any instance in sync with this one, already
    // run from the target instead of the old position.
    clock_.set(targetUs);
    ring_.wake();
}

void Playback::setSound(bool open, int volume, bool mute)
{
    control_.setPriority(open);
    if (open && !audio_ && source_.audioIndex() >= 0) {
        audioPackets_.reset();
        audio_ = std::make_unique<AudioPlayer>(source_, control_, audioPackets_, clock_);
        if (!audio_->start())
            audio_.reset();
    } else if (!open && audio_) {
        reader_->setAudioWanted(false);
        audioPackets_.abort();
        audio_.reset();
    }
    if (audio_) {
        audio_->setVolume(volume);
        audio_->setMute(mute);
    }
    updateAudioRouting();
}

void Playback::updateAudioRouting()
{
    const bool audible = audio_ && mode_ == KV_MODE_PLAY;
    reader_->setAudioWanted(audible);
    if (audio_)
        audio_->setAudible(audible);
}

void Playback::showStill(FramePtr picture, int64_t ptsUs, const ViewSettings& view)
{
    // A step still pending would replace the still with the decoder's next picture.
    control_.cancelSteps();
    setMode(KV_MODE_PAUSE);
    renderer_->showStill(std::move(picture), ptsUs, view);
    clock_.set(ptsUs);
}

int64_t Playback::position() const { return renderer_->shownPts(); }

} // namespace kvplay
