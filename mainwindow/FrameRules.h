#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

// The frameless main window's own window handling, as plain arithmetic.
namespace FrameRules {

// The resize zone of a point: tens give the row (10 top, 20 middle, 30
// bottom), ones the column (1 left, 2 middle, 3 right); 33 is the
// bottom-right corner, the only one that resizes.
int zoneAt(const QPoint& point, const QSize& size);
inline constexpr int kResizeZone = 33;

// The stay-on-top mode after the user's toggle: 0 -> 1 -> 2 -> 0. A stored
// value outside 0..2 counts as the default, 0.
int nextStickMode(int windowFlag);

// The window flags of a stay-on-top mode with that many windows playing: on
// top always in mode 2, and in mode 0 while something plays.
Qt::WindowFlags stickFlags(int mode, int playing);

// What mode 0's on-top flag does when the count of playing windows changes.
enum class OnTopChange {
    Keep,
    Raise,
    Drop,
    // In the circle modes a window at the end of its file starts the next at
    // once, so a count of 0 may not last: drop the flag once the event loop
    // is back and still nothing plays.
    DropIfStillIdle
};

struct PlayingState {
    int windowFlag = 0;
    bool fullScreen = false;
    int playing = 0;
    bool onTop = false; // the window has the stay-on-top flag now
    int playMode = 0;
    bool userStopped = false;
};

OnTopChange onTopAfterPlayingChange(const PlayingState& state);

}
