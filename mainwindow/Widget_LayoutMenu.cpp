#include "Widget_LayoutMenu.h"

#include "ControlStates.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonSide = 17;

const char* const kPictures[] = {"1x1", "2x2", "3x3", "4x4"};

}

QRect layoutMenuGeometry(const QPoint& anchorTopLeft)
{
    const QSize size(Widget_LayoutMenu::kWidth, Widget_LayoutMenu::kHeight);
    return QRect(anchorTopLeft - QPoint(size.width(), size.height()), size);
}

Widget_LayoutMenu::Widget_LayoutMenu(QWidget* parent)
    : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("Widget_LayoutMenu"));
    setFixedSize(kWidth, kHeight);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    auto* row = new QHBoxLayout;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("LayoutButton"));
        button->setStyleSheet(
            ControlStates::picture(kPictures[i]));
        button->setFixedSize(kButtonSide, kButtonSide);
        row->addWidget(button);
        m_buttons[i] = button;
    }
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);

    connect(m_buttons[0], &QToolButton::clicked, this, &Widget_LayoutMenu::layout1Response);
    connect(m_buttons[1], &QToolButton::clicked, this, &Widget_LayoutMenu::layout4Response);
    connect(m_buttons[2], &QToolButton::clicked, this, &Widget_LayoutMenu::layout9Response);
    connect(m_buttons[3], &QToolButton::clicked, this, &Widget_LayoutMenu::layout16Response);
}

QToolButton* Widget_LayoutMenu::button(int dimension) const
{
    if (dimension < 1 || dimension > static_cast<int>(m_buttons.size()))
        return nullptr;
    return m_buttons[static_cast<size_t>(dimension - 1)];
}

void Widget_LayoutMenu::popupAbove(const QWidget* anchor)
{
    setGeometry(layoutMenuGeometry(anchor->mapToGlobal(QPoint(0, 0))));
    show();
}

void Widget_LayoutMenu::layout1Response() { choose(1); }
void Widget_LayoutMenu::layout4Response() { choose(2); }
void Widget_LayoutMenu::layout9Response() { choose(3); }
void Widget_LayoutMenu::layout16Response() { choose(4); }

void Widget_LayoutMenu::choose(int dimension)
{
    close();
    emit currentIndexChanged(dimension);
}
