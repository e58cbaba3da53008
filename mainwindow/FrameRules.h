#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// The frameless main window's own window handling, as plain arithmetic.
namespace FrameRules {

// The resize zone of a point: tens give the row (10 top, 20 middle, 30
// bottom), ones the column (1 left, 2 middle, 3 right); 33 is the
// bottom-right corner, the only one that resizes.
int zoneAt(const QPoint& point, const QSize& size);
inline constexpr int kResizeZone = 33;

// Where a move by delta takes a window at position, within the available area
// of its screen: never past the right or bottom edge, never above the top;
// the left edge is not enforced.
QPoint movedPosition(const QPoint& position, const QPoint& delta, const QRect& available);

// The stay-on-top mode after the user's toggle: 0 -> 1 -> 2 -> 0.
int nextStickMode(int windowFlag);

// The window flags of a stay-on-top mode held at rest (mode 0 without
// playing windows): on top only for mode 2.
Qt::WindowFlags stickFlags(int mode);

}
