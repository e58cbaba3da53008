#include "FrameRules.h"

namespace FrameRules {

int zoneAt(const QPoint& point, const QSize& size)
{
    constexpr int kEdge = 10;
    const int column = point.x() < kEdge ? 1 : point.x() > size.width() - kEdge ? 3 : 2;
    const int row = point.y() < kEdge ? 10 : point.y() > size.height() - kEdge ? 30 : 20;
    return row + column;
}

QPoint movedPosition(const QPoint& position, const QPoint& delta, const QRect& available)
{
    const QRect area = available.adjusted(0, 0, -3, -3);
    QPoint moved = position + delta;
    if (moved.x() > area.right())
        moved.setX(area.right());
    if (moved.y() > area.bottom())
        moved.setY(area.bottom());
    if (moved.y() < 0)
        moved.setY(0);
    return moved;
}

int nextStickMode(int windowFlag)
{
    const int next = windowFlag + 1;
    return next == 3 ? 0 : next;
}

Qt::WindowFlags stickFlags(int mode)
{
    if (mode == 2)
        return Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    return Qt::FramelessWindowHint;
}

}
