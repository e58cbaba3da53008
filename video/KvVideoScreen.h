#pragma once

#include "PlayerTypes.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class PreviewVideoFrame;
class QAction;
class QGridLayout;
class QStackedWidget;
class SyncPlayback;
class VideoScreenMenu;

// The video area: sixteen video windows shown 1, 4, 9 or 16 at a time, one of
// them selected. Commands go to the selected window; the screen can show one
// window alone, leave the main window to fill the screen, and offers a
// context menu.
class KvVideoScreen : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWindowCount = 16;

    explicit KvVideoScreen(QWidget* parent = nullptr);
    ~KvVideoScreen() override;

    PreviewVideoFrame* window(int index) const { return m_windows.at(static_cast<size_t>(index)); }
    PreviewVideoFrame* selectedVideo() const { return m_selected; }
    VideoScreenMenu* contextMenu() const { return m_menu; }
    // Synchronised playback of all windows; while it is on, the commands
    // for the selected window act on every window through its clock.
    SyncPlayback* sync() const { return m_sync; }
    bool isSynced() const;
    void setSynced(bool on);
    QWidget* controlBar() const { return m_controlBar; }
    // Puts the full-screen control bar below the windows in place of the
    // placeholder; the screen takes ownership.
    void setControlBar(QWidget* bar);
    int layoutSize() const { return m_layout; }
    bool isSingleWindow() const { return m_singleWindow; }
    bool isFullScreen() const { return m_fullScreen; }
    int playingCount() const { return m_playing; }

    // On the selected window.
    void pause();
    void stop();
    void soundOn(bool on);
    void setVolume(int volume);
    void fileInformation(FileInfoRecord* record);
    void speedUp();
    void slowDown();
    void frameStep();
    void frameBack();
    void seekBy(qint64 deltaUs);
    void normalSpeed();
    void seek(int value);
    void recordToggle();
    void zoomToggle();
    void snapshot();
    void aspectToggle();
    void stopPlayTimer();
    bool isSelectedPlaying() const;

    // On all windows.
    void playFiles(const QStringList& files);
    // Moves the selection step windows on among those the layout shows,
    // round the end; in single-window view the newly selected one is shown.
    void selectNext(int step);
    // One picture of every shown window with a file, all held at one
    // instant, and one of the screen with what is drawn over it; one notice.
    void snapshotAll();
    void playInSelected(const QString& file);
    void stopAll();
    void stopByName(const QString& name);
    void setPlayMode(int mode);
    void setFileList(const QStringList& files);
    void setLayout(int n);
    void fullScreenToggle();
    void singleWindowToggle();
    void retranslate();

signals:
    void DropFileToVideoScreen(const QString& fileName);
    void curVideoStatusChanged(PreviewVideoFrame* window);
    void NoVideoIsPlaying(int count);
    void ChangeWindowFlags();
    void PlayModeChanged(int mode);
    // Synchronised playback went on or off, by any of its controls.
    void syncToggled(bool on);
    // A result for the notice popup, of the kinds the windows use.
    void noticeRequested(int kind, const QString& text);

public slots:
    void setSelectedVideo(PreviewVideoFrame* window);
    void OnMenuStickTriggered(QAction* action);
    void OnMenuPlayModeTriggered(QAction* action);
    void OnMenuLayoutTriggered(QAction* action);
    void OnPlayOrStop(int i);
    void OnDropFileToScreen(QObject* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void createWindows();
    void installGrid(const QList<PreviewVideoFrame*>& shown, int columns, int spacing);
    void enterFullScreen(QStackedWidget* stack);
    void leaveFullScreen(QStackedWidget* stack);

    std::array<PreviewVideoFrame*, kWindowCount> m_windows{};
    PreviewVideoFrame* m_selected = nullptr;
    QWidget* m_controlBar = nullptr;
    VideoScreenMenu* m_menu = nullptr;
    SyncPlayback* m_sync = nullptr;
    QStackedWidget* m_stack = nullptr;
    int m_playing = 0;
    int m_layout = 1;
    bool m_singleWindow = false;
    bool m_fullScreen = false;
};
