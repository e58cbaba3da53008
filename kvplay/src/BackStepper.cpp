#include "BackStepper.h"

#include "ShownPicture.h"

#include <vector>

namespace kvplay {

BackStepper::BackStepper(std::string path, std::shared_ptr<KeyframeIndex> index, size_t budgetBytes)
    : path_(std::move(path)), index_(std::move(index)), cache_(budgetBytes)
{
    worker_ = std::thread([this] { run(); });
}

BackStepper::~BackStepper()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        cancel_.store(true);
    }
    cv_.notify_all();
    worker_.join();
}

BackStepper::Result BackStepper::previous(int64_t fromUs, const Target& target, Picture& out)
{
    std::unique_lock lock(mutex_);
    useTarget(target);
    setFocus(fromUs);
    // At most: wait for the look-ahead already on this stretch, then decode
    // it ourselves when its picture did not fit, then look again.
    for (int round = 0; round < 3; ++round) {
        const BackPlan plan = planBack(timeline_, cache_, fromUs);
        if (plan.kind == BackPlan::Kind::AtStart)
            return Result::AtStart;
        if (plan.kind == BackPlan::Kind::Show) {
            if (!take(plan.ptsUs, out))
                return Result::Failed;
            setFocus(out.ptsUs);
            return Result::Shown;
        }
        // Without a known neighbour (a time the decode did not meet) the
        // last frame before fromUs is the one before it.
        const std::optional<int64_t> prev = timeline_.before(fromUs);
        const bool handedOver = handover_.frame && (prev ? handover_.ptsUs == *prev : handover_.ptsUs < fromUs);
        if (round > 0 && handedOver) {
            out = std::move(handover_);
            setFocus(out.ptsUs);
            return Result::Shown;
        }
        if (round == 2 || !decodeNow(plan.span, lock))
            break;
    }
    return timeline_.isFirst(fromUs) ? Result::AtStart : Result::Failed;
}

bool BackStepper::next(int64_t fromUs, const Target& target, Picture& out)
{
    std::lock_guard lock(mutex_);
    useTarget(target);
    const std::optional<int64_t> next = planForward(timeline_, cache_, fromUs);
    if (!next || !take(*next, out))
        return false;
    setFocus(*next);
    return true;
}

bool BackStepper::at(int64_t ptsUs, const Target& target, Picture& out)
{
    std::unique_lock lock(mutex_);
    useTarget(target);
    if (take(ptsUs, out))
        return true;
    if (!decodeNow(Span{ptsUs, ptsUs + 1}, lock))
        return false;
    if (handover_.frame && handover_.ptsUs == ptsUs) {
        out = std::move(handover_);
        return true;
    }
    return take(ptsUs, out);
}

BackStepper::Target BackStepper::target() const
{
    std::lock_guard lock(mutex_);
    return target_;
}

size_t BackStepper::cachedBytes() const
{
    std::lock_guard lock(mutex_);
    return cache_.bytes();
}

size_t BackStepper::peakBytes() const
{
    std::lock_guard lock(mutex_);
    return cache_.peakBytes();
}

void BackStepper::waitIdle()
{
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return stop_ || (!running_ && !urgent_ && !aheadJob()); });
}

void BackStepper::useTarget(const Target& target)
{
    if (target == target_)
        return;
    cache_.clear();
    target_ = target;
    stalled_.reset();
    if (running_)
        cancel_.store(true);
}

void BackStepper::setFocus(int64_t ptsUs)
{
    if (ptsUs == focus_)
        return;
    focus_ = ptsUs;
    cache_.setFocus(ptsUs);
    stalled_.reset();
    cv_.notify_all();
}

bool BackStepper::take(int64_t ptsUs, Picture& out) const
{
    FramePtr frame = cache_.get(ptsUs);
    if (!frame)
        return false;
    out.frame = std::move(frame);
    out.ptsUs = ptsUs;
    return true;
}

bool BackStepper::decodeNow(const Span& span, std::unique_lock<std::mutex>& lock)
{
    handover_ = {};
    if (running_ && !running_->urgent && running_->span == span && running_->target == target_) {
        cv_.wait(lock, [this, &span] { return stop_ || !running_ || !(running_->span == span); });
        return !stop_;
    }
    // Whatever the worker decodes ahead is not what the user waits for now.
    if (running_)
        cancel_.store(true);
    const uint64_t serial = ++serial_;
    urgent_ = Job{span, target_, true, serial};
    cv_.notify_all();
    cv_.wait(lock, [this, serial] { return stop_ || done_ >= serial; });
    return !stop_ && doneOk_;
}

std::optional<BackStepper::Job> BackStepper::aheadJob() const
{
    if (focus_ < 0 || target_.width <= 0 || target_.height <= 0)
        return std::nullopt;
    const std::optional<Span> span = planAhead(timeline_, cache_, focus_, framesWanted(cache_, kMostAhead));
    if (!span || span == stalled_)
        return std::nullopt;
    return Job{*span, target_, false, 0};
}

void BackStepper::run()
{
    std::unique_lock lock(mutex_);
    while (!stop_) {
        std::optional<Job> job;
        if (urgent_) {
            job = std::move(urgent_);
            urgent_.reset();
        } else {
            job = aheadJob();
        }
        if (!job) {
            cv_.wait(lock);
            continue;
        }
        runJob(*job, lock);
        cv_.notify_all();
    }
}

void BackStepper::runJob(const Job& job, std::unique_lock<std::mutex>& lock)
{
    running_ = job;
    cancel_.store(false);
    lock.unlock();
    if (!decoder_)
        decoder_ = std::make_unique<SpanDecoder>(path_, index_, cancel_);
    std::vector<int64_t> times;
    Picture handover;
    const bool ok = decoder_->ok() && decoder_->decode(job.span, [&](int64_t pts, const AVFrame& frame) {
        times.push_back(pts);
        FramePtr picture = shownPicture(frame, job.target.width, job.target.height, job.target.view, sws_);
        if (!picture)
            return false;
        std::lock_guard guard(mutex_);
        if (job.urgent && pts < job.span.limitUs) {
            handover.frame = makeFrame();
            if (handover.frame && av_frame_ref(handover.frame.get(), picture.get()) < 0)
                handover.frame.reset();
            handover.ptsUs = pts;
        }
        if (target_ == job.target)
            cache_.put(pts, std::move(picture));
        return true;
    });
    lock.lock();
    const bool cancelled = cancel_.load();
    running_.reset();
    timeline_.addRun(times);
    if (ok && !times.empty() && times.front() >= job.span.limitUs)
        timeline_.markFirst(times.front());
    if (job.urgent) {
        handover_ = std::move(handover);
        doneOk_ = ok;
        done_ = job.serial;
    } else if (!cancelled) {
        // Run once per focus: a stretch that gained nothing would come up again.
        stalled_ = job.span;
    }
}

} // namespace kvplay
