#pragma once

#include "MainWindowForm.h"
#include "PreviewVideoFrame.h"
#include "ShortcutMap.h"

#include <QFrame>
#include <QRect>
#include <QString>

class EvidenceActions;
class FileInfoFrame;
class KeyboardShortcuts;
class KvVideoScreen;
class Model_MsgHelper;
class PlayListActions;
class PlayModeMenu;
class PlaybackControls;
class SyncControls;
class QAction;
class QMenu;
class QTimer;
class TimelineActions;
class Widget_LayoutMenu;
class Widget_ShortcutHelp;

// The program's top-level window: the form with the title bar, the play list,
// the start page and the video screen, and the playback controls. Every way of
// opening recordings ends here: the dialogs, drops, the start-up file and the
// hand-overs from a second start.
class window_main : public QFrame
{
    Q_OBJECT

public:
    explicit window_main(QWidget* parent = nullptr);

    // Applies a stay-on-top mode: 0 on top while a window plays, 1 never,
    // 2 always.
    void SetStickMode(int mode);
    int stickMode() const { return m_stickMode; }
    bool isMaximisedByUser() const { return m_maximised; }
    ~window_main() override;

    // The saved play list: read once before the window is shown, written when
    // the window is destroyed.
    void LoadRecordFiles();
    void SaveRecordFiles() const;
    bool IsInPlayList(const QString& path) const;
    const QStringList& playList() const;
    PlayListActions& playListActions() const { return *m_playList; }
    PlayModeMenu& playModeMenu() const { return *m_playModes; }
    QMenu* openMenu() const { return m_openMenu; }
    QTimer* refreshTimer() const { return m_refreshTimer; }
    FileInfoFrame* fileInfoFrame() const { return m_fileInfo; }
    EvidenceActions& evidence() const { return *m_evidence; }
    TimelineActions& timeline() const { return *m_timeline; }
    Widget_ShortcutHelp* shortcutHelp() const { return m_shortcutHelp; }
    void SetStartupFile(const QString& file);
    QString startupFile() const { return m_startupFile; }
    KvVideoScreen* videoScreen() const { return m_pVideoScreen; }
    // The synchronised playback toggle; its syncShown() and seekAll() are
    // where a view of the recordings' coverage connects.
    SyncControls* syncControls() const { return m_sync; }
    const MainWindowForm& form() const { return m_form; }

    // Re-reads every interface text from the language table.
    void ApplyTexts();

public slots:
    void handleMessage(const QString& text);
    // The coverage timeline under the video screen; hidden until asked for.
    void setTimelineShown(bool shown);

signals:
    // A press or drag on the coverage timeline: every window should show
    // this recording time (us).
    void timelineSeekRequested(qint64 recordingTimeUs);
    // The main window closed: the program ends with it, whatever other
    // window of its own is still on screen.
    void closed();

private slots:
    void PlayRecordResponse(int index);
    void DropFileAddToList(const QString& path);
    void DropFileToScreenResponse(const QString& file);
    void DeleteRecordFile(int index);
    void ResetPlayInfo(const QString& startT, const QString& totalT, int value, ULONGLONG time);
    void PlayAll();
    void StopAll();
    void ShowFileInfo(bool show);
    void OpenFileDialog();
    void OpenDirDialog();
    void PostOpenFile();
    void PostOpenDir();
    void ClearFileList();
    void OnPlayModeBtnClicked();
    void SearchFileByName(const QString& text);
    void SinglePlayTriggered();
    void ListPlayTriggered();
    void SingleCircleTriggered();
    void ListCircleTriggered();
    void ShowOpenFileMenu();
    void OnPlayModeChanged(int mode);
    void OnTimerOut();
    void PlayOrPause();
    void Play();
    void Stop();
    void Fast();
    void Slow();
    void SingleFrameFoward();
    void SingleFrameBack();
    // Every key of the shortcut map ends here (window_main_keys.cpp).
    void OnShortcut(ShortcutMap::Command command);
    void SoundBtnClicked(bool checked);
    void SoundValueChanged(int value);
    void videoSliderPressed();
    void videoSliderReleased();
    void OnBtnFullScreenClicked();
    void OnBtnRecordClicked();
    void OnBtnCaptureClicked();
    void OnZoomClicked();
    void OnRenderClicked();
    void OnCurVideoStatusChanged(PreviewVideoFrame* video);
    void OnChangeBtnStatus(int state);
    void OnNoVideoIsPlaying(int count);
    void showMinResponse();
    void MaxButtonClicked();
    void CloseButtonClicked();
    void refreshSettingsResponse();
    void MoveWindow(const QPoint& delta);
    void ShowOrHideFiles();
    void OnBtnTopOrNotClicked();
    void OnSearchBtnClicked();
    void switchScreenLayout(int n);
    void showLayoutMenu();
    void ChangeLanguageResponse(int position);
    void OnVideoPlayTimerOut();
    void DropFIleToWelcomeResponse(const QString& file);

protected:
    void closeEvent(QCloseEvent* event) override;
    void customEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void connectTitleBar();
    void connectFrame();
    void followPlaybackOnTop(int count);
    void followPlaybackOnTopWhenIdle();
    void applyStickFlags(Qt::WindowFlags flags);
    void connectControls();
    void connectScreenMenu();
    void connectPlayList();
    void connectOpening();
    void connectEvidence();
    void connectTimeline();
    void connectShortcuts();
    // The parts of OnShortcut: false when the command is not theirs.
    bool runPlaybackShortcut(ShortcutMap::Command command);
    bool runScreenShortcut(ShortcutMap::Command command);
    void runWindowShortcut(ShortcutMap::Command command);
    // Dialogs and the play list are not reachable from full screen.
    void leaveFullScreen();
    // Lists file unless it is listed already, selects its entry, and plays it
    // in the selected window; with alwaysSingle the screen shows one window
    // even if the video page is already up.
    void addAndPlay(const QString& file, bool alwaysSingle);
    void showVideoPage(int layout);
    void placeFileInfo();

    MainWindowForm m_form;
    KvVideoScreen* m_pVideoScreen = nullptr;
    PlaybackControls* m_controls = nullptr;
    SyncControls* m_sync = nullptr;
    PlayListActions* m_playList = nullptr;
    PlayModeMenu* m_playModes = nullptr;
    QMenu* m_openMenu = nullptr;
    QAction* m_openFileAction = nullptr;
    QAction* m_openDirAction = nullptr;
    QTimer* m_refreshTimer = nullptr;
    FileInfoFrame* m_fileInfo = nullptr;
    EvidenceActions* m_evidence = nullptr;
    TimelineActions* m_timeline = nullptr;
    Model_MsgHelper* m_msgHelper = nullptr;
    QString m_startupFile;
    QTimer* m_startupTimer = nullptr;
    Widget_LayoutMenu* m_layoutMenu = nullptr;
    KeyboardShortcuts* m_shortcuts = nullptr;
    Widget_ShortcutHelp* m_shortcutHelp = nullptr;
    QRect m_normalGeometry;
    QPoint m_lastMouse;
    int m_pressZone = 0;
    int m_stickMode = -1;
    bool m_maximised = false;
    bool m_mouseHeld = false;
};
