#include "PreviewVideoFrame.h"

#include "Diagnostics.h"
#include "FileOpener.h"
#include "Model_Customize.h"
#include "PlaybackRules.h"
#include "PlayerApi.h"
#include "PlayerRecords.h"
#include "events/QConnectEvent.h"
#include "VideoScreen.h"
#include "ZoomMapping.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QResizeEvent>

namespace {

constexpr int kTimerMs = 500;
const QString kZeroTime = QStringLiteral("00:00:00");

}

// The window draws nothing into the library's frames: its zoom selection is
// painted by the surface on the GUI thread.
void PreviewVideoFrame::drawNothing(uint32_t, const uint8_t*, int32_t, int32_t, int32_t, void*) {}

PreviewVideoFrame::PreviewVideoFrame(QWidget* parent)
    : QFrame(parent)
    , m_surface(new VideoScreen(this))
    , m_opener(new FileOpener(this))
    , m_elapsedText(kZeroTime)
    , m_totalText(kZeroTime)
{
    m_surface->setAttached(false);
    m_surface->setRepaintRequest([this] {
        if (m_handle)
            PlayerApi::SyncRePaint(m_handle.get(), m_h);
    });
    m_surface->installEventFilter(this);
    m_timer.setInterval(kTimerMs);
    connect(&m_timer, &QTimer::timeout, this, &PreviewVideoFrame::OnTimer);
    connect(&m_followTimer, &QTimer::timeout, this, &PreviewVideoFrame::followTick);
    connect(m_opener, &FileOpener::opened, this, &PreviewVideoFrame::onOpened);
    connect(m_surface, &VideoScreen::framePresented, this, &PreviewVideoFrame::onFramePresented);
    setAcceptDrops(true);
}

PreviewVideoFrame::~PreviewVideoFrame()
{
    stop();
    // Before the surface goes: an abandoned open may still be presenting to it.
    delete m_opener;
    m_opener = nullptr;
}

void PreviewVideoFrame::readLength()
{
    // Only the end moves: a raw stream's estimate, or the container's own
    // measure of a file whose timestamps reset, becomes the whole length.
    uint64_t first = 0;
    uint64_t last = 0;
    if (PlayerApi::GetPlayFileTimeRange(m_handle.get(), m_h, &first, &last) != 0 || last <= m_first)
        return;
    m_last = last;
    m_total = m_last - m_first;
}

void PreviewVideoFrame::resume()
{
    sendState(PlayStatePlay);
    if (!m_timer.isActive())
        m_timer.start();
    m_playing = true;
    m_paused = false;
}

void PreviewVideoFrame::sendState(int state)
{
    // While the file opens, the state is only remembered: the open sends it.
    m_state = state;
    if (m_handle)
        PlayerApi::SetPlayMode(m_handle.get(), m_h, state, 256, 0, 0);
    emit changeBtnStatus(state);
}

void PreviewVideoFrame::stop()
{
    if (m_opener->busy())
        abandonOpen();
    m_pending.clear();
    m_awaitingPicture = false;
    if (!m_handle)
        return;
    if (m_zoomMode)
        leaveZoom();
    if (m_soundOpen)
        closeSound();
    if (m_recording)
        recordToggle();
    PlayerApi::ClosePlayFile(m_handle.get());
    m_surface->setAttached(false);
    if (!m_keepPicture)
        m_surface->clearFrame();
    m_surface->setPlaceholder(QString());
    m_handle.reset();
    m_h = 0;
    m_openSerial = 0;
    m_state = PlayStateStop;
    resetTimes();
    m_timer.stop();
    m_followTimer.stop();
    m_frozen = false;
    m_playing = false;
    m_paused = false;
    showNoRecording(false);
    emit playTimeChanged(kZeroTime, kZeroTime, 0, 0);
    emit PlayOrStopSignal(-1);
    update();
}

void PreviewVideoFrame::resetTimes()
{
    m_first = m_last = m_total = 0;
    m_elapsedText = m_totalText = kZeroTime;
    m_value = 0;
}

void PreviewVideoFrame::pause()
{
    if (!m_handle && !isLoading())
        return;
    m_timer.stop();
    m_playing = false;
    m_paused = true;
    sendState(PlayStatePause);
}

void PreviewVideoFrame::speedUp()
{
    if (m_handle || isLoading())
        sendState(PlaybackRules::speedUp(m_state));
}

void PreviewVideoFrame::slowDown()
{
    if (m_handle || isLoading())
        sendState(PlaybackRules::slowDown(m_state));
}

void PreviewVideoFrame::frameStep()
{
    if (deferWhileLoading([this] { frameStep(); }) || !m_handle)
        return;
    sendState(PlayStateStep);
    followPosition();
}

void PreviewVideoFrame::stopPlayTimer()
{
    m_timer.stop();
}

void PreviewVideoFrame::seek(int value)
{
    if (deferWhileLoading([this, value] { seek(value); }) || !m_handle)
        return;
    const uint64_t target = PlaybackRules::seekTarget(m_first, m_total, value);
    PlayerApi::SetCurPlayedTime(m_handle.get(), m_h, static_cast<uint32_t>(target),
                                static_cast<uint32_t>(target >> 32));
    m_state = PlayStatePlay;
    m_timer.start();
}

uint64_t PreviewVideoFrame::playedTime() const
{
    return m_handle ? PlayerApi::GetCurPlayedTime(m_handle.get(), m_h) : 0;
}

void PreviewVideoFrame::OnTimer()
{
    if (!m_handle)
        return;
    const uint64_t t = PlayerApi::GetCurPlayedTime(m_handle.get(), m_h);
    if (t == 0)
        return;
    readLength();
    const uint64_t elapsed = PlaybackRules::elapsedAt(t, m_first);
    m_elapsedText = PlaybackRules::timeText(elapsed);
    m_totalText = PlaybackRules::timeText(m_total);
    if (m_total == 0)
        return;
    m_value = PlaybackRules::progressValue(elapsed, m_total);
    emit playTimeChanged(m_elapsedText, m_totalText, m_value, t);
}

void PreviewVideoFrame::customEvent(QEvent* event)
{
    if (event->type() != AdapterEventType::PlayerMessage)
        return;
    const auto* message = static_cast<QConnectEvent*>(event);
    if (message->code() == kPlayMessageEndOfFile && m_handle && message->user() == m_openSerial)
        endOfFile();
}

void PreviewVideoFrame::setFileList(const QStringList& list)
{
    m_fileList = list;
    if (m_handle || isLoading())
        m_index = PlaybackRules::indexAfterEdit(m_fileList, m_currentFile, m_index);
}

void PreviewVideoFrame::endOfFile()
{
    if (m_synced) {
        emit syncedFileEnded();
        return;
    }
    stop();
    const std::optional<int> next =
        PlaybackRules::nextAfterEnd(m_playMode, m_index, static_cast<int>(m_fileList.size()));
    if (!next)
        return;
    m_index = *next;
    play(m_fileList.at(*next), 0);
}

void PreviewVideoFrame::openSound()
{
    PlayerApi::OpenSound(m_handle.get(), m_h);
    m_soundOpen = true;
    PlayerApi::SetPlayVolume(m_handle.get(), m_h, m_volume);
}

void PreviewVideoFrame::closeSound()
{
    PlayerApi::CloseSound(m_handle.get(), m_h);
    m_soundOpen = false;
}

void PreviewVideoFrame::soundOn(bool on)
{
    m_soundWanted = on;
    if (!m_handle)
        return;
    if (on)
        openSound();
    else
        closeSound();
}

void PreviewVideoFrame::selectionSound(bool on)
{
    if (!m_playing)
        return;
    m_soundSuppressed = !on;
    if (!m_handle)
        return;
    if (on)
        openSound();
    else
        closeSound();
}

void PreviewVideoFrame::setVolume(int volume)
{
    m_volume = volume;
    if (m_handle)
        PlayerApi::SetPlayVolume(m_handle.get(), m_h, volume);
}

void PreviewVideoFrame::resizeEvent(QResizeEvent* event)
{
    m_surface->setGeometry(1, 1, event->size().width() - 2, event->size().height() - 2);
    QFrame::resizeEvent(event);
}

void PreviewVideoFrame::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void PreviewVideoFrame::dropEvent(QDropEvent* event)
{
    const QString file = PlaybackRules::droppedFile(*event->mimeData());
    if (file.isEmpty() || !PlaybackRules::acceptsDrop(file, Model_Customize::instance()))
        return;
    if (!m_fileList.contains(file)) {
        m_fileList.append(file);
        emit dropFileToScreen(file);
    }
    play(file, 0);
    emit dropFileToScreen(static_cast<QObject*>(this));
}

void PreviewVideoFrame::zoomToggle()
{
    if (deferWhileLoading([this] { zoomToggle(); }) || !m_handle || m_h == 0)
        return;
    if (m_zoomMode) {
        leaveZoom();
        return;
    }
    if (PlayerApi::RegisterDrawFun(m_handle.get(), m_h, drawNothing, this, m_surface) != 0)
        return;
    m_surface->setCursor(QCursor(QPixmap(QStringLiteral(":/icons/gray1/cursor.png")), -1, -1));
    m_zoomMode = true;
}

void PreviewVideoFrame::leaveZoom()
{
    PlayerApi::RegisterDrawFun(m_handle.get(), m_h, nullptr, this, m_surface);
    PlayerApi::AdjustViewArea(m_handle.get(), m_h, ViewRegion{}, 0, 0);
    m_surface->unsetCursor();
    m_surface->setSelection({});
    m_view = {};
    m_zoomMode = false;
}

bool PreviewVideoFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_surface && m_zoomMode)
        zoomEvent(event);
    return QFrame::eventFilter(watched, event);
}

void PreviewVideoFrame::zoomEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_zoom.press(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::MouseMove:
        if (m_zoom.move(static_cast<QMouseEvent*>(event)->position().toPoint()))
            m_surface->setSelection(m_zoom.rect());
        break;
    case QEvent::MouseButtonRelease: {
        if (!m_zoom.isHeld())
            break;
        const ZoomSelection::Region region = m_zoom.release(m_surface->size());
        m_surface->setSelection({});
        if (region.width == 0) {
            // A click without a drag shows the whole picture again.
            PlayerApi::AdjustViewArea(m_handle.get(), m_h,
                                      ViewRegion{region.left, region.top, region.right, region.bottom}, 0, 0);
            m_view = {};
            break;
        }
        zoomInto(QRect(QPoint(region.left, region.top), QPoint(region.right, region.bottom)));
        break;
    }
    default:
        break;
    }
}

void PreviewVideoFrame::zoomInto(const QRect& selection)
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t bits = 0;
    if (PlayerApi::GetPictureInfo(m_handle.get(), m_h, &width, &height, &bits) != 0 || width <= 0 || height <= 0)
        return;
    const QRect whole(0, 0, width, height);
    const QRect view = m_view.isValid() && whole.contains(m_view) ? m_view : whole;
    const QRect chosen = ZoomMapping::pictureRegion(selection, m_surface->size(), view, m_aspectMode);
    if (chosen.width() < 2 || chosen.height() < 2)
        return;
    // Insets from the picture's edges, passed as they are.
    const ViewRegion insets{chosen.left(), chosen.top(), width - 1 - chosen.right(), height - 1 - chosen.bottom()};
    if (PlayerApi::AdjustViewArea(m_handle.get(), m_h, insets, 0, 0) == 0)
        m_view = chosen;
}

void PreviewVideoFrame::aspectToggle()
{
    if (deferWhileLoading([this] { aspectToggle(); }) || !m_handle || m_h == 0)
        return;
    if (m_aspectMode == 0)
        m_aspectMode = 2;
    else if (m_aspectMode == 2)
        m_aspectMode = 3;
    else if (m_aspectMode == 3)
        m_aspectMode = 0;
    PlayerApi::SetAspectMode(m_handle.get(), m_h, m_aspectMode);
}

void PreviewVideoFrame::fileInformation(FileInfoRecord* record)
{
    *record = PlayerRecords::fileInfoRecord(m_currentFile);
    PlayerApi::GetFileInfo(m_handle.get(), record);
    KV_DIAG() << "param.time = " << record->time;
}
