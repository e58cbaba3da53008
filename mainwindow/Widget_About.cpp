#include "Widget_About.h"

#include "ControlStates.h"
#include "Diagnostics.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "ProgramInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpacerItem>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kButtonSide = 26;
constexpr int kIconSide = 48;
constexpr int kVersionWidth = 150;
constexpr int kVersionHeight = 20;
constexpr int kInfoMinHeight = 60;
constexpr int kBottomMargin = 10;
constexpr int kAboutText = 77;

}

Widget_About::Widget_About(QWidget* parent)
    : QFrame(parent)
{
    setFixedSize(kWidth, kHeight);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    m_pLabIcon = new QLabel(this);
    m_pLabIcon->setFixedSize(kIconSide, kIconSide);
    m_pLabIcon->setAlignment(Qt::AlignCenter);
    m_pLabIcon->setScaledContents(true);
    m_pLabVersion = new QLabel(this);
    m_pLabVersion->setFixedSize(kVersionWidth, kVersionHeight);
    m_pLabVersion->setAlignment(Qt::AlignCenter);
    m_pLabVersion->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    m_pLabelInfo = new QLabel(this);
    m_pLabelInfo->setMinimumHeight(kInfoMinHeight);
    m_pLabelInfo->setAlignment(Qt::AlignCenter);
    m_pLabelInfo->setLayoutDirection(Qt::LeftToRight);
    m_pLabelInfo->setStyleSheet(QStringLiteral("color: rgb(190, 201, 222); font-size: 11px; font-weight: normal;"));

    auto* column = new QVBoxLayout(this);
    column->setSpacing(0);
    column->setContentsMargins(0, 0, 0, kBottomMargin);
    column->addLayout(buildCloseRow());
    column->addSpacerItem(new QSpacerItem(0, 20, QSizePolicy::Minimum, QSizePolicy::Expanding));
    column->addLayout(centred(m_pLabIcon));
    column->addSpacerItem(new QSpacerItem(0, 15, QSizePolicy::Minimum, QSizePolicy::Expanding));
    column->addLayout(centred(m_pLabVersion));
    column->addSpacerItem(new QSpacerItem(0, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    column->addWidget(m_pLabelInfo);

    setObjectName(QStringLiteral("AboutWidget"));
    const QString icon = ProgramInfo::programDir() + QStringLiteral("/window.png");
    KV_DIAG() << "strIcon = " << icon;
    m_pLabIcon->setPixmap(QPixmap(icon));
    m_pLabVersion->setText(Model_Language::Text(kAboutText) + Model_Customize::instance().version());
    // The credits name the libraries the player is built on and the licences
    // they are used under; they are not translated, like the names themselves.
    m_pLabelInfo->setText(QStringLiteral("Qt 6 (LGPL v3)\nFFmpeg (LGPL v2.1+)\nSDL 2 (zlib licence)"));
}

QLayout* Widget_About::buildCloseRow()
{
    m_pBtnClose = new QToolButton(this);
    m_pBtnClose->setFixedSize(kButtonSide, kButtonSide);
    m_pBtnClose->setObjectName(QStringLiteral("ToolButton0"));
    m_pBtnClose->setStyleSheet(ControlStates::picture("exit"));
    connect(m_pBtnClose, &QToolButton::clicked, this, &Widget_About::OnCloseClicked);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_pBtnClose);
    return row;
}

QLayout* Widget_About::centred(QWidget* widget)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(widget);
    row->addStretch(1);
    return row;
}

QString Widget_About::versionText() const
{
    return m_pLabVersion->text();
}

QString Widget_About::creditText() const
{
    return m_pLabelInfo->text();
}

void Widget_About::OnCloseClicked()
{
    hide();
}
