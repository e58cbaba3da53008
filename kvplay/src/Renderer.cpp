#include "Renderer.h"

#include "ThreadTag.h"

#include <algorithm>

namespace kvplay {

namespace {
using namespace std::chrono_literals;
constexpr auto kIdleWait = 100ms;
// A picture further ahead than this is a timestamp jump, not a wait.
constexpr auto kMaxWait = 2s;
// A follower this far behind its clock (us) catches up at the next keyframe.
constexpr int64_t kCatchUpUs = 500000;
} // namespace

Renderer::Renderer(uint32_t handle, Control& control, FrameRing& ring, PlayClock& clock,
                   Callbacks& callbacks, int64_t startTime, bool hasVideo, int64_t frameUs,
                   std::atomic<bool>& smallTarget)
    : handle_(handle), control_(control), ring_(ring), clock_(clock), callbacks_(callbacks),
      startTime_(startTime), hasVideo_(hasVideo), skip_(frameUs), catchUp_(frameUs), smallTarget_(smallTarget)
{
}

void Renderer::run()
{
    ThreadTag tag;
    while (!control_.aborted()) {
        size_t queued = 0;
        const auto deadline = step(queued);
        if (control_.aborted())
            break;
        ring_.waitChange(queued, deadline);
    }
}

FrameRing::Clock::time_point Renderer::step(size_t& queued)
{
    auto deadline = FrameRing::Clock::now() + kIdleWait;
    serviceStill();
    serviceRepaint();
    if (!hasVideo_) {
        audioOnlyStep(deadline);
        return deadline;
    }
    for (;;) {
        queued = ring_.size();
        const DecodedFrame* f = ring_.peek(0);
        if (!f)
            return deadline;
        const int serial = control_.serial();
        if (f->serial != serial) {
            ring_.pop();
            continue;
        }
        if (!f->frame) {
            ring_.pop();
            endOfFile(serial);
            continue;
        }
        if (f->serial != shownSerial_) {
            // The first picture after a start or a seek shows at once, even
            // while paused, and the clock restarts from it (a clock that
            // follows a sync master ignores that).
            clock_.set(f->ptsUs);
            skip_.reset();
            catchUp_.reset();
            control_.setSkipping(-1);
            const int shownSerial = f->serial;
            show(ring_.pop());
            {
                std::lock_guard lock(shownMutex_);
                shownSerial_ = shownSerial;
            }
            shownChanged_.notify_all();
            continue;
        }
        auto wakeAt = deadline;
        const Action a = clock_.following() ? followAction(*f, serial, wakeAt) : leadAction(*f, serial, wakeAt);
        if (a == Action::Wait)
            return std::min(wakeAt, deadline);
        trackLateness(f->ptsUs, serial);
        if (a == Action::Drop) {
            ring_.pop();
            dropped_.fetch_add(1);
            continue;
        }
        show(ring_.pop());
    }
}

Renderer::Action Renderer::leadAction(const DecodedFrame& f, int serial, FrameRing::Clock::time_point& wakeAt)
{
    if (control_.paused()) {
        if (!control_.takeStep())
            return Action::Wait;
        clock_.set(f.ptsUs);
        return Action::Show;
    }
    const auto now = FrameRing::Clock::now();
    const auto due = clock_.wallFor(f.ptsUs);
    if (due > now + kMaxWait) {
        clock_.set(f.ptsUs);
        return Action::Show;
    }
    if (due > now) {
        wakeAt = due;
        return Action::Wait;
    }
    const DecodedFrame* next = ring_.peek(1);
    if (next && next->frame && next->serial == serial && clock_.wallFor(next->ptsUs) <= now)
        return Action::Drop;
    return Action::Show;
}

Renderer::Action Renderer::followAction(const DecodedFrame& f, int serial, FrameRing::Clock::time_point& wakeAt)
{
    // The master's clock alone decides, paused or not: its steps move it, and
    // its seeks reach this instance as seeks of its own, so there are no jumps
    // to take here.
    const int64_t now = clock_.now();
    if (f.ptsUs > now) {
        wakeAt = clock_.wallFor(f.ptsUs);
        return Action::Wait;
    }
    // Decoding that cannot keep up goes on from the next keyframe rather
    // than drift further behind.
    if (now - f.ptsUs > kCatchUpUs)
        control_.requestKeyframe(serial);
    const DecodedFrame* next = ring_.peek(1);
    if (next && next->frame && next->serial == serial && next->ptsUs <= now)
        return Action::Drop;
    return Action::Show;
}

void Renderer::trackLateness(int64_t ptsUs, int serial)
{
    const bool was = skip_.skipping();
    if (control_.paused()) {
        skip_.reset();
        catchUp_.reset();
    } else {
        const int64_t clockUs = clock_.now();
        const bool priority = control_.priority();
        if (observeCatchUp(clockUs, ptsUs, priority) == CatchUpStep::DropToKeyframe)
            control_.requestKeyframe(serial);
        skip_.observe(clockUs - ptsUs, priority ? CatchUp::kPriorityBehindFrames : CatchUp::kBehindFrames);
    }
    if (skip_.skipping() != was)
        control_.setSkipping(skip_.skipping() ? serial : -1);
}

CatchUpStep Renderer::observeCatchUp(int64_t clockUs, int64_t ptsUs, bool priority)
{
    const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(
        FrameRing::Clock::now().time_since_epoch());
    return catchUp_.observe(clockUs, ptsUs, wall.count(), priority);
}

bool Renderer::waitShown(int serial, std::chrono::milliseconds wait)
{
    std::unique_lock lock(shownMutex_);
    return shownChanged_.wait_for(lock, wait, [this, serial] { return shownSerial_.load() == serial; });
}

void Renderer::serviceRepaint()
{
    const bool forced = repaintForced_.exchange(false);
    if (!repaintIfChanged_.exchange(false) && !forced)
        return;
    int32_t w = 0;
    int32_t h = 0;
    callbacks_.targetSize(w, h);
    if (forced || w != lastW_ || h != lastH_ || view() != lastView_)
        present();
}

void Renderer::showStill(FramePtr picture, int64_t ptsUs, const ViewSettings& view)
{
    {
        std::lock_guard lock(mutex_);
        pendingStill_ = std::move(picture);
        pendingView_ = view;
    }
    shownPts_.store(ptsUs);
    stillShown_.store(true);
    stillPending_.store(true);
    ring_.wake();
}

void Renderer::serviceStill()
{
    if (!stillPending_.exchange(false))
        return;
    {
        std::lock_guard lock(mutex_);
        still_ = std::move(pendingStill_);
        stillView_ = pendingView_;
    }
    stillShown_.store(still_ != nullptr);
    present();
}

void Renderer::audioOnlyStep(FrameRing::Clock::time_point& deadline)
{
    const int serial = control_.serial();
    const int64_t now = clock_.now();
    shownPts_.store(now);
    int64_t lastUs = 0;
    if (control_.ended(serial, lastUs) && now >= lastUs)
        endOfFile(serial);
    deadline = std::min(deadline, FrameRing::Clock::now() + 20ms);
}

void Renderer::show(DecodedFrame frame)
{
    {
        std::lock_guard lock(mutex_);
        shown_ = std::move(frame.frame);
        shownFull_ = frame.fullQuality;
    }
    still_.reset();
    stillShown_.store(false);
    shownPts_.store(frame.ptsUs);
    present();
    presented_.fetch_add(1);
    if (imageWanted_.exchange(false) && shown_)
        deliverImage(*shown_);
}

void Renderer::present()
{
    // shown_ and still_ are replaced only on this thread, so reading them
    // here needs no lock.
    const AVFrame* picture = still_ ? still_.get() : shown_.get();
    if (!picture)
        return;
    int32_t w = 0;
    int32_t h = 0;
    if (!callbacks_.targetSize(w, h))
        return;
    const ViewSettings v = view();
    if (!scaler_.scale(*picture, w, h, still_ ? stillView_ : v))
        return;
    lastW_ = w;
    lastH_ = h;
    lastView_ = v;
    if (!still_) {
        const Rect seen = Scaler::sourceRect(*shown_, v);
        smallTarget_.store(w * 2 <= seen.w && h * 2 <= seen.h);
    }
    callbacks_.present(handle_, scaler_.data(), w, h, scaler_.stride());
}

void Renderer::deliverImage(const AVFrame& frame)
{
    if (!callbacks_.hasImageHooks())
        return;
    const int64_t seconds = (startTime_ + shownPts_.load()) / 1'000'000;
    callbacks_.deliverImage(frame.width, frame.height, static_cast<uint32_t>(seconds),
                            [&frame](uint8_t* pixels, int stride) {
                                SwsPtr sws(sws_getContext(frame.width, frame.height,
                                                          static_cast<AVPixelFormat>(frame.format),
                                                          frame.width, frame.height, AV_PIX_FMT_BGRA,
                                                          SWS_BILINEAR, nullptr, nullptr, nullptr));
                                if (!sws)
                                    return;
                                uint8_t* out[4] = {pixels};
                                const int outStride[4] = {stride};
                                sws_scale(sws.get(), frame.data, frame.linesize, 0, frame.height, out,
                                          outStride);
                            });
}

void Renderer::endOfFile(int serial)
{
    if (eofSerial_ == serial)
        return;
    eofSerial_ = serial;
    callbacks_.message(KV_MSG_END_OF_FILE);
}

void Renderer::setView(const ViewSettings& v)
{
    {
        std::lock_guard lock(mutex_);
        view_ = v;
    }
    requestRepaint(true);
}

ViewSettings Renderer::view() const
{
    std::lock_guard lock(mutex_);
    return view_;
}

void Renderer::requestRepaint(bool force)
{
    (force ? repaintForced_ : repaintIfChanged_).store(true);
    ring_.wake();
}

FramePtr Renderer::shownFrame(bool& fullQuality) const
{
    std::lock_guard lock(mutex_);
    // A still is a small copy of its frame: whoever needs the frame itself
    // must decode it again.
    fullQuality = shownFull_ && !stillShown_.load();
    if (!shown_)
        return nullptr;
    FramePtr copy = makeFrame();
    if (!copy || av_frame_ref(copy.get(), shown_.get()) < 0)
        return nullptr;
    return copy;
}

} // namespace kvplay
