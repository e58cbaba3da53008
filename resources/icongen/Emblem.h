#pragma once

#include <QPainter>

namespace icongen::emblem {

// The brand mark: a camera lens with a play sign in it.
void lens(QPainter& p, QPointF centre, qreal radius);

// "Kv" drawn from strokes, so the pictures need no fonts to build.
void letters(QPainter& p, const QRectF& box, const QColor& colour);

}
