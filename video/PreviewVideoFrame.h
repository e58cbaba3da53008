#pragma once

#include "PlayerTypes.h"
#include "QKvFactory.h"
#include "ZoomSelection.h"

#include <QFrame>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class FileOpener;
class VideoScreen;

using ULONGLONG = quint64;

// One tile of the video screen: plays one recording at a time through its own
// player handle, keeps its elapsed and total time, and moves through its own
// file list when a file ends, by its play mode.
class PreviewVideoFrame : public QFrame
{
    Q_OBJECT

public:
    // Kinds of notice a snapshot or clip asks the notice popup to show.
    enum NoticeKind { MessageNotice = 0, PictureNotice = 1, ClipNotice = 2 };

    explicit PreviewVideoFrame(QWidget* parent = nullptr);
    ~PreviewVideoFrame() override;

    // Opens the file off the GUI thread and plays it; until its first picture
    // the window shows the file's name and that it is loading. A window that
    // is loading counts as playing. Its play state (pause, speed) may change
    // meanwhile and is sent with the open; steps, seeks, snapshots and the
    // like are carried out, in order, once its first picture is in.
    void play(const QString& file, uint64_t startPosition);
    bool isLoading() const { return !m_loadingFile.isEmpty(); }
    void stop();
    void pause();
    void speedUp();
    void slowDown();
    void frameStep();
    // Shows exactly the frame before and stays on it (reported as a frame step).
    void frameBack();
    // Seeks by deltaUs from the frame on screen, within the file, keeping
    // the play state.
    void seekBy(qint64 deltaUs);
    // Back to playing at normal speed.
    void normalSpeed();
    void stopPlayTimer();
    // The times follow the picture again after stopPlayTimer.
    void restartPlayTimer();
    void seek(int value);
    void setPlayMode(int mode) { m_playMode = mode; }
    // A new play list; the file playing keeps its place in it for what
    // plays next.
    void setFileList(const QStringList& list);
    void soundOn(bool on);
    void selectionSound(bool on);
    void setVolume(int volume);
    void snapshot();
    // Writes the picture on screen, at the file's own resolution, to path off
    // the GUI thread; done(written) comes back on the GUI thread, and only
    // while the window lives.
    void capture(const QString& path, std::function<void(bool written)> done);
    // Holds the picture on screen without a change of play state, so that
    // several windows can be taken at one instant; false lets it go on.
    void freeze(bool on);
    void recordToggle();
    void zoomToggle();
    void aspectToggle();
    void fileInformation(FileInfoRecord* record);

    QString elapsedText() const { return m_elapsedText; }
    QString totalText() const { return m_totalText; }
    int progressValue() const { return m_value; }
    QString currentFile() const { return m_currentFile; }
    bool isPlaying() const { return m_playing; }
    // A file is open, playing, paused or stopped at its end.
    bool isOpen() const { return m_handle != nullptr; }
    // Open with its first picture in: what was asked while it loaded is done.
    bool hasPicture() const { return m_handle != nullptr && !m_awaitingPicture; }
    bool isPaused() const { return m_paused; }
    bool isZoomMode() const { return m_zoomMode; }
    bool isRecording() const { return m_recording; }
    bool isSoundWanted() const { return m_soundWanted; }
    bool isSoundOpen() const { return m_soundOpen; }
    int playState() const { return m_state; }
    int playMode() const { return m_playMode; }
    int volume() const { return m_volume; }
    int aspectMode() const { return m_aspectMode; }
    int currentIndex() const { return m_index; }
    // The recording time of the open file's start and its length, us; 0
    // without a file.
    uint64_t recordingStart() const { return m_first; }
    uint64_t recordingLength() const { return m_total; }
    // The recording time of the picture shown; 0 when there is none.
    uint64_t playedTime() const;
    QStringList fileList() const { return m_fileList; }
    VideoScreen* surface() const { return m_surface; }
    // The library instance playing the open file; 0 without one.
    uint32_t instance() const { return m_h; }

    // Synchronised playback (PreviewVideoFrameSync.cpp). While synced the
    // window's player follows the screen's clock: at the end of its file the
    // window holds its last picture instead of moving on by its play mode.
    void enterSync();
    // Playing on alone, in the clock's last state.
    void leaveSync(int state);
    bool isSynced() const { return m_synced; }
    void showNoRecording(bool on);
    // Closes the file that ended and plays file, keeping the last picture on
    // screen until the new file's first one replaces it.
    void continueInto(const QString& file);

signals:
    void changeBtnStatus(int playMode);
    void dropFileToScreen(const QString& file);
    void dropFileToScreen(QObject* window);
    void playTimeChanged(const QString& startT, const QString& totalT, int value, ULONGLONG time);
    void PlayOrStopSignal(int i);
    // A snapshot or clip result for the notice popup.
    void noticeRequested(int kind, const QString& text);
    // The file ended while synced; the window holds its last picture.
    void syncedFileEnded();

public slots:
    void OnTimer();

protected:
    void customEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static void drawNothing(uint32_t, const uint8_t*, int32_t, int32_t, int32_t, void*);
    void beginOpen(const QString& file, uint64_t startPosition);
    void onOpened();
    void abandonOpen();
    // Until the file is open and its first picture is in, what needs a file
    // or a picture waits, in order; true when action was kept for then. The
    // play state is only remembered meanwhile and sent with the open.
    bool deferWhileLoading(std::function<void()> action);
    void onFramePresented();
    void runPending();
    void resume();
    void sendState(int state);
    void resetTimes();
    // The library's end of the file, exact once it has indexed the file.
    void readLength();
    void endOfFile();
    void leaveZoom();
    void openSound();
    void closeSound();
    void zoomEvent(QEvent* event);
    // Shows the part of the picture under selection (surface pixels).
    void zoomInto(const QRect& selection);
    void startClip();
    void stopClip();
    void clipWritten(const QString& clip, bool written);
    // The library moves to a step or seek target on its own time: the time
    // texts follow once the picture on screen has changed.
    void followPosition();
    void followTick();

    VideoScreen* m_surface = nullptr;
    FileOpener* m_opener = nullptr;
    QString m_loadingFile;
    std::vector<std::function<void()>> m_pending;
    bool m_awaitingPicture = false;
    QTimer m_timer;
    std::unique_ptr<PlayerHandle> m_handle;
    uint32_t m_h = 0;
    // Tells this window's end-of-file messages from those of a file it
    // played before, which may still be on their way.
    uint32_t m_openSerial = 0;

    QString m_currentFile;
    QStringList m_fileList;
    int m_index = 0;
    int m_playMode = 0;
    QString m_elapsedText;
    QString m_totalText;
    int m_value = 0;
    QString m_clipPath;
    int m_volume = 15;
    int m_aspectMode = 0;
    int m_state = PlayStateStop;
    uint64_t m_total = 0;
    uint64_t m_first = 0;
    uint64_t m_last = 0;

    bool m_playing = false;
    bool m_recording = false;
    bool m_zoomMode = false;
    bool m_soundOpen = false;
    bool m_soundWanted = false;
    bool m_soundSuppressed = false;
    bool m_paused = false;
    ZoomSelection m_zoom;
    // The part of the picture shown while zoomed, picture pixels; null for all.
    QRect m_view;
    QTimer m_followTimer;
    uint64_t m_followFrom = 0;
    int m_followTicks = 0;
    bool m_frozen = false;
    bool m_synced = false;
    bool m_keepPicture = false;
};
