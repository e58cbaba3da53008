#pragma once

#include "ControlStates.h"
#include "PreviewVideoFrame.h"

#include <QObject>
#include <QPointer>

#include <functional>

class KvVideoScreen;
class MainWindowForm;
class Widget_ControlBar;

// The work behind the main window's playback controls: commands go to the
// video screen's selected window, and the controls mirror the state of the
// current video window (enabled buttons, pictures, times, speed text).
class PlaybackControls : public QObject
{
    Q_OBJECT

public:
    // selectedFile gives the play list's selected path, empty when none.
    PlaybackControls(MainWindowForm& form, KvVideoScreen& screen, std::function<QString()> selectedFile,
                     QObject* parent);

    PreviewVideoFrame* currentVideo() const { return m_current; }
    // True once the user stopped the current window himself.
    bool userStopped() const { return m_userStopped; }

    void PlayOrPause();
    void Play();
    void Stop();
    void Fast();
    void Slow();
    void SingleFrameFoward();
    void SingleFrameBack();
    // Moves the volume slider the user sees (the bar's in full screen) by
    // delta, which sets the volume; nothing while the slider is disabled.
    void adjustVolume(int delta);
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
    void ResetPlayInfo(const QString& startT, const QString& totalT, int value, ULONGLONG time);
    void OnChangeBtnStatus(int state);
    void OnNoVideoIsPlaying(int count);

signals:
    // The absolute time of the frame the current video shows, in microseconds
    // since 1970; 0 once it stopped.
    void playTimeShown(ULONGLONG time);

private:
    void showVideoPage();
    void showSound(bool soundOn);
    void showPlaying(bool playing);
    // The full-screen control bar, which follows the controls only while the
    // screen is full screen; null before the main window hands it over.
    Widget_ControlBar* fullScreenBar() const;
    void followInBar(const ControlStates::Enabled& enabled, Widget_ControlBar& bar);

    MainWindowForm& m_form;
    KvVideoScreen& m_screen;
    std::function<QString()> m_selectedFile;
    QPointer<PreviewVideoFrame> m_current;
    bool m_userStopped = false;
};
