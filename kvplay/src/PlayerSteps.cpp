// Stepping back: the instance's half of BackStepper. A stepped-back picture
// is shown as a still while the pipeline stays where it was; a step forward
// uses the next kept picture, and anything else sends the pipeline to the
// picture on screen first, so playing on starts from what the user sees.
#include "Player.h"

#include "ShownPicture.h"

#include <chrono>

namespace kvplay {

namespace {
using namespace std::chrono_literals;
// A seek's first picture replaces whatever is shown: wait for it first.
constexpr auto kSettleWait = 2s;
} // namespace

bool Player::currentTarget(BackStepper::Target& target)
{
    int32_t w = 0;
    int32_t h = 0;
    if (!callbacks_.targetSize(w, h))
        return false;
    target.width = w;
    target.height = h;
    target.view = view_;
    return true;
}

int Player::stepBackLocked()
{
    if (!source_ || !playback_)
        return KV_ERR_STATE;
    if (source_->videoIndex() < 0)
        return KV_ERR_NO_STREAM;
    BackStepper::Target target;
    if (!currentTarget(target))
        return KV_ERR_STATE;
    mode_ = KV_MODE_PAUSE;
    playback_->setMode(KV_MODE_PAUSE);
    playback_->waitSettled(kSettleWait);
    const int64_t from = playback_->position();
    if (from < 0)
        return KV_ERR_NO_FRAME;
    if (!stepper_)
        stepper_ = std::make_unique<BackStepper>(source_->path(), index_ ? index_->index() : nullptr);
    BackStepper::Picture picture;
    switch (stepper_->previous(from, target, picture)) {
    case BackStepper::Result::Shown:
        playback_->showStill(std::move(picture.frame), picture.ptsUs, shownPictureView(view_));
        return KV_OK;
    case BackStepper::Result::AtStart:
        return KV_OK;
    case BackStepper::Result::Failed:
        break;
    }
    return KV_ERR_NO_FRAME;
}

bool Player::stepFromStillLocked()
{
    if (!playback_ || !playback_->stillShown())
        return false;
    const int64_t from = playback_->position();
    BackStepper::Target target;
    BackStepper::Picture picture;
    if (stepper_ && currentTarget(target) && stepper_->next(from, target, picture)) {
        playback_->showStill(std::move(picture.frame), picture.ptsUs, shownPictureView(view_));
        return true;
    }
    // The decoder's first picture after an exact seek is the one on screen;
    // the step then shows the one after it.
    playback_->seek(from, true);
    return false;
}

void Player::leaveStillLocked()
{
    if (playback_ && playback_->stillShown())
        playback_->seek(playback_->position(), true);
    stepper_.reset();
}

void Player::refreshStillLocked()
{
    if (!playback_ || !playback_->stillShown() || !stepper_)
        return;
    BackStepper::Target target;
    if (!currentTarget(target) || target == stepper_->target())
        return;
    BackStepper::Picture picture;
    if (stepper_->at(playback_->position(), target, picture))
        playback_->showStill(std::move(picture.frame), picture.ptsUs, shownPictureView(view_));
}

} // namespace kvplay
