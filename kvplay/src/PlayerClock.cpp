// The clock-only player: no file, no threads; its mode and seeks move the
// clock that the instances of its sync group follow by recording time.
#include "Player.h"
#include "PlayModes.h"

#include <algorithm>
#include <cstdint>

namespace kvplay {

namespace {
constexpr int64_t kDefaultStepUs = 40000;
}

int Player::clockModeLocked(int code, int32_t stepUs)
{
    const int64_t step = stepUs > 0 ? stepUs : kDefaultStepUs;
    if (code == KV_MODE_PAUSE || code == KV_MODE_STEP || code == KV_MODE_STEP_BACK) {
        clock_->setPaused(true);
        if (code == KV_MODE_STEP)
            clock_->set(clock_->now() + step);
        else if (code == KV_MODE_STEP_BACK)
            clock_->set(std::max<int64_t>(clock_->now() - step, 1));
        mode_ = KV_MODE_PAUSE;
        return KV_OK;
    }
    const Speed s = speedOf(code);
    clock_->setSpeed(s.num, s.den);
    clock_->setPaused(false);
    mode_ = code;
    return KV_OK;
}

int Player::clockSeekLocked(uint64_t time)
{
    if (time == 0 || time > static_cast<uint64_t>(INT64_MAX))
        return KV_ERR_PARAM;
    clock_->set(static_cast<int64_t>(time));
    return KV_OK;
}

uint64_t Player::clockTimeLocked() const
{
    const int64_t now = clock_->now();
    return now > 0 ? static_cast<uint64_t>(now) : 0;
}

} // namespace kvplay
