#include "Pictures.h"

#include "Emblem.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace icongen::picture {

namespace {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void sprocketRow(QPainter& p, qreal y)
{
    p.setBrush(QColor(196, 206, 224));
    for (qreal x = 5; x < 66; x += 8)
        p.drawRoundedRect(QRectF(x, y, 4, 3), 0.8, 0.8);
}

void landscape(QPainter& p, const QRectF& frame)
{
    QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
    sky.setColorAt(0, QColor(92, 152, 224));
    sky.setColorAt(1, QColor(178, 214, 246));
    p.fillRect(frame, sky);
    p.setBrush(QColor(255, 204, 84));
    p.drawEllipse(QPointF(frame.right() - 11, frame.top() + 9), 4.5, 4.5);
    p.setBrush(QColor(34, 84, 120));
    p.drawPolygon(QPolygonF({frame.bottomLeft(), frame.bottomLeft() + QPointF(16, -22),
                             frame.bottomLeft() + QPointF(28, -10), frame.bottomLeft() + QPointF(38, -20),
                             frame.bottomRight(), frame.bottomLeft()}));
    p.setBrush(QColor(255, 255, 255, 210));
    const QPointF c = frame.center();
    p.drawPolygon(QPolygonF({c + QPointF(-5, -7), c + QPointF(-5, 7), c + QPointF(7, 0)}));
}

}

QImage zoomCursor()
{
    QImage image = canvas(26, 26);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 255, 255, 60));
    for (const auto& [colour, width] : {std::pair{QColor(10, 20, 40), 4.6}, std::pair{QColor(Qt::white), 2.2}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawEllipse(QPointF(13, 13), 7.5, 7.5);
        p.drawLine(QPointF(18.8, 18.8), QPointF(24, 24));
        p.drawLine(QPointF(13, 9.5), QPointF(13, 16.5));
        p.drawLine(QPointF(9.5, 13), QPointF(16.5, 13));
        p.setBrush(Qt::NoBrush);
    }
    return image;
}

QImage entryPhoto()
{
    QImage image = canvas(70, 54);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QLinearGradient body(0, 0, 0, 54);
    body.setColorAt(0, QColor(38, 52, 82));
    body.setColorAt(1, QColor(16, 26, 48));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1, 1, 68, 52), 5, 5);
    sprocketRow(p, 3.5);
    sprocketRow(p, 47.5);
    landscape(p, QRectF(5, 10, 60, 34));
    return image;
}

QImage windowIcon()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, 0, 48);
    tile.setColorAt(0, QColor(52, 114, 200));
    tile.setColorAt(1, QColor(14, 48, 112));
    p.setBrush(tile);
    p.setPen(QPen(QColor(140, 190, 250), 1));
    p.drawRoundedRect(QRectF(1.5, 1.5, 45, 45), 10, 10);
    emblem::lens(p, QPointF(24, 24), 19);
    return image;
}

QImage smallLogo()
{
    QImage image = canvas(72, 24);
    QPainter p(&image);
    emblem::lens(p, QPointF(12, 12), 11.5);
    emblem::letters(p, QRectF(29, 3, 40, 18), QColor(236, 242, 252));
    return image;
}

QImage watermark()
{
    QImage image = canvas(200, 60);
    QPainter p(&image);
    p.setOpacity(0.38);
    emblem::lens(p, QPointF(32, 30), 27);
    emblem::letters(p, QRectF(74, 8, 110, 44), Qt::white);
    return image;
}

}
