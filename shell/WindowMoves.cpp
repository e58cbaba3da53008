#include "WindowMoves.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace WindowMoves {

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

QRect availableUnderCursor()
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}
