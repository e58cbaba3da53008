#include "Backdrops.h"

#include "Emblem.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace icongen::backdrop {

namespace {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void verticalShade(QImage& image, const QColor& top, const QColor& bottom)
{
    QPainter p(&image);
    QLinearGradient shade(0, 0, 0, image.height());
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    p.fillRect(image.rect(), shade);
}

// Thin rims at the top and bottom edges give flat panels some depth.
void rims(QImage& image, const QColor& light, const QColor& dark)
{
    QPainter p(&image);
    p.fillRect(0, 0, image.width(), 1, light);
    p.fillRect(0, image.height() - 1, image.width(), 1, dark);
}

void viewfinder(QPainter& p, const QRectF& box, qreal arm)
{
    p.setPen(QPen(QColor(190, 220, 255, 150), 3, Qt::SolidLine, Qt::SquareCap));
    const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    for (const QPointF corner : corners) {
        const qreal dx = corner.x() < box.center().x() ? arm : -arm;
        const qreal dy = corner.y() < box.center().y() ? arm : -arm;
        p.drawPolyline(QPolygonF({corner + QPointF(0, dy), corner, corner + QPointF(dx, 0)}));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 56, 56));
    p.drawEllipse(box.topLeft() + QPointF(16, 16), 5, 5);
}

void faintGrid(QPainter& p, const QRect& area, int step)
{
    p.setPen(QPen(QColor(140, 190, 255, 16), 1));
    for (int x = step / 2; x < area.width(); x += step)
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, area.height()));
    for (int y = step / 2; y < area.height(); y += step)
        p.drawLine(QPointF(0, y + 0.5), QPointF(area.width(), y + 0.5));
}

}

QImage startPage()
{
    QImage image = canvas(662, 417);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient base(0, 0, 0, image.height());
    base.setColorAt(0, QColor(20, 60, 120));
    base.setColorAt(0.6, QColor(6, 30, 72));
    base.setColorAt(1, QColor(2, 14, 36));
    p.fillRect(image.rect(), base);
    QRadialGradient glow(QPointF(331, 140), 300);
    glow.setColorAt(0, QColor(90, 160, 255, 80));
    glow.setColorAt(1, QColor(90, 160, 255, 0));
    p.fillRect(image.rect(), glow);
    faintGrid(p, image.rect(), 40);
    viewfinder(p, QRectF(331 - 120, 140 - 90, 240, 180), 24);
    emblem::lens(p, QPointF(331, 140), 66);
    return image;
}

QImage titleBar()
{
    QImage image = canvas(600, 34);
    verticalShade(image, QColor(32, 78, 146), QColor(12, 44, 98));
    QPainter p(&image);
    QLinearGradient sheen(0, 0, image.width(), 0);
    sheen.setColorAt(0, QColor(255, 255, 255, 22));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    sheen.setColorAt(1, QColor(255, 255, 255, 10));
    p.fillRect(image.rect(), sheen);
    p.end();
    rims(image, QColor(255, 255, 255, 60), QColor(0, 8, 30, 140));
    return image;
}

QImage entryProgress()
{
    QImage image = canvas(260, 70);
    QPainter p(&image);
    QLinearGradient wash(0, 0, image.width(), 0);
    wash.setColorAt(0, QColor(70, 140, 230, 28));
    wash.setColorAt(1, QColor(70, 140, 230, 96));
    p.fillRect(image.rect(), wash);
    QLinearGradient bar(0, 0, image.width(), 0);
    bar.setColorAt(0, QColor(60, 130, 230, 150));
    bar.setColorAt(1, QColor(40, 110, 220, 235));
    p.fillRect(0, image.height() - 4, image.width(), 4, bar);
    p.fillRect(image.width() - 2, 0, 2, image.height(), QColor(40, 110, 220, 200));
    return image;
}

QImage framePanel(int width, bool left)
{
    QImage image = canvas(width, 45);
    verticalShade(image, QColor(46, 100, 176), QColor(18, 58, 124));
    QPainter p(&image);
    QLinearGradient sheen(0, 0, width, 0);
    sheen.setColorAt(left ? 0 : 1, QColor(255, 255, 255, 26));
    sheen.setColorAt(left ? 1 : 0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), sheen);
    p.fillRect(0, 1, width, 1, QColor(255, 255, 255, 22));
    p.end();
    rims(image, QColor(255, 255, 255, 70), QColor(0, 10, 40, 160));
    return image;
}

QImage groove()
{
    QImage image = canvas(800, 4);
    const QColor rows[] = {QColor(4, 18, 42), QColor(12, 32, 66), QColor(18, 42, 82), QColor(72, 108, 162)};
    QPainter p(&image);
    for (int y = 0; y < 4; ++y)
        p.fillRect(0, y, image.width(), 1, rows[y]);
    return image;
}

QImage playedPart()
{
    QImage image = canvas(200, 2);
    QPainter p(&image);
    QLinearGradient upper(0, 0, image.width(), 0);
    upper.setColorAt(0, QColor(96, 172, 255));
    upper.setColorAt(1, QColor(160, 220, 255));
    QLinearGradient lower(0, 0, image.width(), 0);
    lower.setColorAt(0, QColor(34, 104, 214));
    lower.setColorAt(1, QColor(80, 160, 246));
    p.fillRect(0, 0, image.width(), 1, upper);
    p.fillRect(0, 1, image.width(), 1, lower);
    return image;
}

QImage remainingPart()
{
    QImage image = canvas(200, 2);
    QPainter p(&image);
    p.fillRect(0, 0, image.width(), 1, QColor(38, 60, 100));
    p.fillRect(0, 1, image.width(), 1, QColor(24, 44, 80));
    return image;
}

QImage sliderHandle()
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient knob(QPointF(6, 6), 9);
    knob.setColorAt(0, Qt::white);
    knob.setColorAt(1, QColor(170, 198, 238));
    p.setBrush(knob);
    p.setPen(QPen(QColor(32, 78, 147), 1.2));
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    return image;
}

}
