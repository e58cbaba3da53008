#include "Slider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

int sliderValueAt(int minimum, int maximum, int x, int width)
{
    if (width <= 0 || maximum <= minimum)
        return minimum;
    const double span = static_cast<double>(maximum) - static_cast<double>(minimum);
    const double offset = std::trunc(span * x / width);
    return static_cast<int>(std::clamp(minimum + offset, static_cast<double>(minimum), static_cast<double>(maximum)));
}

Slider::Slider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
{
}

int Slider::valueAt(const QMouseEvent* event) const
{
    const QPoint point = event->position().toPoint();
    if (orientation() == Qt::Horizontal)
        return sliderValueAt(minimum(), maximum(), point.x(), width());
    return sliderValueAt(minimum(), maximum(), height() - point.y(), height());
}

// The left button is handled here alone: the base class would page toward a
// click off the handle, or place a dragged handle by its own handle-centred
// arithmetic, and drift from the point under the pointer.
void Slider::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled() || event->button() != Qt::LeftButton) {
        QSlider::mousePressEvent(event);
        return;
    }
    setValue(valueAt(event));
    m_pressed = true;
    setSliderDown(true);
    event->accept();
    emit mySliderPressed();
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    if (!isEnabled() || !m_pressed) {
        QSlider::mouseMoveEvent(event);
        return;
    }
    setValue(valueAt(event));
    event->accept();
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        QSlider::mouseReleaseEvent(event);
        return;
    }
    const bool wasHeld = m_pressed;
    m_pressed = false;
    if (wasHeld)
        setSliderDown(false);
    else
        QSlider::mouseReleaseEvent(event);
    emit mySliderReleased();
}

void Slider::setMarks(int in, int out)
{
    if (in == m_markIn && out == m_markOut)
        return;
    m_markIn = in;
    m_markOut = out;
    update();
}

void Slider::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    if (orientation() != Qt::Horizontal || (m_markIn < 0 && m_markOut < 0))
        return;
    QPainter painter(this);
    const auto x = [this](int value) {
        return QStyle::sliderPositionFromValue(minimum(), maximum(), value, width() - 1);
    };
    // In opens a bracket to the right, Out closes one to the left.
    const std::pair<int, int> marks[] = {{m_markIn, 1}, {m_markOut, -1}};
    for (const auto& [value, side] : marks) {
        if (value < 0)
            continue;
        const int at = x(value);
        painter.fillRect(at - (side < 0 ? 1 : 0), 0, 2, height(), QColor(230, 192, 19));
        painter.fillRect(at, 0, 5 * side, 2, QColor(230, 192, 19));
        painter.fillRect(at, height() - 2, 5 * side, 2, QColor(230, 192, 19));
    }
}

// A slider disabled under the pointer gets no release; drop the hold so that
// it does not follow the next pointer that passes over it.
void Slider::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_pressed) {
        m_pressed = false;
        setSliderDown(false);
    }
    QSlider::changeEvent(event);
}
