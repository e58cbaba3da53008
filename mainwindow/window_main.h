#pragma once

#include "MainWindowForm.h"

#include <QFrame>
#include <QString>

class KvVideoScreen;
class PreviewVideoFrame;
class PlaybackControls;
class QTimer;

// The program's top-level window: the form with the title bar, the start page
// and the video screen, the playback controls, the start-up file and the
// second-start hand-overs. The play list is added with its own work.
class window_main : public QFrame
{
    Q_OBJECT

public:
    explicit window_main(QWidget* parent = nullptr);
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
    void MoveWindow(const QPoint& delta);
    void OnVideoPlayTimerOut();

private:
    void connectTitleBar();
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
};
