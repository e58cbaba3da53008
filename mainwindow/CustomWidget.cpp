#include "CustomWidget.h"

#include <QPainter>
#include <QPaintEvent>

CustomWidget::CustomWidget(QWidget* parent)
    : QWidget(parent)
    , m_background(QStringLiteral(":/icons/gray1/background.png"))
{
}

void CustomWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_background);
    event->accept();
}
