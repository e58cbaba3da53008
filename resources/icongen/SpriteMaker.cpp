#include "SpriteMaker.h"

#include <QLinearGradient>

namespace icongen {

namespace {

QImage blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage silhouette(const QImage& layer, const QColor& colour)
{
    QImage shadow = layer;
    QPainter p(&shadow);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(shadow.rect(), colour);
    return shadow;
}

}

SpriteMaker::SpriteMaker(const SpriteLayout& layout, Family family)
    : m_layout(layout)
    , m_family(family)
{
}

QImage SpriteMaker::make(const Glyph& glyph, const QList<ButtonState>& states) const
{
    const int pitch = m_layout.slice.height();
    QImage sheet = blank(QSize(m_layout.slice.width(), pitch * static_cast<int>(states.size())));
    QPainter p(&sheet);
    for (qsizetype i = 0; i < states.size(); ++i)
        p.drawImage(QPoint(0, pitch * static_cast<int>(i)), slice(glyph, states.at(i)));
    return sheet;
}

QImage SpriteMaker::slice(const Glyph& glyph, ButtonState state) const
{
    const StateLook look = lookFor(m_family, state);
    QImage out = blank(m_layout.slice);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    paintPlate(p, look);
    const QImage layer = glyphLayer(glyph, look);
    if (look.shadow.isValid())
        p.drawImage(QPoint(0, 1), silhouette(layer, look.shadow));
    p.drawImage(QPoint(0, 0), layer);
    return out;
}

QImage SpriteMaker::glyphLayer(const Glyph& glyph, const StateLook& look) const
{
    QImage layer = blank(m_layout.slice);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(m_layout.glyph.left(), m_layout.glyph.top() + look.sink);
    p.scale(m_layout.glyph.width() / 24.0, m_layout.glyph.height() / 24.0);
    glyph(p, Ink{look.ink, look.muted});
    return layer;
}

void SpriteMaker::paintPlate(QPainter& p, const StateLook& look) const
{
    if (!look.plateTop.isValid())
        return;
    const QRectF plate = m_layout.plate.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(plate.topLeft(), plate.bottomLeft());
    shade.setColorAt(0, look.plateTop);
    shade.setColorAt(1, look.plateBottom);
    p.save();
    p.setBrush(shade);
    p.setPen(look.plateEdge.isValid() ? QPen(look.plateEdge, 1) : QPen(Qt::NoPen));
    p.drawRoundedRect(plate, m_layout.radius, m_layout.radius);
    p.restore();
}

}
