#include "Glyphs.h"

#include <QPainterPath>
#include <QTransform>

namespace icongen::glyph {

namespace {

void magnifier(QPainter& p, const Ink& ink, QPointF centre, qreal radius)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(kit::stroke(ink.main, 2.2));
    p.drawEllipse(centre, radius, radius);
    p.setPen(kit::stroke(ink.main, 3.2));
    const qreal reach = radius * 0.72;
    p.drawLine(centre + QPointF(reach + 1, reach + 1), QPointF(20.5, 20.5));
}

QPainterPath eyeShape()
{
    QPainterPath eye;
    eye.moveTo(2.5, 12);
    eye.quadTo(12, 2.5, 21.5, 12);
    eye.quadTo(12, 21.5, 2.5, 12);
    return eye;
}

}

void camera(QPainter& p, const Ink& ink)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 7, 19, 13), 2.2, 2.2);
    body.addRoundedRect(QRectF(8, 4.5, 8, 4), 1, 1);
    kit::fill(p, body.simplified(), ink.main);
    QPainterPath lens;
    lens.addEllipse(QPointF(12, 13.5), 4.6, 4.6);
    kit::knockOut(p, lens, 0);
    QPainterPath glass;
    glass.addEllipse(QPointF(12, 13.5), 2.8, 2.8);
    glass.addEllipse(QPointF(18.6, 9.6), 0.9, 0.9);
    kit::fill(p, glass, ink.main);
}

void zoom(QPainter& p, const Ink& ink)
{
    magnifier(p, ink, {10, 10}, 6.5);
    p.setPen(kit::stroke(ink.main, 1.8));
    p.drawLine(QPointF(10, 7), QPointF(10, 13));
    p.drawLine(QPointF(7, 10), QPointF(13, 10));
}

void search(QPainter& p, const Ink& ink)
{
    magnifier(p, ink, {10, 10}, 6.5);
    p.setPen(kit::stroke(ink.main, 1.2));
    p.drawArc(QRectF(6, 6, 8, 8), 100 * 16, 70 * 16);
}

void layout(QPainter& p, const Ink& ink)
{
    QPainterPath cells;
    for (const qreal y : {4.0, 13.0}) {
        for (const qreal x : {4.0, 13.0})
            cells.addRoundedRect(QRectF(x, y, 7, 7), 1.2, 1.2);
    }
    kit::fill(p, cells, ink.main);
}

void fullScreen(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 2));
    p.setBrush(Qt::NoBrush);
    for (int turn = 0; turn < 4; ++turn) {
        QTransform spin;
        spin.translate(12, 12).rotate(90.0 * turn).translate(-12, -12);
        p.drawPolyline(spin.map(QPolygonF({{4, 9.5}, {4, 4}, {9.5, 4}})));
        p.drawLine(spin.map(QLineF(4.5, 4.5, 9.5, 9.5)));
    }
}

void eyeOpen(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(eyeShape());
    QPainterPath pupil;
    pupil.addEllipse(QPointF(12, 12), 3.3, 3.3);
    kit::fill(p, pupil, ink.main);
}

void eyeClosed(QPainter& p, const Ink& ink)
{
    eyeOpen(p, ink);
    kit::knockOutLine(p, {4, 20}, {20, 4}, 4.4);
    p.setPen(kit::stroke(ink.accent(QColor(255, 150, 120)), 2));
    p.drawLine(QPointF(4, 20), QPointF(20, 4));
}

void folder(QPainter& p, const Ink& ink)
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(2.5, 6.5, 19, 13.5), 1.6, 1.6);
    shape.addPolygon(QPolygonF({{2.5, 8}, {2.5, 4.5}, {9, 4.5}, {11, 7}, {2.5, 7}}));
    kit::fill(p, shape.simplified(), ink.main);
    kit::knockOutLine(p, {2.5, 10}, {21.5, 10}, 1.3);
}

void film(QPainter& p, const Ink& ink)
{
    QPainterPath strip;
    strip.addRoundedRect(QRectF(5, 2.5, 14, 19), 1.5, 1.5);
    kit::fill(p, strip, ink.main);
    QPainterPath holes;
    for (const qreal y : {4.5, 8.5, 12.5, 16.5}) {
        holes.addRect(QRectF(6.2, y, 1.6, 2));
        holes.addRect(QRectF(16.2, y, 1.6, 2));
    }
    holes.addRect(QRectF(9.2, 4.5, 5.6, 6.2));
    holes.addRect(QRectF(9.2, 12.8, 5.6, 6.2));
    kit::knockOut(p, holes, 0);
}

void plus(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 2.8));
    p.drawLine(QPointF(12, 5), QPointF(12, 19));
    p.drawLine(QPointF(5, 12), QPointF(19, 12));
}

void trash(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 2));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(4.5, 6.5), QPointF(19.5, 6.5));
    p.drawRoundedRect(QRectF(9.5, 3.5, 5, 3), 0.8, 0.8);
    kit::fill(p, kit::polygon({{6.5, 8.5}, {17.5, 8.5}, {16.5, 20.5}, {7.5, 20.5}}), ink.main);
    kit::knockOutLine(p, {10, 11}, {10.3, 18}, 1.3);
    kit::knockOutLine(p, {14, 11}, {13.7, 18}, 1.3);
}

void repeat(QPainter& p, const Ink& ink)
{
    QPainterPath loop;
    loop.moveTo(4.5, 13);
    loop.lineTo(4.5, 10);
    loop.quadTo(4.5, 7, 7.5, 7);
    loop.lineTo(16, 7);
    loop.moveTo(19.5, 11);
    loop.lineTo(19.5, 14);
    loop.quadTo(19.5, 17, 16.5, 17);
    loop.lineTo(8, 17);
    p.setPen(kit::stroke(ink.main, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(loop);
    kit::fill(p, kit::polygon({{15, 3.5}, {20, 7}, {15, 10.5}}), ink.main);
    kit::fill(p, kit::polygon({{9, 13.5}, {4, 17}, {9, 20.5}}), ink.main);
}

void gear(QPainter& p, const Ink& ink)
{
    QPainterPath wheel;
    wheel.addEllipse(QPointF(12, 12), 6.8, 6.8);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QTransform spin;
        spin.translate(12, 12).rotate(45.0 * tooth);
        QPainterPath cog;
        cog.addRoundedRect(QRectF(-2, -10, 4, 5), 0.8, 0.8);
        wheel.addPath(spin.map(cog));
    }
    kit::fill(p, wheel.simplified(), ink.main);
    QPainterPath hub;
    hub.addEllipse(QPointF(12, 12), 2.9, 2.9);
    kit::knockOut(p, hub, 0);
}

Glyph grid(int cells)
{
    // Drawn on whole device pixels: at 17 pixels a soft edge would blur the
    // one-pixel gaps that tell a 4 x 4 grid from a 3 x 3 one.
    return [cells](QPainter& p, const Ink& ink) {
        const QRect area = p.worldTransform().mapRect(QRectF(1.5, 1.5, 21, 21)).toAlignedRect();
        p.resetTransform();
        const int gap = 1;
        const int cell = (area.width() - gap * (cells - 1)) / cells;
        const int used = cell * cells + gap * (cells - 1);
        const QPoint origin = area.topLeft() + QPoint((area.width() - used) / 2, (area.height() - used) / 2);
        for (int row = 0; row < cells; ++row) {
            for (int col = 0; col < cells; ++col)
                p.fillRect(QRect(origin + QPoint(col, row) * (cell + gap), QSize(cell, cell)), ink.main);
        }
    };
}

}
