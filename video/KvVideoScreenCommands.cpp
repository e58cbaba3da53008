// The screen's commands: those for the selected window, those for all
// windows, and the full-screen toggle.

#include "KvVideoScreen.h"

#include "PlaybackRules.h"
#include "PreviewVideoFrame.h"
#include "SyncPlayback.h"
#include "VideoScreenMenu.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStackedWidget>

#include <algorithm>

void KvVideoScreen::pause()
{
    if (isSynced())
        m_sync->pause();
    else if (m_selected)
        m_selected->pause();
}

void KvVideoScreen::stop()
{
    if (m_selected)
        m_selected->stop();
}

void KvVideoScreen::soundOn(bool on)
{
    if (m_selected)
        m_selected->soundOn(on);
}

void KvVideoScreen::setVolume(int volume)
{
    if (m_selected)
        m_selected->setVolume(volume);
}

void KvVideoScreen::fileInformation(FileInfoRecord* record)
{
    if (m_selected)
        m_selected->fileInformation(record);
}

void KvVideoScreen::speedUp()
{
    if (isSynced())
        m_sync->speedUp();
    else if (m_selected)
        m_selected->speedUp();
}

void KvVideoScreen::slowDown()
{
    if (isSynced())
        m_sync->slowDown();
    else if (m_selected)
        m_selected->slowDown();
}

void KvVideoScreen::frameStep()
{
    if (isSynced())
        m_sync->step();
    else if (m_selected)
        m_selected->frameStep();
}

void KvVideoScreen::frameBack()
{
    if (isSynced())
        m_sync->stepBack();
    else if (m_selected)
        m_selected->frameBack();
}

void KvVideoScreen::seekBy(qint64 deltaUs)
{
    if (isSynced())
        m_sync->seekBy(deltaUs);
    else if (m_selected)
        m_selected->seekBy(deltaUs);
}

void KvVideoScreen::normalSpeed()
{
    if (isSynced())
        m_sync->normalSpeed();
    else if (m_selected)
        m_selected->normalSpeed();
}

void KvVideoScreen::seek(int value)
{
    if (isSynced() && m_selected && m_selected->isOpen()) {
        m_sync->seekTo(PlaybackRules::seekTarget(m_selected->recordingStart(), m_selected->recordingLength(), value));
        m_selected->restartPlayTimer();
    } else if (m_selected)
        m_selected->seek(value);
}

void KvVideoScreen::recordToggle()
{
    if (m_selected)
        m_selected->recordToggle();
}

void KvVideoScreen::zoomToggle()
{
    if (m_selected)
        m_selected->zoomToggle();
}

void KvVideoScreen::snapshot()
{
    if (m_selected)
        m_selected->snapshot();
}

void KvVideoScreen::aspectToggle()
{
    if (isSelectedPlaying())
        m_selected->aspectToggle();
}

void KvVideoScreen::stopPlayTimer()
{
    if (m_selected)
        m_selected->stopPlayTimer();
}

bool KvVideoScreen::isSelectedPlaying() const
{
    if (isSynced())
        return m_sync->isPlaying() && m_selected && m_selected->isOpen();
    return m_selected && m_selected->isPlaying();
}

void KvVideoScreen::playFiles(const QStringList& files)
{
    const qsizetype count = std::min<qsizetype>(files.size(), kWindowCount);
    if (isSynced()) {
        // One clock: all of them pause, or the missing ones open and all play.
        if (m_sync->isPlaying()) {
            m_sync->pause();
            return;
        }
        for (qsizetype i = 0; i < count; ++i) {
            if (!m_windows[static_cast<size_t>(i)]->isOpen())
                m_windows[static_cast<size_t>(i)]->play(files[i], 0);
        }
        m_sync->play();
        return;
    }
    for (qsizetype i = 0; i < count; ++i) {
        PreviewVideoFrame* window = m_windows[static_cast<size_t>(i)];
        if (window->isPlaying())
            window->pause();
        else
            window->play(files[i], 0);
    }
}

void KvVideoScreen::selectNext(int step)
{
    const int count = m_layout * m_layout;
    const auto found = std::find(m_windows.begin(), m_windows.end(), m_selected);
    const int index = found == m_windows.end() ? 0 : static_cast<int>(found - m_windows.begin());
    const int next = ((index + step) % count + count) % count;
    setSelectedVideo(m_windows[static_cast<size_t>(next)]);
    if (m_singleWindow)
        installGrid({m_selected}, 1, 2);
}

void KvVideoScreen::playInSelected(const QString& file)
{
    if (!m_selected)
        return;
    if (!isSynced() || !m_selected->isOpen() || m_selected->currentFile() != file)
        m_selected->play(file, 0);
    if (isSynced())
        m_sync->play();
    setSelectedVideo(m_selected);
    emit NoVideoIsPlaying(m_playing);
}

void KvVideoScreen::stopAll()
{
    // Paused windows hold their files (and clips) too.
    for (PreviewVideoFrame* window : m_windows) {
        if (window->isOpen() || window->isLoading())
            window->stop();
    }
}

void KvVideoScreen::stopByName(const QString& name)
{
    const bool all = name == QStringLiteral("ALL");
    for (PreviewVideoFrame* window : m_windows) {
        if (all ? window->isOpen() || window->isLoading() : window->currentFile() == name)
            window->stop();
    }
}

void KvVideoScreen::setPlayMode(int mode)
{
    for (PreviewVideoFrame* window : m_windows)
        window->setPlayMode(mode);
}

void KvVideoScreen::setFileList(const QStringList& files)
{
    for (PreviewVideoFrame* window : m_windows)
        window->setFileList(files);
}

void KvVideoScreen::fullScreenToggle()
{
    if (!m_fullScreen) {
        if (auto* stack = qobject_cast<QStackedWidget*>(parentWidget()))
            enterFullScreen(stack);
    } else if (m_stack) {
        leaveFullScreen(m_stack);
    }
}

void KvVideoScreen::enterFullScreen(QStackedWidget* stack)
{
    m_stack = stack;
    stack->removeWidget(this);
    setParent(nullptr);
    setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    stack->window()->hide();
    if (stack->parentWidget())
        stack->parentWidget()->hide();
    move(QCursor::pos());
    // Full screen is a request to the window manager; covering the screen
    // under the cursor ourselves keeps it full where none honours it.
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    setMouseTracking(true);
    // Pointer moves over the video windows, which do not track the mouse,
    // reach only the application's filters; they bring the control bar back.
    qApp->installEventFilter(this);
    showFullScreen();
    setFocus(Qt::OtherFocusReason);
    m_menu->fullScreen->setChecked(true);
    m_fullScreen = true;
    // The control bar followed nothing while hidden; the selected window's
    // report brings it up to date.
    if (m_selected)
        emit curVideoStatusChanged(m_selected);
}

void KvVideoScreen::leaveFullScreen(QStackedWidget* stack)
{
    qApp->removeEventFilter(this);
    showNormal();
    setWindowFlags({});
    setMouseTracking(false);
    stack->insertWidget(1, this);
    stack->window()->show();
    if (stack->parentWidget())
        stack->parentWidget()->show();
    stack->setCurrentIndex(1);
    m_menu->fullScreen->setChecked(false);
    m_controlBar->hide();
    m_fullScreen = false;
}
