#pragma once

#include <QPoint>
#include <QRect>

// How the frameless windows move themselves by a mouse drag.
namespace WindowMoves {

// Where a move by delta takes a window at position, within the available
// area of its screen less 3 pixels at the right and bottom: never past the
// right or bottom edge, never above the top; the left edge is not enforced.
QPoint movedPosition(const QPoint& position, const QPoint& delta, const QRect& available);

// The available area (without task bars) of the screen under the mouse
// cursor, or of the primary screen when the cursor is on none.
QRect availableUnderCursor();

}
