#include "FrameRules.h"

namespace FrameRules {

int zoneAt(const QPoint& point, const QSize& size)
{
    constexpr int kEdge = 10;
    const int column = point.x() < kEdge ? 1 : point.x() > size.width() - kEdge ? 3 : 2;
    const int row = point.y() < kEdge ? 10 : point.y() > size.height() - kEdge ? 30 : 20;
    return row + column;
}

int nextStickMode(int windowFlag)
{
    const int current = windowFlag >= 0 && windowFlag <= 2 ? windowFlag : 0;
    return (current + 1) % 3;
}

Qt::WindowFlags stickFlags(int mode, int playing)
{
    if (mode == 2 || (mode == 0 && playing > 0))
        return Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    return Qt::FramelessWindowHint;
}

OnTopChange onTopAfterPlayingChange(const PlayingState& state)
{
    if (state.windowFlag != 0 || state.fullScreen)
        return OnTopChange::Keep;
    if (state.playing > 0)
        return state.onTop ? OnTopChange::Keep : OnTopChange::Raise;
    if (!state.onTop)
        return OnTopChange::Keep;
    const bool circle = state.playMode == 2 || state.playMode == 3;
    return circle && !state.userStopped ? OnTopChange::DropIfStillIdle : OnTopChange::Drop;
}

}
