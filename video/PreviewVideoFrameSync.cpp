// A video window in synchronised playback: its player follows the screen's
// recording-time clock, which the window itself never drives.

#include "PreviewVideoFrame.h"

#include "Model_Language.h"
#include "SyncTexts.h"
#include "VideoScreen.h"

void PreviewVideoFrame::enterSync()
{
    m_synced = true;
    // The times go on following the picture whatever the clock does.
    restartPlayTimer();
}

void PreviewVideoFrame::restartPlayTimer()
{
    if (m_handle && !m_timer.isActive())
        m_timer.start();
}

void PreviewVideoFrame::leaveSync(int state)
{
    m_synced = false;
    showNoRecording(false);
    if (!m_handle)
        return;
    m_state = state;
    m_paused = state == PlayStatePause;
    m_playing = !m_paused;
    if (m_paused)
        m_timer.stop();
    emit changeBtnStatus(state);
}

void PreviewVideoFrame::showNoRecording(bool on)
{
    m_surface->setNoRecording(on, on ? Model_Language::Text(SyncTexts::kNoRecording) : QString());
}

void PreviewVideoFrame::continueInto(const QString& file)
{
    const bool synced = m_synced;
    m_keepPicture = true;
    stop();
    m_synced = synced;
    play(file, 0);
    m_keepPicture = false;
}
