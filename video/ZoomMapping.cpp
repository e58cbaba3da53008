#include "ZoomMapping.h"

#include <algorithm>
#include <cmath>

namespace ZoomMapping {

namespace {

constexpr int kAspectFit = 2;
constexpr int kAspectCrop = 3;

}

Placement place(const QRect& view, const QSize& surface, int aspect)
{
    Placement p{QRectF(view), QRectF(0, 0, surface.width(), surface.height())};
    if ((aspect != kAspectFit && aspect != kAspectCrop) || view.isEmpty() || surface.isEmpty())
        return p;
    const double sx = surface.width() / static_cast<double>(view.width());
    const double sy = surface.height() / static_cast<double>(view.height());
    if (aspect == kAspectFit) {
        const double s = std::min(sx, sy);
        const double w = view.width() * s;
        const double h = view.height() * s;
        p.dest = QRectF((surface.width() - w) / 2, (surface.height() - h) / 2, w, h);
        return p;
    }
    const double s = std::max(sx, sy);
    const double w = surface.width() / s;
    const double h = surface.height() / s;
    p.source = QRectF(view.x() + (view.width() - w) / 2, view.y() + (view.height() - h) / 2, w, h);
    return p;
}

QRect pictureRegion(const QRect& selection, const QSize& surface, const QRect& view, int aspect)
{
    const Placement p = place(view, surface, aspect);
    const QRectF chosen = QRectF(selection.left(), selection.top(), selection.width(), selection.height())
                              .intersected(p.dest);
    if (chosen.isEmpty() || p.dest.isEmpty())
        return {};
    const double kx = p.source.width() / p.dest.width();
    const double ky = p.source.height() / p.dest.height();
    const int left = static_cast<int>(std::floor(p.source.x() + (chosen.left() - p.dest.x()) * kx));
    const int top = static_cast<int>(std::floor(p.source.y() + (chosen.top() - p.dest.y()) * ky));
    const int right = static_cast<int>(std::ceil(p.source.x() + (chosen.right() - p.dest.x()) * kx));
    const int bottom = static_cast<int>(std::ceil(p.source.y() + (chosen.bottom() - p.dest.y()) * ky));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(view);
}

}
