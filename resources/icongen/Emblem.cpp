#include "Emblem.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace icongen::emblem {

void lens(QPainter& p, QPointF centre, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(236, 244, 255), radius * 0.13));
    p.drawEllipse(centre, radius * 0.9, radius * 0.9);

    QRadialGradient glass(centre - QPointF(radius * 0.25, radius * 0.25), radius * 0.9);
    glass.setColorAt(0, QColor(74, 138, 222));
    glass.setColorAt(1, QColor(6, 26, 66));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawEllipse(centre, radius * 0.74, radius * 0.74);

    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPolygon(QPolygonF({centre + QPointF(-radius * 0.22, -radius * 0.34),
                             centre + QPointF(-radius * 0.22, radius * 0.34),
                             centre + QPointF(radius * 0.38, 0)}));
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(centre + QPointF(-radius * 0.36, -radius * 0.38), radius * 0.16, radius * 0.1);
    p.restore();
}

void letters(QPainter& p, const QRectF& box, const QColor& colour)
{
    const qreal h = box.height();
    const qreal stroke = h * 0.16;
    const qreal top = box.top() + stroke / 2;
    const qreal bottom = box.bottom() - stroke / 2;
    const qreal middle = top + (bottom - top) * 0.55;
    const qreal k = box.left() + stroke / 2;
    const qreal kWidth = h * 0.5;
    const qreal v = k + kWidth + h * 0.16;
    const qreal vTop = top + (bottom - top) * 0.38;

    QPainterPath path;
    path.moveTo(k, top);
    path.lineTo(k, bottom);
    path.moveTo(k + kWidth, top);
    path.lineTo(k + stroke * 0.4, middle);
    path.lineTo(k + kWidth, bottom);
    path.moveTo(v, vTop);
    path.lineTo(v + h * 0.25, bottom);
    path.lineTo(v + h * 0.5, vTop);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
    p.restore();
}

}
