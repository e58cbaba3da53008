#pragma once

#include <QColor>
#include <QPainter>

#include <functional>

// Glyphs are drawn in a 24 x 24 design square; the sprite maker scales that
// square onto each button's picture area, so one drawing serves every size.
namespace icongen {

struct Ink {
    QColor main;
    bool muted = false;

    // Glyph-specific colours (the red recording dot...) fade to grey with the
    // rest of a disabled button, so a disabled slice never looks active.
    QColor accent(const QColor& colour) const;
};

using Glyph = std::function<void(QPainter&, const Ink&)>;

namespace kit {
QPen stroke(const QColor& colour, qreal width);
QPainterPath polygon(std::initializer_list<QPointF> points);
void fill(QPainter& p, const QPainterPath& path, const QColor& colour);
// Erases what is under a shape, to keep overlapping glyph parts apart.
void knockOut(QPainter& p, const QPainterPath& path, qreal outline);
void knockOutLine(QPainter& p, QPointF from, QPointF to, qreal width);
}

namespace glyph {
void play(QPainter&, const Ink&);
void pause(QPainter&, const Ink&);
void stop(QPainter&, const Ink&);
void playAll(QPainter&, const Ink&);
void stopAll(QPainter&, const Ink&);
void fast(QPainter&, const Ink&);
void slow(QPainter&, const Ink&);
void stepForward(QPainter&, const Ink&);
void stepBack(QPainter&, const Ink&);
void record(QPainter&, const Ink&);
void markIn(QPainter&, const Ink&);
void markOut(QPainter&, const Ink&);
void soundOn(QPainter&, const Ink&);
void soundOff(QPainter&, const Ink&);

void camera(QPainter&, const Ink&);
void zoom(QPainter&, const Ink&);
void search(QPainter&, const Ink&);
void layout(QPainter&, const Ink&);
void fullScreen(QPainter&, const Ink&);
void eyeOpen(QPainter&, const Ink&);
void eyeClosed(QPainter&, const Ink&);
void folder(QPainter&, const Ink&);
void film(QPainter&, const Ink&);
void plus(QPainter&, const Ink&);
void trash(QPainter&, const Ink&);
void repeat(QPainter&, const Ink&);
void gear(QPainter&, const Ink&);
Glyph grid(int cells);

void pinWhilePlaying(QPainter&, const Ink&);
void pinNever(QPainter&, const Ink&);
void pinAlways(QPainter&, const Ink&);
void menu(QPainter&, const Ink&);
void minimise(QPainter&, const Ink&);
void cross(QPainter&, const Ink&);
void maximise(QPainter&, const Ink&);
void restore(QPainter&, const Ink&);
}

}
