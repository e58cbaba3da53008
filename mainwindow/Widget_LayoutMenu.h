#pragma once

#include <QFrame>
#include <QRect>

#include <array>

class QToolButton;

// The popup's place for an anchor button whose top-left corner is at
// anchorTopLeft (global): the popup ends one pixel above and to the left of
// that corner, so it opens over the button row without covering the button.
QRect layoutMenuGeometry(const QPoint& anchorTopLeft);

// The popup of four picture buttons that chooses 1, 4, 9 or 16 video windows.
// A choice is reported as the grid dimension (1..4) and closes the popup, as
// does a click outside it, which reports nothing.
class Widget_LayoutMenu : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kWidth = 250;
    static constexpr int kHeight = 60;

    explicit Widget_LayoutMenu(QWidget* parent = nullptr);

    // The button of grid dimension 1..4; null outside that range.
    QToolButton* button(int dimension) const;

    // Opens the popup above the given button.
    void popupAbove(const QWidget* anchor);

signals:
    void currentIndexChanged(int dimension);

public slots:
    void layout1Response();
    void layout4Response();
    void layout9Response();
    void layout16Response();

private:
    void choose(int dimension);

    std::array<QToolButton*, 4> m_buttons{};
};
