#pragma once

#include <QPoint>
#include <QRect>

// The rubber band a user drags over a video window in zoom mode. Movements
// closer than four pixels to the press point in both directions are not yet a
// selection, so a shaky click does not zoom.
class ZoomSelection
{
public:
    // The region handed to the library: corners of the selection in surface
    // pixels, and the surface size they refer to (0 x 0 when nothing was
    // selected, which leaves the library's view unchanged).
    struct Region {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        int width = 0;
        int height = 0;
    };

    void press(const QPoint& point);
    // True when the selection changed and the surface should be redrawn.
    bool move(const QPoint& point);
    Region release(const QSize& surface);

    bool isHeld() const { return m_held; }
    // The rectangle to draw; empty when there is no selection.
    QRect rect() const;

private:
    static constexpr int kThreshold = 4;

    bool m_held = false;
    bool m_selecting = false;
    QPoint m_press;
    QPoint m_current;
    int m_x1 = 0;
    int m_y1 = 0;
    int m_x2 = -1;
    int m_y2 = -1;
};
