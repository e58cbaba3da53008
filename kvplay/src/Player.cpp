#include "Player.h"

#include "FrameGrabber.h"
#include "Library.h"
#include "PlayModes.h"
#include "PngWriter.h"

#include <algorithm>
#include <cstring>

namespace kvplay {

namespace {
// Raw streams are positioned by frame number, and files whose timestamps
// may reset by their continuous timeline: both through an index pass.
bool wantsIndex(const MediaSource& source)
{
    return (source.isRaw() && source.videoIndex() >= 0) || source.mendsTime();
}
} // namespace

Player::Player(uint32_t handle, bool clockOnly)
    : handle_(handle), clockOnly_(clockOnly), clock_(std::make_shared<PlayClock>()),
      mode_(clockOnly ? KV_MODE_PAUSE : KV_MODE_PLAY)
{
}

Player::~Player() { destroy(); }

void Player::destroy()
{
    std::lock_guard lock(mutex_);
    destroyed_ = true;
    stopLocked();
    index_.reset();
    source_.reset();
}

int Player::open(const char* path)
{
    if (!path || !*path)
        return KV_ERR_PARAM;
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    if (source_ || clockOnly_)
        return KV_ERR_STATE;
    int err = KV_OK;
    source_ = MediaSource::openFile(path, OpenLimits{}, err);
    everPlayed_ = false;
    if (!source_)
        return err;
    clock_->setOrigin(source_->startTime());
    return KV_OK;
}

int Player::close()
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    if (!source_)
        return KV_ERR_STATE;
    stopLocked();
    index_.reset();
    source_.reset();
    return KV_OK;
}

int Player::start()
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    if (!source_)
        return KV_ERR_STATE;
    if (playback_)
        return KV_OK;
    if (wantsIndex(*source_) && !index_)
        index_ = std::make_unique<IndexBuilder>(*source_);
    auto pb = std::make_unique<Playback>(handle_, *source_, callbacks_, *clock_, everPlayed_,
                                         index_ ? index_->index() : nullptr);
    if (!pb->start(mode_, view_))
        return KV_ERR_NO_STREAM;
    everPlayed_ = true;
    pb->setSound(soundOpen_, volume_, mute_);
    playback_ = std::move(pb);
    return KV_OK;
}

int Player::stop()
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    return stopLocked();
}

int Player::stopLocked()
{
    if (clip_)
        discardClipOutput(clip_->clipPath);
    clip_.reset();
    stepper_.reset();
    if (!playback_)
        return source_ ? KV_OK : KV_ERR_STATE;
    playback_.reset();
    return KV_OK;
}

int Player::setMode(int code, int32_t param)
{
    if (!validMode(code))
        return KV_ERR_PARAM;
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    if (clockOnly_)
        return clockModeLocked(code, param);
    if (following())
        return KV_ERR_STATE;
    if (code == KV_MODE_STEP_BACK)
        return stepBackLocked();
    if (code == KV_MODE_STEP && stepFromStillLocked()) {
        mode_ = KV_MODE_PAUSE;
        return KV_OK;
    }
    if (code != KV_MODE_STEP && code != KV_MODE_PAUSE)
        leaveStillLocked();
    if (code != KV_MODE_STEP)
        mode_ = code;
    else
        mode_ = KV_MODE_PAUSE;
    if (playback_)
        playback_->setMode(code);
    return KV_OK;
}

int Player::lastMode()
{
    std::lock_guard lock(mutex_);
    return mode_;
}

int64_t Player::frameDurationUs()
{
    std::lock_guard lock(mutex_);
    return source_ ? source_->frameDurationUs() : 0;
}

void Player::applyGroupMode(int code)
{
    std::lock_guard lock(mutex_);
    if (destroyed_ || !validMode(code))
        return;
    // The master's steps move its clock, which this instance follows anyway;
    // a step back moves it too, and reaches this instance as a seek.
    mode_ = code == KV_MODE_STEP || code == KV_MODE_STEP_BACK ? KV_MODE_PAUSE : code;
    if (playback_)
        playback_->setMode(mode_);
}

void Player::alignTo(int64_t relUs)
{
    std::lock_guard lock(mutex_);
    if (!source_ || !playback_)
        return;
    const int64_t duration = source_->durationUs();
    int64_t rel = std::max<int64_t>(relUs, 0);
    if (duration > 0)
        rel = std::min(rel, duration);
    playback_->seek(rel, true);
}

int Player::mode()
{
    std::lock_guard lock(mutex_);
    if (clockOnly_)
        return mode_;
    if (!playback_)
        return KV_MODE_STOP;
    return mode_;
}

uint64_t Player::currentTime()
{
    std::lock_guard lock(mutex_);
    if (clockOnly_)
        return clockTimeLocked();
    if (!playback_ || !source_)
        return 0;
    const int64_t pos = playback_->position();
    if (pos < 0)
        return 0;
    return static_cast<uint64_t>(source_->startTime() + pos);
}

int Player::range(uint64_t* start, uint64_t* end)
{
    if (!start || !end)
        return KV_ERR_PARAM;
    std::lock_guard lock(mutex_);
    if (!source_)
        return KV_ERR_STATE;
    *start = static_cast<uint64_t>(source_->startTime());
    *end = static_cast<uint64_t>(source_->startTime() + source_->durationUs());
    return KV_OK;
}

int Player::exactRange(uint64_t* start, uint64_t* end, std::chrono::milliseconds wait)
{
    if (!start || !end)
        return KV_ERR_PARAM;
    std::shared_ptr<KeyframeIndex> index;
    {
        std::lock_guard lock(mutex_);
        if (!source_)
            return KV_ERR_STATE;
        if (source_->durationEstimated() && wantsIndex(*source_)) {
            if (!index_)
                index_ = std::make_unique<IndexBuilder>(*source_);
            index = index_->index();
        }
    }
    // Without the lock: a close from another thread ends the pass, which
    // completes the index and so ends the wait.
    const bool done = !index || index->waitComplete(wait);
    const int rc = range(start, end);
    if (rc != KV_OK)
        return rc;
    return done ? KV_OK : KV_ERR_TIMEOUT;
}

int Player::seek(uint64_t time, bool exact)
{
    std::lock_guard lock(mutex_);
    if (clockOnly_)
        return clockSeekLocked(time);
    if (!source_ || !playback_ || following())
        return KV_ERR_STATE;
    const int64_t start = source_->startTime();
    int64_t rel = static_cast<int64_t>(time) - start;
    const int64_t duration = source_->durationUs();
    if (rel < 0 || time == 0)
        rel = 0;
    if (duration > 0 && rel > duration)
        rel = duration;
    stepper_.reset();
    playback_->seek(rel, exact);
    return KV_OK;
}

int Player::setTarget(const KvRenderTarget* target)
{
    callbacks_.setTarget(target);
    return repaint(true) == KV_ERR_HANDLE ? KV_ERR_HANDLE : KV_OK;
}

int Player::setMessage(KvPlayMessageFn fn, void* context)
{
    callbacks_.setMessage(fn, context);
    return KV_OK;
}

int Player::setDraw(KvPlayDrawFn fn, void* user)
{
    callbacks_.setDraw(fn, user);
    return KV_OK;
}

int Player::setImageHooks(const KvPlayImageHooks* hooks)
{
    callbacks_.setImageHooks(hooks);
    std::lock_guard lock(mutex_);
    if (playback_ && hooks)
        playback_->renderer().requestImage();
    return KV_OK;
}

int Player::repaint(bool force)
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    if (!playback_)
        return KV_ERR_STATE;
    if (playback_->position() < 0)
        return KV_ERR_NO_FRAME;
    refreshStillLocked();
    playback_->renderer().requestRepaint(force);
    return KV_OK;
}

int Player::pictureSize(int32_t* width, int32_t* height)
{
    if (!width || !height)
        return KV_ERR_PARAM;
    std::lock_guard lock(mutex_);
    if (!source_)
        return KV_ERR_STATE;
    *width = source_->width();
    *height = source_->height();
    if (playback_) {
        bool full = true;
        FramePtr f = playback_->renderer().shownFrame(full);
        if (f) {
            *width = f->width;
            *height = f->height;
        }
    }
    return *width > 0 && *height > 0 ? KV_OK : KV_ERR_NO_STREAM;
}

int Player::setViewArea(int32_t left, int32_t right, int32_t top, int32_t bottom)
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    view_.left = left;
    view_.right = right;
    view_.top = top;
    view_.bottom = bottom;
    if (playback_)
        playback_->renderer().setView(view_);
    refreshStillLocked();
    return KV_OK;
}

int Player::setAspect(int32_t mode)
{
    if (mode < KV_ASPECT_FILL || mode > KV_ASPECT_CROP)
        return KV_ERR_PARAM;
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    view_.aspect = mode;
    if (playback_)
        playback_->renderer().setView(view_);
    refreshStillLocked();
    return KV_OK;
}

int Player::openSound(bool open)
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    soundOpen_ = open;
    if (playback_)
        playback_->setSound(soundOpen_, volume_, mute_);
    return KV_OK;
}

int Player::setVolume(int volume)
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    volume_ = std::clamp(volume, 0, 100);
    if (playback_)
        playback_->setSound(soundOpen_, volume_, mute_);
    return KV_OK;
}

int Player::volume()
{
    std::lock_guard lock(mutex_);
    return volume_;
}

int Player::setMute(bool on)
{
    std::lock_guard lock(mutex_);
    if (destroyed_)
        return KV_ERR_HANDLE;
    mute_ = on;
    if (playback_)
        playback_->setSound(soundOpen_, volume_, mute_);
    return KV_OK;
}

int Player::mute()
{
    std::lock_guard lock(mutex_);
    return mute_ ? 1 : 0;
}

int Player::capture(const KvPlayCaptureRecord* record)
{
    if (!record || !record->path[0])
        return KV_ERR_PARAM;
    const size_t length = strnlen(record->path, sizeof record->path);
    if (length == sizeof record->path)
        return KV_ERR_PARAM; // no room for the end: the path may be cut
    FramePtr f;
    std::string source;
    std::shared_ptr<KeyframeIndex> index;
    int64_t position = 0;
    bool full = true;
    {
        std::lock_guard lock(mutex_);
        if (!playback_)
            return KV_ERR_STATE;
        f = playback_->renderer().shownFrame(full);
        source = source_->path();
        index = index_ ? index_->index() : nullptr;
        position = playback_->position();
    }
    if (!f)
        return KV_ERR_NO_FRAME;
    // Re-reading and encoding run without the lock: the window's timer and
    // its paints take it.
    if (!full) {
        // The picture on screen skipped the loop filter; a snapshot must not.
        FramePtr clean = grabFrame(source, index, position);
        if (clean && clean->width == f->width && clean->height == f->height)
            f = std::move(clean);
    }
    return writePng(*f, std::string(record->path, length));
}

int Player::clipStart(const KvPlayLocalRecordRequest* request)
{
    if (!request || !request->clip_path || !*request->clip_path)
        return KV_ERR_PARAM;
    std::lock_guard lock(mutex_);
    if (!playback_ || clip_)
        return KV_ERR_STATE;
    const int64_t pos = playback_->position();
    if (pos < 0)
        return KV_ERR_NO_FRAME;
    if (source_->videoIndex() < 0)
        return KV_ERR_NO_STREAM;
    ClipSpec spec;
    spec.source = source_->path();
    spec.clipPath = request->clip_path;
    spec.picturePath = request->picture_path ? request->picture_path : "";
    spec.kind = request->kind;
    spec.startUs = pos;
    spec.index = index_ ? index_->index() : nullptr;
    if (const int rc = prepareClipOutput(spec.clipPath); rc != KV_OK)
        return rc;
    clip_ = std::move(spec);
    return KV_OK;
}

std::optional<ClipSpec> Player::takeClipLocked()
{
    if (!playback_ || !clip_)
        return std::nullopt;
    std::optional<ClipSpec> spec = std::move(clip_);
    clip_.reset();
    spec->endUs = std::max(playback_->position(), spec->startUs);
    return spec;
}

int Player::clipStop(void* times, void* packets)
{
    std::optional<ClipSpec> spec;
    int64_t fileStart = 0;
    {
        std::lock_guard lock(mutex_);
        spec = takeClipLocked();
        if (!spec)
            return KV_ERR_STATE;
        fileStart = source_->startTime();
    }
    // Written from its own reader of the file, without the lock.
    const ClipResult result = writeClip(*spec);
    if (result.rc != KV_OK)
        return result.rc;
    if (times) {
        const uint64_t span[2] = {static_cast<uint64_t>(fileStart + result.startUs),
                                  static_cast<uint64_t>(fileStart + result.endUs)};
        std::memcpy(times, span, sizeof span);
    }
    if (packets)
        std::memcpy(packets, &result.packets, sizeof result.packets);
    return KV_OK;
}

int Player::clipStopAsync(KvPlayClipDoneFn done, void* user)
{
    if (!done)
        return KV_ERR_PARAM;
    std::lock_guard lock(mutex_);
    std::optional<ClipSpec> spec = takeClipLocked();
    if (!spec)
        return KV_ERR_STATE;
    Library::get().clips().start(std::move(*spec), source_->startTime(), done, user);
    return KV_OK;
}

} // namespace kvplay
