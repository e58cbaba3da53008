// The window's frame-accurate review: steps back, relative seeks, the way
// back to normal speed, and holding the picture for a snapshot of every
// window at one instant.

#include "PreviewVideoFrame.h"

#include "PlaybackRules.h"
#include "PlayerApi.h"

namespace {

constexpr int kFollowMs = 15;
// A picture that has not changed after this long is where the step ended
// (the first or last frame).
constexpr int kFollowTicks = 60;

bool runsOnItsOwn(int state)
{
    return state == PlayStatePlay || (state >= PlayStateSlow2 && state <= PlayStateSlow16) ||
           (state >= PlayStateFast2 && state <= PlayStateFast16);
}

}

void PreviewVideoFrame::frameBack()
{
    if (deferWhileLoading([this] { frameBack(); }) || !m_handle)
        return;
    // The library answers once the frame before is on its way to the screen,
    // so the times can follow at once.
    PlayerApi::SetPlayMode(m_handle.get(), m_h, PlayStateStepBack, 256, 0, 0);
    m_state = PlayStateStep;
    emit changeBtnStatus(PlayStateStep);
    OnTimer();
}

void PreviewVideoFrame::seekBy(qint64 deltaUs)
{
    if (deferWhileLoading([this, deltaUs] { seekBy(deltaUs); }) || !m_handle)
        return;
    const uint64_t now = PlayerApi::GetCurPlayedTime(m_handle.get(), m_h);
    if (now == 0)
        return;
    const uint64_t target = PlaybackRules::shiftedTime(now, deltaUs, m_first, m_last);
    PlayerApi::SetCurPlayedTime(m_handle.get(), m_h, static_cast<uint32_t>(target),
                                static_cast<uint32_t>(target >> 32));
    followPosition();
}

void PreviewVideoFrame::normalSpeed()
{
    if (m_handle || isLoading())
        resume();
}

void PreviewVideoFrame::freeze(bool on)
{
    if (deferWhileLoading([this, on] { freeze(on); }) || !m_handle || on == m_frozen || !runsOnItsOwn(m_state))
        return;
    m_frozen = on;
    PlayerApi::SetPlayMode(m_handle.get(), m_h, on ? PlayStatePause : m_state, 256, 0, 0);
}

void PreviewVideoFrame::followPosition()
{
    m_followFrom = PlayerApi::GetCurPlayedTime(m_handle.get(), m_h);
    m_followTicks = 0;
    m_followTimer.start(kFollowMs);
}

void PreviewVideoFrame::followTick()
{
    if (!m_handle) {
        m_followTimer.stop();
        return;
    }
    const uint64_t t = PlayerApi::GetCurPlayedTime(m_handle.get(), m_h);
    if (t == m_followFrom && ++m_followTicks < kFollowTicks)
        return;
    m_followTimer.stop();
    OnTimer();
}
