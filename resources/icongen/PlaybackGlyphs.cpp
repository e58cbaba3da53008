#include "Glyphs.h"

#include <QPainterPath>

namespace icongen::glyph {

namespace {

const QColor kRecordRed(236, 48, 48);

void miniGrid(QPainter& p, const Ink& ink)
{
    QPainterPath cells;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col)
            cells.addRoundedRect(QRectF(3 + col * 6.0, 3 + row * 6.0, 5, 5), 1, 1);
    }
    kit::fill(p, cells, ink.main);
}

void speaker(QPainter& p, const Ink& ink)
{
    kit::fill(p, kit::polygon({{3, 9}, {7, 9}, {12, 4.5}, {12, 19.5}, {7, 15}, {3, 15}}), ink.main);
}

void chevronPair(QPainter& p, const Ink& ink, qreal direction)
{
    p.setPen(kit::stroke(ink.main, 2.6));
    p.setBrush(Qt::NoBrush);
    for (const qreal tip : {10.5, 17.5}) {
        const qreal x = 12 + (tip - 12) * direction;
        const qreal back = x - 6 * direction;
        p.drawPolyline(QPolygonF({{back, 5.5}, {x, 12}, {back, 18.5}}));
    }
}

void stepGlyph(QPainter& p, const Ink& ink, qreal direction)
{
    const auto at = [direction](qreal x) { return 12 + (x - 12) * direction; };
    kit::fill(p, kit::polygon({{at(5), 5.5}, {at(5), 18.5}, {at(15), 12}}), ink.main);
    QPainterPath bar;
    bar.addRoundedRect(QRectF(qMin(at(16), at(19)), 5.5, 3, 13), 0.8, 0.8);
    kit::fill(p, bar, ink.main);
}

// A bracket that opens toward the span, with a pointer into it.
void markGlyph(QPainter& p, const Ink& ink, qreal direction)
{
    const auto at = [direction](qreal x) { return 12 + (x - 12) * direction; };
    QPainterPath bracket;
    bracket.addRect(QRectF(qMin(at(5), at(7.5)), 4, 2.5, 16));
    bracket.addRect(QRectF(qMin(at(5), at(11)), 4, 6, 2.2));
    bracket.addRect(QRectF(qMin(at(5), at(11)), 17.8, 6, 2.2));
    kit::fill(p, bracket.simplified(), ink.main);
    kit::fill(p, kit::polygon({{at(11), 8}, {at(11), 16}, {at(18.5), 12}}), ink.main);
}

}

void play(QPainter& p, const Ink& ink)
{
    const QPainterPath triangle = kit::polygon({{8, 5}, {8, 19}, {19.5, 12}});
    p.setPen(kit::stroke(ink.main, 1.2));
    p.setBrush(ink.main);
    p.drawPath(triangle);
}

void pause(QPainter& p, const Ink& ink)
{
    QPainterPath bars;
    bars.addRoundedRect(QRectF(6.5, 5, 4, 14), 1, 1);
    bars.addRoundedRect(QRectF(13.5, 5, 4, 14), 1, 1);
    kit::fill(p, bars, ink.main);
}

void stop(QPainter& p, const Ink& ink)
{
    QPainterPath square;
    square.addRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
    kit::fill(p, square, ink.main);
}

void playAll(QPainter& p, const Ink& ink)
{
    miniGrid(p, ink);
    const QPainterPath triangle = kit::polygon({{12, 10}, {12, 21.5}, {21.5, 15.75}});
    kit::knockOut(p, triangle, 3.2);
    kit::fill(p, triangle, ink.accent(QColor(120, 226, 140)));
}

void stopAll(QPainter& p, const Ink& ink)
{
    miniGrid(p, ink);
    QPainterPath square;
    square.addRoundedRect(QRectF(12, 12, 9, 9), 1, 1);
    kit::knockOut(p, square, 3.2);
    kit::fill(p, square, ink.accent(QColor(255, 128, 96)));
}

void fast(QPainter& p, const Ink& ink)
{
    chevronPair(p, ink, 1);
}

void slow(QPainter& p, const Ink& ink)
{
    chevronPair(p, ink, -1);
}

void stepForward(QPainter& p, const Ink& ink)
{
    stepGlyph(p, ink, 1);
}

void stepBack(QPainter& p, const Ink& ink)
{
    stepGlyph(p, ink, -1);
}

void markIn(QPainter& p, const Ink& ink)
{
    markGlyph(p, ink, 1);
}

void markOut(QPainter& p, const Ink& ink)
{
    markGlyph(p, ink, -1);
}

void record(QPainter& p, const Ink& ink)
{
    p.setPen(kit::stroke(ink.main, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    QPainterPath dot;
    dot.addEllipse(QPointF(12, 12), 5.8, 5.8);
    kit::fill(p, dot, ink.accent(kRecordRed));
}

void soundOn(QPainter& p, const Ink& ink)
{
    speaker(p, ink);
    p.setPen(kit::stroke(ink.main, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 7, 10, 10), -50 * 16, 100 * 16);
    p.drawArc(QRectF(3, 3, 18, 18), -50 * 16, 100 * 16);
}

void soundOff(QPainter& p, const Ink& ink)
{
    speaker(p, ink);
    p.setPen(kit::stroke(ink.accent(QColor(255, 120, 110)), 2.2));
    p.drawLine(QPointF(15, 9), QPointF(21, 15));
    p.drawLine(QPointF(21, 9), QPointF(15, 15));
}

}
