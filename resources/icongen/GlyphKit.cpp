#include "Glyphs.h"

#include <QPainterPath>

namespace icongen {

QColor Ink::accent(const QColor& colour) const
{
    return muted ? main : colour;
}

namespace kit {

QPen stroke(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

void fill(QPainter& p, const QPainterPath& path, const QColor& colour)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
    p.restore();
}

void knockOut(QPainter& p, const QPainterPath& path, qreal outline)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(outline > 0 ? stroke(Qt::black, outline) : QPen(Qt::NoPen));
    p.setBrush(Qt::black);
    p.drawPath(path);
    p.restore();
}

void knockOutLine(QPainter& p, QPointF from, QPointF to, qreal width)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(stroke(Qt::black, width));
    p.drawLine(from, to);
    p.restore();
}

}

}
