#pragma once

#include "MainWindowForm.h"

#include <QFrame>
#include <QRect>
#include <QString>

class KvVideoScreen;
class PreviewVideoFrame;
class PlaybackControls;
class QTimer;
class Widget_LayoutMenu;

// The program's top-level window: the form with the title bar, the start page
// and the video screen, the playback controls, the start-up file and the
// second-start hand-overs. The play list is added with its own work.
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

    void LoadRecordFiles();
    void SetStartupFile(const QString& file);
    QString startupFile() const { return m_startupFile; }
    KvVideoScreen* videoScreen() const { return m_pVideoScreen; }
    const MainWindowForm& form() const { return m_form; }

    // Re-reads every interface text from the language table.
    void ApplyTexts();

public slots:
    void handleMessage(const QString& text);

private slots:
    void PlayOrPause();
    void Play();
    void Stop();
    void Fast();
    void Slow();
    void SingleFrameFoward();
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void connectTitleBar();
    void connectFrame();
    void followPlaybackOnTop(int count);
    void connectControls();
    void connectScreenMenu();
    void playFile(const QString& file);

    MainWindowForm m_form;
    KvVideoScreen* m_pVideoScreen = nullptr;
    PlaybackControls* m_controls = nullptr;
    QString m_startupFile;
    // The file last handed to the window; stands in for the play list's
    // selected entry until the play list is shown.
    QString m_selectedFile;
    QTimer* m_startupTimer = nullptr;
    Widget_LayoutMenu* m_layoutMenu = nullptr;
    QRect m_normalGeometry;
    QPoint m_lastMouse;
    int m_pressZone = 0;
    int m_stickMode = -1;
    bool m_maximised = false;
    bool m_mouseHeld = false;
};
