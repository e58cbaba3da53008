#include "ZoomSelection.h"

#include <QSize>

#include <algorithm>
#include <cstdlib>

void ZoomSelection::press(const QPoint& point)
{
    m_held = true;
    m_press = point;
    m_current = point;
}

bool ZoomSelection::move(const QPoint& point)
{
    if (!m_held)
        return false;
    if (std::abs(point.x() - m_press.x()) < kThreshold && std::abs(point.y() - m_press.y()) < kThreshold)
        return false;
    m_current = point;
    m_selecting = true;
    m_x1 = m_press.x();
    m_y1 = m_press.y();
    m_x2 = point.x();
    m_y2 = point.y();
    return true;
}

ZoomSelection::Region ZoomSelection::release(const QSize& surface)
{
    Region region;
    region.left = std::min(m_x1, m_x2);
    region.top = std::min(m_y1, m_y2);
    region.right = std::max(m_x1, m_x2);
    region.bottom = std::max(m_y1, m_y2);
    if (m_x2 - m_x1 + 1 != 0 || m_y2 - m_y1 + 1 != 0) {
        region.width = surface.width();
        region.height = surface.height();
    }
    m_held = false;
    m_selecting = false;
    m_x1 = m_y1 = 0;
    m_x2 = m_y2 = -1;
    return region;
}

QRect ZoomSelection::rect() const
{
    if (!m_selecting)
        return {};
    return QRect(QPoint(std::min(m_x1, m_x2), std::min(m_y1, m_y2)),
                 QPoint(std::max(m_x1, m_x2), std::max(m_y1, m_y2)));
}
