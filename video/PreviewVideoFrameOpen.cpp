// Opening a file in a video window: on a worker thread, with the window's
// name and loading state shown until the first picture.
#include "PreviewVideoFrame.h"

#include "FileOpener.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "OutputTexts.h"
#include "PlayerApi.h"
#include "PlayerRecords.h"
#include "VideoScreen.h"
#include "VideoTexts.h"

#include <QFileInfo>

namespace {

uint32_t nextSerial()
{
    static uint32_t serial = 0;
    if (++serial == 0)
        ++serial;
    return serial;
}

// Runs on the worker: everything here is the library's or the adapter's,
// which take calls from any thread.
OpenedFile openOnWorker(QWidget* surface, QObject* eventTarget, uint32_t serial, const QByteArray& path,
                        uint64_t startPosition)
{
    PlayWindowParam window;
    window.surface = surface;
    window.flags = kPlayFlagsVideoWindow;
    PlayFileParam param;
    param.eventTarget = eventTarget;
    param.user = serial;
    PlayerRecords::copyPath(param.path, sizeof(param.path), path);
    OpenedFile out;
    out.handle = PlayerApi::OpenPlayFile(0, &window, &param);
    if (!out.handle)
        return out;
    out.instance = param.instance;
    if (startPosition != 0)
        PlayerApi::SetCurPlayedTime(out.handle.get(), out.instance, static_cast<uint32_t>(startPosition),
                                    static_cast<uint32_t>(startPosition >> 32));
    PlayerApi::GetPlayFileTimeRange(out.handle.get(), out.instance, &out.first, &out.last);
    return out;
}

}

void PreviewVideoFrame::play(const QString& file, uint64_t startPosition)
{
    if (isLoading() && (file == m_loadingFile || m_paused)) {
        resume();
        return;
    }
    if ((m_handle || isLoading()) && !m_paused && file != m_currentFile)
        stop();
    if (m_handle) {
        resume();
        return;
    }
    if (!QFileInfo::exists(file))
        return;
    if (!PlayerRecords::pathFits(file)) {
        emit noticeRequested(MessageNotice, Model_Language::Text(OutputTexts::PathTooLong));
        return;
    }
    beginOpen(file, startPosition);
    m_playing = true;
    m_paused = false;
    m_currentFile = file;
    const qsizetype index = m_fileList.lastIndexOf(file);
    if (index >= 0)
        m_index = static_cast<int>(index);
    emit changeBtnStatus(PlayStatePlay);
    emit PlayOrStopSignal(1);
}

void PreviewVideoFrame::beginOpen(const QString& file, uint64_t startPosition)
{
    m_loadingFile = file;
    m_pending.clear();
    m_awaitingPicture = true;
    m_openSerial = nextSerial();
    m_state = PlayStatePlay;
    // A recording that continues into its next segment keeps its last
    // picture until the new file's first one replaces it.
    if (!m_keepPicture) {
        m_surface->clearFrame();
        m_surface->setPlaceholder(QFileInfo(file).fileName() + QLatin1Char('\n') +
                                  Model_Language::Text(VideoTexts::kLoading));
    }
    m_opener->start([surface = static_cast<QWidget*>(m_surface), target = static_cast<QObject*>(this),
                     serial = m_openSerial, path = file.toUtf8(), startPosition] {
        return openOnWorker(surface, target, serial, path, startPosition);
    });
}

void PreviewVideoFrame::onOpened()
{
    OpenedFile opened = m_opener->take();
    m_loadingFile.clear();
    if (!opened.handle) {
        m_pending.clear();
        m_awaitingPicture = false;
        m_surface->setPlaceholder(QString());
        m_openSerial = 0;
        m_state = PlayStateStop;
        m_playing = false;
        emit changeBtnStatus(PlayStateStop);
        emit PlayOrStopSignal(-1);
        return;
    }
    m_handle = std::move(opened.handle);
    m_h = opened.instance;
    m_surface->setAttached(true);
    if (Model_Customize::instance().isBrand(Model_Customize::PELMARK))
        PlayerApi::RegisterDrawFun(m_handle.get(), m_h, drawNothing, this, m_surface);
    m_first = opened.first;
    m_last = opened.last;
    m_total = m_last > m_first ? m_last - m_first : 0;
    if (m_state != PlayStatePlay)
        PlayerApi::SetPlayMode(m_handle.get(), m_h, m_state, 256, 0, 0);
    if (!m_paused)
        m_timer.start();
    if (m_soundWanted && !m_soundSuppressed)
        openSound();
    // The first picture may have come in before the window heard of the open.
    if (playedTime() != 0)
        runPending();
}

bool PreviewVideoFrame::deferWhileLoading(std::function<void()> action)
{
    // The library may show the first picture before the surface's report of
    // it comes round: what waited goes first.
    if (m_awaitingPicture && playedTime() != 0)
        runPending();
    if (!m_awaitingPicture)
        return false;
    m_pending.push_back(std::move(action));
    return true;
}

void PreviewVideoFrame::onFramePresented()
{
    if (m_handle && m_awaitingPicture)
        runPending();
}

void PreviewVideoFrame::runPending()
{
    m_awaitingPicture = false;
    std::vector<std::function<void()>> pending = std::move(m_pending);
    m_pending.clear();
    for (const std::function<void()>& action : pending) {
        action();
        if (!m_handle)
            break;
    }
}

void PreviewVideoFrame::abandonOpen()
{
    m_opener->cancel();
    m_loadingFile.clear();
    m_pending.clear();
    m_awaitingPicture = false;
    m_openSerial = 0;
    m_surface->setPlaceholder(QString());
    m_state = PlayStateStop;
    m_playing = false;
    m_paused = false;
    emit PlayOrStopSignal(-1);
}
