// Snapshots and clips of a video window.
#include "PreviewVideoFrame.h"

#include "Model_Language.h"
#include "OutputNaming.h"
#include "OutputTexts.h"
#include "PlayerApi.h"
#include "PlayerRecords.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

void PreviewVideoFrame::snapshot()
{
    if (deferWhileLoading([this] { snapshot(); }) || !m_handle)
        return;
    OutputNaming& naming = OutputNaming::instance();
    const QString path = naming.SnapshotFileName(m_currentFile);
    if (naming.folderSettingEmpty())
        emit noticeRequested(MessageNotice, QStringLiteral("dir is Empty"));
    if (!PlayerRecords::pathFits(path)) {
        emit noticeRequested(MessageNotice, Model_Language::Text(OutputTexts::PathTooLong));
        return;
    }
    capture(path, [this, path](bool written) {
        if (written)
            emit noticeRequested(PictureNotice, path);
        else
            emit noticeRequested(MessageNotice, QStringLiteral("Capture Failed"));
    });
}

void PreviewVideoFrame::capture(const QString& path, std::function<void(bool)> done)
{
    if (deferWhileLoading([this, path, done] { capture(path, done); }))
        return;
    const CaptureRequest request = PlayerRecords::captureRequest(path, m_openSerial);
    QThreadPool::globalInstance()->start(
        [window = QPointer<PreviewVideoFrame>(this), h = m_h, request, done = std::move(done)] {
            const bool written = PlayerApi::CapturePictureOnAnyThread(h, request) == 0;
            // The report goes back to the GUI thread, where the window is checked.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [window, written, done] {
                    if (window)
                        done(written);
                },
                Qt::QueuedConnection);
        });
}

void PreviewVideoFrame::recordToggle()
{
    if (deferWhileLoading([this] { recordToggle(); }) || !m_handle || m_h == 0)
        return;
    if (m_recording)
        stopClip();
    else
        startClip();
}

void PreviewVideoFrame::stopClip()
{
    // The window no longer records whatever happens to the file: a clip that
    // cannot be written is reported and leaves nothing behind.
    m_recording = false;
    const QString clip = m_clipPath;
    const int32_t rc = PlayerApi::StopLocalRecordAsync(
        m_handle.get(), m_h, [window = QPointer<PreviewVideoFrame>(this), clip](bool written) {
            if (window)
                window->clipWritten(clip, written);
        });
    if (rc != 0)
        clipWritten(clip, false);
}

void PreviewVideoFrame::clipWritten(const QString& clip, bool written)
{
    if (written)
        emit noticeRequested(ClipNotice, clip);
    else
        emit noticeRequested(MessageNotice, Model_Language::Text(OutputTexts::ClipWriteFailed));
}

void PreviewVideoFrame::startClip()
{
    const uint64_t t = PlayerApi::GetCurPlayedTime(m_handle.get(), m_h);
    if (t == 0)
        return;
    OutputNaming& naming = OutputNaming::instance();
    m_clipPath = naming.ClipFileName(m_currentFile, OutputNaming::clipInstant(t));
    if (naming.folderSettingEmpty())
        emit noticeRequested(MessageNotice, QStringLiteral("dir is Empty"));
    const QString picture = OutputNaming::ClipPictureName(m_clipPath);
    if (!PlayerRecords::pathFits(m_clipPath) || !PlayerRecords::pathFits(picture)) {
        emit noticeRequested(MessageNotice, Model_Language::Text(OutputTexts::PathTooLong));
        return;
    }
    const ClipRequest request = PlayerRecords::clipRequest(m_clipPath, picture);
    if (PlayerApi::StartLocalRecordFile(m_handle.get(), m_h, &request) != 0) {
        emit noticeRequested(MessageNotice, Model_Language::Text(OutputTexts::RecordStartFailed));
        return;
    }
    m_recording = true;
    emit noticeRequested(MessageNotice, Model_Language::Text(OutputTexts::RecordStarted));
}
