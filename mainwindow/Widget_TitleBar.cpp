#include "Widget_TitleBar.h"

#include "ControlStates.h"
#include "LanguageActions.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "ProgramInfo.h"
#include "TitleRules.h"
#include "Widget_About.h"
#include "Widget_Settings.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>

#include <initializer_list>

namespace {

constexpr int kHeight = 30;
constexpr int kButtonSide = 26;
constexpr int kTitleWidth = 200;
constexpr int kTitleGap = 10;
constexpr int kLanguageText = 32;
constexpr int kSettingsText = 33;
constexpr int kAboutText = 34;

constexpr int kLogoMaxHeight = 24;

// Brand pictures are drawn for other places too (the about box takes the same
// window.png at 48 pixels); a taller one is shrunk to sit inside the bar.
QPixmap logoPicture(const QString& path)
{
    const QPixmap logo(path);
    if (logo.height() <= kLogoMaxHeight)
        return logo;
    return logo.scaledToHeight(kLogoMaxHeight, Qt::SmoothTransformation);
}


}

Widget_TitleBar::Widget_TitleBar(QWidget* parent)
    : QFrame(parent)
{
    const TitleRules rules = titleRulesFor(Model_Customize::instance());
    createAboutBox();
    createTitle(rules);
    createButtons();
    createMenus();
    layOut(rules.leadingSpace);
    setFixedHeight(kHeight);
    setObjectName(QStringLiteral("widget_titlebar"));
    ApplyTexts();

    connect(m_pBtnMenu, &QToolButton::clicked, this, &Widget_TitleBar::OnMenuBtnClicked);
    connect(m_pActSettings, &QAction::triggered, this, &Widget_TitleBar::ShowSettingsWindow);
    connect(m_pLanguageMenu, &QMenu::triggered, this, &Widget_TitleBar::ChangeLanguage);
    connect(m_pActAbout, &QAction::triggered, this, &Widget_TitleBar::ShowAboutWindow);
}

Widget_TitleBar::~Widget_TitleBar() = default;

// A top-level box of its own, so that it is not clipped by the main window
// and stays above it.
void Widget_TitleBar::createAboutBox()
{
    m_about = std::make_unique<Widget_About>();
    m_about->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // Closing the main window ends the program even while this box is open.
    m_about->setAttribute(Qt::WA_QuitOnClose, false);
    m_about->hide();
}

void Widget_TitleBar::createTitle(const TitleRules& rules)
{
    m_pLabLogo = new QLabel(this);
    m_pLabLogo->setVisible(!rules.logoFile.isEmpty());
    if (!rules.logoFile.isEmpty())
        m_pLabLogo->setPixmap(logoPicture(ProgramInfo::programDir() + u'/' + rules.logoFile));
    m_pLabTitle = new QLabel(rules.title, this);
    m_pLabTitle->setAlignment(Qt::AlignVCenter);
    m_pLabTitle->setObjectName(QStringLiteral("TitleLabel"));
    m_pLabTitle->setFixedWidth(kTitleWidth);
    m_pLabTitle->setVisible(rules.showTitle);
}

void Widget_TitleBar::createButtons()
{
    m_pBtnMenu = makeButton(QStringLiteral("ToolButton0"), ControlStates::picture("menu"));
    m_pBtnMin = makeButton(QStringLiteral("ToolButton0"), ControlStates::picture("min"));
    m_pBtnMax = makeButton(QStringLiteral("ToolButtonMax"), QString());
    m_pBtnMax->setCheckable(true);
    m_pBtnClose = makeButton(QStringLiteral("ToolButton0"), ControlStates::picture("exit"));
}

QToolButton* Widget_TitleBar::makeButton(const QString& objectName, const QString& sheet)
{
    auto* button = new QToolButton(this);
    button->setFixedSize(kButtonSide, kButtonSide);
    button->setObjectName(objectName);
    button->setStyleSheet(sheet);
    return button;
}

void Widget_TitleBar::createMenus()
{
    m_pMenu = new QMenu(this);
    m_pLanguageMenu = new QMenu(this);
    m_pActLanguage = new QAction(m_pMenu);
    m_pActSettings = new QAction(m_pMenu);
    m_pActAbout = new QAction(m_pMenu);
    m_pMenu->addAction(m_pActLanguage);
    m_pMenu->addAction(m_pActSettings);
    m_pMenu->addAction(m_pActAbout);
    m_pBtnMenu->setMenu(m_pMenu);

    const Model_Customize& customize = Model_Customize::instance();
    m_languageActions = LanguageActions::addTo(m_pLanguageMenu, customize.languageMask(), customize.languageCurrent());
    m_pActLanguage->setMenu(m_pLanguageMenu);
}

void Widget_TitleBar::layOut(int leadingSpace)
{
    auto* row = new QHBoxLayout(this);
    row->setSpacing(0);
    row->setContentsMargins(0, 0, 0, 0);
    if (leadingSpace > 0)
        row->addSpacing(leadingSpace);
    row->addWidget(m_pLabLogo);
    row->addSpacing(kTitleGap);
    row->addWidget(m_pLabTitle);
    row->addSpacing(kTitleGap);
    row->addStretch(1);
    for (QToolButton* button : {m_pBtnMenu, m_pBtnMin, m_pBtnMax, m_pBtnClose})
        row->addWidget(button);
}

void Widget_TitleBar::ApplyTexts()
{
    m_pActLanguage->setText(Model_Language::Text(kLanguageText));
    m_pActSettings->setText(Model_Language::Text(kSettingsText));
    m_pActAbout->setText(Model_Language::Text(kAboutText));
    LanguageActions::retranslate(m_languageActions);
    if (m_settings)
        m_settings->ApplyTexts();
}

void Widget_TitleBar::OnMenuBtnClicked()
{
    m_pBtnMenu->showMenu();
}

void Widget_TitleBar::ChangeLanguage(QAction* action)
{
    emit ChangeLanguageRequest(LanguageActions::choose(m_languageActions, action));
}

// Created on first use and then only shown and hidden: a top-level window of
// its own above the main window, like the about box.
void Widget_TitleBar::ShowSettingsWindow()
{
    if (!m_settings) {
        m_settings = std::make_unique<Widget_Settings>();
        m_settings->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        m_settings->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_settings.get(), &Widget_Settings::refreshSettings, this, &Widget_TitleBar::refreshSettings);
        const QRect owner = window()->frameGeometry();
        m_settings->move(owner.center() - m_settings->rect().center());
    }
    m_settings->LoadSettings();
    m_settings->show();
    m_settings->raise();
}

void Widget_TitleBar::ShowAboutWindow()
{
    const QRect owner = window()->frameGeometry();
    m_about->move(owner.center() - m_about->rect().center());
    m_about->show();
    m_about->raise();
}

// The handlers leave the events unaccepted, so the main window also sees them
// and keeps its own pressed state and cursor in step.
void Widget_TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_lastMousePos = event->globalPosition().toPoint();
        m_dragging = true;
    }
    event->ignore();
}

void Widget_TitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    event->ignore();
}

void Widget_TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_pBtnMax->setChecked(!m_pBtnMax->isChecked());
    emit maxWindowRequest();
    event->ignore();
}

// A window manager that took over the drag may swallow the release; the held
// button, not only the flag, decides whether a move is still a drag.
void Widget_TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        const QPoint current = event->globalPosition().toPoint();
        emit moveWindowRequest(current - m_lastMousePos);
        m_lastMousePos = current;
    }
    event->ignore();
}
