#pragma once

#include "Glyphs.h"
#include "StateLook.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>

namespace icongen {

// Where things go inside one state slice of a sprite.
struct SpriteLayout {
    QSize slice;    // width x pitch
    QRectF plate;   // the state's backing plate
    qreal radius;   // corner radius of the plate; half its side gives a disc
    QRectF glyph;   // where the glyph's 24 x 24 design square lands
};

// Draws a multi-state button picture: one slice per state, stacked top to
// bottom in the given order, as the application style sheet expects.
class SpriteMaker {
public:
    SpriteMaker(const SpriteLayout& layout, Family family);

    QImage make(const Glyph& glyph, const QList<ButtonState>& states) const;

private:
    QImage slice(const Glyph& glyph, ButtonState state) const;
    QImage glyphLayer(const Glyph& glyph, const StateLook& look) const;
    void paintPlate(QPainter& p, const StateLook& look) const;

    SpriteLayout m_layout;
    Family m_family;
};

}
