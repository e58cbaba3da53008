// The frameless window's own handling: moving, resizing from the
// bottom-right corner, maximising, the stay-on-top modes, the layout popup,
// the file panel and search toggles, the file information panel, and the
// language change.

#include "window_main.h"

#include "ControlStates.h"
#include "Diagnostics.h"
#include "FileInfoFrame.h"
#include "FrameRules.h"
#include "KvVideoScreen.h"
#include "LanguageSelection.h"
#include "MainWindowLook.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "PlaybackControls.h"
#include "ProgramInfo.h"
#include "RecordPlayList.h"
#include "Slider.h"
#include "SyncControls.h"
#include "VideoScreenMenu.h"
#include "Widget_ControlBar.h"
#include "Widget_LayoutMenu.h"
#include "Widget_TitleBar.h"
#include "WindowMoves.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>
#include <QTimer>
#include <QWindow>

void window_main::connectFrame()
{
    connect(m_form.m_pBtnHideFile, &QToolButton::clicked, this, &window_main::ShowOrHideFiles);
    connect(m_form.m_pBtnTopOrNot, &QToolButton::clicked, this, &window_main::OnBtnTopOrNotClicked);
    connect(m_form.m_pBtnSearch, &QToolButton::clicked, this, &window_main::OnSearchBtnClicked);
    connect(m_form.m_pBtnChangeLayout, &QToolButton::clicked, this, &window_main::showLayoutMenu);
    connect(m_layoutMenu, &Widget_LayoutMenu::currentIndexChanged, this, &window_main::switchScreenLayout);
    connect(m_pVideoScreen, &KvVideoScreen::ChangeWindowFlags, this, &window_main::refreshSettingsResponse);

    auto* bar = new Widget_ControlBar;
    bar->forwardTo({m_form.m_pBtnPlay, m_form.m_pBtnStop, m_form.m_pBtnFast, m_form.m_pBtnSlow,
                    m_form.m_pBtnSingleFrameBack, m_form.m_pBtnSingleFrameFoward, m_form.m_pBtnSound,
                    m_form.m_pSlTime, m_form.m_pSlSound, m_form.m_pBtnSyncPlay, m_form.m_pBtnMarkIn,
                    m_form.m_pBtnMarkOut});
    m_pVideoScreen->setControlBar(bar);
    m_sync = new SyncControls(*m_pVideoScreen, *m_form.m_pBtnSyncPlay, this);
    m_sync->setBarButton(bar->syncButton());
}

void window_main::showMinResponse()
{
    showMinimized();
}

void window_main::MaxButtonClicked()
{
    if (!m_maximised) {
        m_maximised = true;
        m_normalGeometry = geometry();
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen)
            setGeometry(screen->availableGeometry());
    } else {
        m_maximised = false;
        setGeometry(m_normalGeometry);
    }
}

void window_main::CloseButtonClicked()
{
    KV_DIAG() << "close button";
    m_pVideoScreen->stopAll();
    close();
}

void window_main::closeEvent(QCloseEvent* event)
{
    QFrame::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void window_main::refreshSettingsResponse()
{
    SetStickMode(Model_Customize::instance().windowFlag());
}

void window_main::MoveWindow(const QPoint& delta)
{
    if (m_maximised)
        return;
    // Where the window system places windows itself, only it can move them.
    if (windowHandle() && QGuiApplication::platformName() == QStringLiteral("wayland") &&
        windowHandle()->startSystemMove())
        return;
    move(WindowMoves::movedPosition(pos(), delta, WindowMoves::availableUnderCursor()));
}

void window_main::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_mouseHeld = true;
    m_lastMouse = event->globalPosition().toPoint();
    m_pressZone = FrameRules::zoneAt(event->position().toPoint(), size());
    event->ignore();
}

void window_main::mouseMoveEvent(QMouseEvent* event)
{
    const int zone = FrameRules::zoneAt(event->position().toPoint(), size());
    setCursor(zone == FrameRules::kResizeZone ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
    if (m_mouseHeld) {
        QRect frame = geometry();
        const QPoint global = event->globalPosition().toPoint();
        if (m_pressZone == FrameRules::kResizeZone) {
            frame.setRight(frame.right() + global.x() - m_lastMouse.x());
            frame.setBottom(frame.bottom() + global.y() - m_lastMouse.y());
        }
        setGeometry(frame);
        m_lastMouse = global;
    }
    event->accept();
}

void window_main::mouseReleaseEvent(QMouseEvent* event)
{
    m_mouseHeld = false;
    QApplication::restoreOverrideCursor();
    event->ignore();
}

void window_main::SetStickMode(int mode)
{
    if (mode == m_stickMode)
        return;
    if (mode >= 0 && mode <= 2) {
        applyStickFlags(FrameRules::stickFlags(mode, m_pVideoScreen->playingCount()));
        m_form.m_pBtnTopOrNot->setStyleSheet(MainWindowLook::stickPicture(mode));
    }
    m_stickMode = mode;
}

// Changing the flags hides the window; full screen keeps it hidden.
void window_main::applyStickFlags(Qt::WindowFlags flags)
{
    setWindowFlags(flags);
    if (!m_pVideoScreen->isFullScreen())
        show();
}

void window_main::OnBtnTopOrNotClicked()
{
    const int mode = FrameRules::nextStickMode(Model_Customize::instance().windowFlag());
    Model_Customize::instance().setWindowFlag(mode);
    SetStickMode(mode);
}

void window_main::followPlaybackOnTop(int count)
{
    const Model_Customize& customize = Model_Customize::instance();
    FrameRules::PlayingState state;
    state.windowFlag = customize.windowFlag();
    state.fullScreen = m_pVideoScreen->isFullScreen();
    state.playing = count;
    state.onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    state.playMode = customize.playMode();
    state.userStopped = m_controls->userStopped();
    switch (FrameRules::onTopAfterPlayingChange(state)) {
    case FrameRules::OnTopChange::Keep:
        break;
    case FrameRules::OnTopChange::Raise:
        applyStickFlags(FrameRules::stickFlags(0, count));
        break;
    case FrameRules::OnTopChange::Drop:
        applyStickFlags(FrameRules::stickFlags(0, 0));
        break;
    case FrameRules::OnTopChange::DropIfStillIdle:
        QTimer::singleShot(0, this, [this] { followPlaybackOnTopWhenIdle(); });
        break;
    }
}

void window_main::followPlaybackOnTopWhenIdle()
{
    if (m_pVideoScreen->playingCount() != 0)
        return;
    FrameRules::PlayingState state;
    state.windowFlag = Model_Customize::instance().windowFlag();
    state.fullScreen = m_pVideoScreen->isFullScreen();
    state.onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (FrameRules::onTopAfterPlayingChange(state) == FrameRules::OnTopChange::Drop)
        applyStickFlags(FrameRules::stickFlags(0, 0));
}

void window_main::switchScreenLayout(int n)
{
    m_form.stackedWidget->setCurrentIndex(1);
    m_pVideoScreen->setLayout(n);
    m_layoutMenu->hide();
    activateWindow();
}

void window_main::showLayoutMenu()
{
    m_layoutMenu->popupAbove(m_form.m_pBtnChangeLayout);
}

void window_main::ShowOrHideFiles()
{
    const bool shown = m_form.m_pScrollArea->isVisible();
    m_form.m_pScrollArea->setVisible(!shown);
    m_form.m_pFrameLeft->setVisible(!shown);
    if (shown)
        m_form.m_pSearchWidget->hide();
    m_form.m_pBtnHideFile->setStyleSheet(ControlStates::fileListPicture(!shown));
}

void window_main::OnSearchBtnClicked()
{
    m_form.m_pSearchWidget->setVisible(m_form.m_pSearchWidget->isHidden());
}

void window_main::ChangeLanguageResponse(int position)
{
    Model_Language* table = Model_Language::instance();
    if (table && LanguageSelection::change(position, ProgramInfo::programDir(), Model_Customize::instance(), *table))
        ApplyTexts();
}

void window_main::ShowFileInfo(bool show)
{
    if (!m_fileInfo) {
        m_fileInfo = new FileInfoFrame;
        m_fileInfo->setShowAction(m_pVideoScreen->contextMenu()->fileInformation);
        m_fileInfo->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        connect(m_controls, &PlaybackControls::playTimeShown, m_fileInfo, &FileInfoFrame::showTime);
    }
    if (!show) {
        m_fileInfo->hide();
        return;
    }
    FileInfoRecord record{};
    m_pVideoScreen->fileInformation(&record);
    m_fileInfo->showRecord(record);
    // Over the screen's lower-left corner, moving with it as a child.
    if (m_fileInfo->parentWidget() != m_pVideoScreen)
        m_fileInfo->setParent(m_pVideoScreen, Qt::Widget);
    placeFileInfo();
    m_fileInfo->show();
    m_fileInfo->raise();
}

void window_main::placeFileInfo()
{
    if (m_fileInfo && m_fileInfo->parentWidget() == m_pVideoScreen)
        m_fileInfo->move(0, m_pVideoScreen->height() - m_fileInfo->height());
}

void window_main::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (m_fileInfo && !m_fileInfo->isHidden())
        placeFileInfo();
}
