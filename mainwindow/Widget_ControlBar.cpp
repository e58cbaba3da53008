#include "Widget_ControlBar.h"

#include "ControlStates.h"
#include "Slider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

constexpr int kBarHeight = 80;
constexpr int kButtonSide = 26;
constexpr int kPlayButtonSide = 50;
constexpr int kStatusSide = 30;
constexpr int kVolumeWidth = 100;
constexpr int kVolumeHeight = 20;
constexpr int kPositionRange = 10000;
constexpr int kVolumeRange = 100;
constexpr int kRowMargin = 10;


void forwardClick(const QAbstractButton* from, QAbstractButton* to)
{
    if (to)
        QObject::connect(from, &QAbstractButton::clicked, to, &QAbstractButton::clicked);
}

}

Widget_ControlBar::Widget_ControlBar(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("ControlBar"));
    setFixedHeight(kBarHeight);
    setAttribute(Qt::WA_MouseTracking);
    // The theme's grey label text is made for the light panels; over the
    // bar's dark blue the times and speed need a light colour.
    setStyleSheet(QStringLiteral("QLabel { color: rgb(230, 230, 230); }"));

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(buildTimeRow());
    rows->addLayout(buildButtonRow());
}

QLayout* Widget_ControlBar::buildTimeRow()
{
    m_pLabCBElapsed = makeTimeLabel();
    m_pSlCBTime = new Slider(Qt::Horizontal, this);
    m_pSlCBTime->setRange(0, kPositionRange);
    m_pLabCBTotal = makeTimeLabel();

    auto* row = new QHBoxLayout;
    row->setContentsMargins(kRowMargin, 0, kRowMargin, 0);
    row->addWidget(m_pLabCBElapsed);
    row->addWidget(m_pSlCBTime, 1);
    row->addWidget(m_pLabCBTotal);
    return row;
}

QLayout* Widget_ControlBar::buildButtonRow()
{
    m_pBtnCBSlow = makeButton(QStringLiteral("ToolButton2"), ControlStates::picture("slow"), kButtonSide);
    m_pBtnCBSingleBack = makeButton(QStringLiteral("ToolButton2"), ControlStates::picture("singleBack"), kButtonSide);
    m_pBtnCBPlay = makeButton(QStringLiteral("PlayButton"), ControlStates::picture("play"), kPlayButtonSide);
    m_pBtnCBPlay->setCheckable(true);
    m_pBtnCBStop = makeButton(QStringLiteral("ToolButton2"), ControlStates::picture("stop"), kButtonSide);
    m_pBtnCBSingleFoward = makeButton(QStringLiteral("ToolButton2"), ControlStates::picture("singleFoward"), kButtonSide);
    m_pBtnCBFast = makeButton(QStringLiteral("ToolButton2"), ControlStates::picture("fast"), kButtonSide);
    m_pBtnCBSyncPlay = new QToolButton(this);
    m_pBtnCBSyncPlay->setCheckable(true);
    m_pBtnCBSyncPlay->setFixedSize(kButtonSide, kButtonSide);
    m_pBtnCBSyncPlay->setStyleSheet(ControlStates::syncToggleSheet());
    m_pBtnCBSyncPlay->setText(QStringLiteral("SYNC"));
    m_pBtnCBMarkIn = makeButton(QStringLiteral("ToolButton2"), ControlStates::picture("markIn"), kButtonSide);
    m_pBtnCBMarkOut = makeButton(QStringLiteral("ToolButton2"), ControlStates::picture("markOut"), kButtonSide);
    m_pLabCBStatus = new QLabel(this);
    m_pLabCBStatus->setFixedSize(kStatusSide, kStatusSide);
    m_pLabCBStatus->setAlignment(Qt::AlignCenter);
    m_pBtnCBSound = makeButton(QStringLiteral("ToolButton"), ControlStates::picture("sound_off"), kButtonSide);
    m_pBtnCBSound->setCheckable(true);
    m_pSlCBSound = new Slider(Qt::Horizontal, this);
    m_pSlCBSound->setFixedSize(kVolumeWidth, kVolumeHeight);
    m_pSlCBSound->setRange(0, kVolumeRange);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(kRowMargin, 0, kRowMargin, 0);
    row->addStretch(1);
    for (QWidget* control : std::initializer_list<QWidget*>{m_pBtnCBSlow, m_pBtnCBSingleBack, m_pBtnCBPlay,
                                                            m_pBtnCBStop, m_pBtnCBSingleFoward, m_pBtnCBFast,
                                                            m_pBtnCBSyncPlay})
        row->addWidget(control);
    row->addSpacing(kRowMargin);
    row->addWidget(m_pBtnCBMarkIn);
    row->addWidget(m_pBtnCBMarkOut);
    row->addSpacing(kRowMargin);
    row->addWidget(m_pLabCBStatus);
    row->addStretch(1);
    row->addWidget(m_pBtnCBSound);
    row->addWidget(m_pSlCBSound);
    return row;
}

QToolButton* Widget_ControlBar::makeButton(const QString& objectName, const QString& sheet, int side)
{
    auto* button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setStyleSheet(sheet);
    button->setFixedSize(side, side);
    return button;
}

QLabel* Widget_ControlBar::makeTimeLabel()
{
    auto* label = new QLabel(QStringLiteral("00:00:00"), this);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void Widget_ControlBar::forwardTo(const ControlBarTargets& targets) const
{
    forwardClick(m_pBtnCBPlay, targets.play);
    forwardClick(m_pBtnCBStop, targets.stop);
    forwardClick(m_pBtnCBFast, targets.fast);
    forwardClick(m_pBtnCBSlow, targets.slow);
    forwardClick(m_pBtnCBSingleBack, targets.frameBack);
    forwardClick(m_pBtnCBSingleFoward, targets.frameForward);
    forwardClick(m_pBtnCBSound, targets.sound);
    forwardClick(m_pBtnCBSyncPlay, targets.syncPlay);
    forwardClick(m_pBtnCBMarkIn, targets.markIn);
    forwardClick(m_pBtnCBMarkOut, targets.markOut);
    if (targets.position) {
        connect(m_pSlCBTime, &Slider::mySliderPressed, targets.position, &Slider::mySliderPressed);
        connect(m_pSlCBTime, &Slider::mySliderReleased, targets.position, &Slider::mySliderReleased);
    }
    if (targets.volume)
        connect(m_pSlCBSound, &QAbstractSlider::valueChanged, targets.volume, &QAbstractSlider::valueChanged);
}

// Moving onto one of the bar's own controls does not count as leaving: Qt
// sends Leave only when the pointer is outside the bar and all its children.
void Widget_ControlBar::leaveEvent(QEvent* event)
{
    hide();
    QFrame::leaveEvent(event);
}
