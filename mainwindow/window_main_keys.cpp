// The keyboard: every key of the shortcut map reaches OnShortcut, which runs
// the command the matching control runs, on the selected window, and only
// while that control is enabled.

#include "window_main.h"

#include "EvidenceActions.h"
#include "KeyboardShortcuts.h"
#include "KvVideoScreen.h"
#include "Model_MsgHelper.h"
#include "PlaybackControls.h"
#include "RecordPlayList.h"
#include "Slider.h"
#include "Widget_ShortcutHelp.h"
#include "Widget_TitleBar.h"

#include <QLineEdit>
#include <QToolButton>

using ShortcutMap::Command;

void window_main::connectShortcuts()
{
    m_shortcutHelp = new Widget_ShortcutHelp(m_pVideoScreen);
    m_shortcuts = new KeyboardShortcuts(
        [this](const QWidget* window) { return window == this || window == m_pVideoScreen; }, this);
    connect(m_shortcuts, &KeyboardShortcuts::triggered, this, &window_main::OnShortcut);
    connect(m_pVideoScreen, &KvVideoScreen::noticeRequested, m_msgHelper,
            [helper = m_msgHelper](int kind, const QString& text) { helper->ShowPopup(text, kind); });
}

void window_main::OnShortcut(Command command)
{
    if (!runPlaybackShortcut(command) && !runScreenShortcut(command))
        runWindowShortcut(command);
}

bool window_main::runPlaybackShortcut(Command command)
{
    const MainWindowForm& f = m_form;
    const bool stepping = f.m_pBtnSingleFrameFoward->isEnabled();
    const bool opened = f.m_pSlTime->isEnabled();
    if (const qint64 jump = ShortcutMap::seekOf(command); jump != 0) {
        if (opened)
            m_pVideoScreen->seekBy(jump);
        return true;
    }
    switch (command) {
    case Command::PlayPause:
        PlayOrPause();
        break;
    case Command::FrameForward:
        if (stepping)
            SingleFrameFoward();
        break;
    case Command::FrameBack:
        if (f.m_pBtnSingleFrameBack->isEnabled())
            SingleFrameBack();
        break;
    case Command::Faster:
        if (f.m_pBtnFast->isEnabled())
            Fast();
        break;
    case Command::Slower:
        if (f.m_pBtnSlow->isEnabled())
            Slow();
        break;
    case Command::NormalSpeed:
        if (opened)
            m_pVideoScreen->normalSpeed();
        break;
    case Command::VolumeUp:
    case Command::VolumeDown:
        m_controls->adjustVolume(command == Command::VolumeUp ? ShortcutMap::kVolumeStep : -ShortcutMap::kVolumeStep);
        break;
    case Command::Sound:
        if (f.m_pBtnSound->isEnabled())
            SoundBtnClicked(false);
        break;
    default:
        return false;
    }
    return true;
}

bool window_main::runScreenShortcut(Command command)
{
    if (const int n = ShortcutMap::layoutOf(command); n > 0) {
        if (m_pVideoScreen->isFullScreen())
            m_pVideoScreen->setLayout(n);
        else
            switchScreenLayout(n);
        return true;
    }
    switch (command) {
    case Command::FullScreen:
        if (m_form.m_pBtnFullScreen->isEnabled() || m_pVideoScreen->isFullScreen())
            OnBtnFullScreenClicked();
        break;
    case Command::NextWindow:
    case Command::PreviousWindow:
        m_pVideoScreen->selectNext(command == Command::NextWindow ? 1 : -1);
        break;
    case Command::Snapshot:
        if (m_form.m_pBtnCapture->isEnabled())
            OnBtnCaptureClicked();
        break;
    case Command::SnapshotAll:
        m_pVideoScreen->snapshotAll();
        break;
    case Command::Record:
        if (m_form.m_pBtnRecord->isEnabled())
            OnBtnRecordClicked();
        break;
    case Command::Synchronise:
        if (m_form.m_pBtnSyncPlay->isEnabled())
            m_form.m_pBtnSyncPlay->click();
        break;
    case Command::Help:
        m_shortcutHelp->toggleOver(m_pVideoScreen);
        break;
    case Command::MarkIn:
        m_evidence->markIn();
        break;
    case Command::MarkOut:
        m_evidence->markOut();
        break;
    default:
        return false;
    }
    return true;
}

void window_main::runWindowShortcut(Command command)
{
    leaveFullScreen();
    switch (command) {
    case Command::OpenFiles:
        OpenFileDialog();
        break;
    case Command::OpenFolder:
        OpenDirDialog();
        break;
    case Command::Search:
        if (!m_form.m_pScrollArea->isVisible())
            ShowOrHideFiles();
        m_form.m_pSearchWidget->show();
        m_form.m_pEdtSearch->setFocus(Qt::ShortcutFocusReason);
        m_form.m_pEdtSearch->selectAll();
        break;
    case Command::Settings:
        m_form.m_pTitleBar->ShowSettingsWindow();
        break;
    case Command::Export:
        m_evidence->openExport();
        break;
    default:
        break;
    }
}

void window_main::leaveFullScreen()
{
    if (m_pVideoScreen->isFullScreen())
        m_pVideoScreen->fullScreenToggle();
}
