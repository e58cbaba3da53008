#pragma once

#include <QSlider>

// The value under the point x of a slider width pixels wide: the range is laid
// evenly over the width, truncated toward the minimum and kept inside the
// range, so a drag past either end pins the value there.
int sliderValueAt(int minimum, int maximum, int x, int width);

// A slider that jumps to the clicked point instead of paging toward it, and
// tells its owner when the user takes it and lets it go. The position slider
// seeks only on release, so its owner needs both moments; the value may be
// read at any time in between.
class Slider : public QSlider
{
    Q_OBJECT

public:
    explicit Slider(Qt::Orientation orientation, QWidget* parent = nullptr);

    bool isHeld() const { return m_pressed; }
    // Values at which the span's In and Out marks are drawn; -1 draws none.
    void setMarks(int in, int out);
    int markIn() const { return m_markIn; }
    int markOut() const { return m_markOut; }

signals:
    void mySliderPressed();
    void mySliderReleased();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int valueAt(const QMouseEvent* event) const;

    bool m_pressed = false;
    int m_markIn = -1;
    int m_markOut = -1;
};
