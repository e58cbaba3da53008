#include "Glyphs.h"

#include <QPainterPath>

namespace icongen::glyph {

namespace {

// A push pin whose needle ends at the bottom of its box; the three
// stay-on-top pictures add their own mark beside it.
QPainterPath pinShape(QPointF head)
{
    QPainterPath pin;
    pin.addRoundedRect(QRectF(head.x() - 4, head.y(), 8, 3), 1, 1);
    pin.addPolygon(QPolygonF({{head.x() - 2.6, head.y() + 3},
                              {head.x() + 2.6, head.y() + 3},
                              {head.x() + 4.6, head.y() + 9},
                              {head.x() - 4.6, head.y() + 9}}));
    pin.addRoundedRect(QRectF(head.x() - 6, head.y() + 8.5, 12, 2), 0.8, 0.8);
    return pin.simplified();
}

void drawPin(QPainter& p, const Ink& ink, QPointF head)
{
    kit::fill(p, pinShape(head), ink.main);
    p.setPen(kit::stroke(ink.main, 1.6));
    p.drawLine(head + QPointF(0, 10.5), head + QPointF(0, 17.5));
}

}

void pinWhilePlaying(QPainter& p, const Ink& ink)
{
    drawPin(p, ink, {9, 3});
    const QPainterPath triangle = kit::polygon({{14.5, 12}, {14.5, 21.5}, {22, 16.75}});
    kit::knockOut(p, triangle, 3);
    kit::fill(p, triangle, ink.accent(QColor(120, 226, 140)));
}

void pinNever(QPainter& p, const Ink& ink)
{
    drawPin(p, ink, {12, 3});
    kit::knockOutLine(p, {4, 20.5}, {20, 4.5}, 4.4);
    p.setPen(kit::stroke(ink.accent(QColor(255, 128, 96)), 2));
    p.drawLine(QPointF(4, 20.5), QPointF(20, 4.5));
}

void pinAlways(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.accent(QColor(255, 200, 80)), 2.4));
    p.drawLine(QPointF(4, 3), QPointF(20, 3));
    drawPin(p, ink, {12, 6});
}

void menu(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 2.2));
    for (const qreal y : {7.0, 12.0, 17.0})
        p.drawLine(QPointF(5, y), QPointF(19, y));
}

void minimise(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 2.6));
    p.drawLine(QPointF(6, 17), QPointF(18, 17));
}

void cross(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 2.6));
    p.drawLine(QPointF(6.5, 6.5), QPointF(17.5, 17.5));
    p.drawLine(QPointF(17.5, 6.5), QPointF(6.5, 17.5));
}

void maximise(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5.5, 5.5, 13, 13));
    p.drawLine(QPointF(5.5, 7), QPointF(18.5, 7));
}

void restore(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(9, 4.5, 10.5, 10.5));
    QPainterPath front;
    front.addRect(QRectF(4.5, 9, 10.5, 10.5));
    kit::knockOut(p, front, 3.4);
    p.drawPath(front);
    p.drawLine(QPointF(4.5, 10.5), QPointF(15, 10.5));
}

}
