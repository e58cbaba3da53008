// How the controls follow the current video window.

#include "PlaybackControls.h"

#include "ControlStates.h"
#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "Model_Language.h"
#include "Slider.h"
#include "VideoScreenMenu.h"
#include "Widget_ControlBar.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

void PlaybackControls::OnCurVideoStatusChanged(PreviewVideoFrame* video)
{
    if (PreviewVideoFrame* previous = m_current.data())
        disconnect(previous, nullptr, this, nullptr);
    if (!video)
        return;
    m_form.m_pLabCurrentTime->setText(video->elapsedText());
    m_form.m_pLabTotalTime->setText(video->totalText());
    m_form.m_pSlTime->setValue(video->progressValue());
    m_form.m_pSlSound->setValue(video->volume());
    if (video->isPlaying()) {
        m_form.label->setText(Model_Language::Text(26));
        const QString file = video->currentFile();
        m_form.label_2->setText(file.mid(file.lastIndexOf(u'/') + 1));
        showPlaying(true);
        m_form.m_pBtnZoom->setChecked(video->isZoomMode());
    } else {
        m_form.label->setText(Model_Language::Text(1));
        m_form.label_2->setText(QString());
        showPlaying(false);
    }
    // Stopped windows too: the button never keeps another window's state.
    m_form.m_pBtnRecord->setChecked(video->isRecording());
    connect(video, &PreviewVideoFrame::playTimeChanged, this, &PlaybackControls::ResetPlayInfo);
    connect(video, &PreviewVideoFrame::changeBtnStatus, this, &PlaybackControls::OnChangeBtnStatus);
    m_current = video;
    OnChangeBtnStatus(video->playState());

    const bool soundOn = video->isSoundWanted();
    showSound(soundOn);
    m_form.m_pBtnSound->setChecked(!soundOn);
    m_screen.contextMenu()->sound->setChecked(soundOn);
    if (Widget_ControlBar* bar = fullScreenBar()) {
        bar->elapsedLabel()->setText(video->elapsedText());
        bar->totalLabel()->setText(video->totalText());
        bar->positionSlider()->setValue(video->progressValue());
        bar->volumeSlider()->setValue(video->volume());
        bar->soundButton()->setChecked(!soundOn);
    }
}

void PlaybackControls::ResetPlayInfo(const QString& startT, const QString& totalT, int value, ULONGLONG time)
{
    m_form.m_pLabCurrentTime->setText(startT);
    m_form.m_pLabTotalTime->setText(totalT);
    m_form.m_pSlTime->setValue(value);
    if (Widget_ControlBar* bar = fullScreenBar()) {
        bar->positionSlider()->setValue(value);
        bar->elapsedLabel()->setText(startT);
        bar->totalLabel()->setText(totalT);
    }
    if (totalT == QStringLiteral("00:00:00")) {
        m_form.label->setText(Model_Language::Text(1));
        m_form.label_2->setText(QString());
    }
    emit playTimeShown(time);
}

void PlaybackControls::OnChangeBtnStatus(int state)
{
    if (const std::optional<QString> text = ControlStates::statusText(state))
        m_form.m_pLabStatus->setText(*text);
    auto* bar = qobject_cast<Widget_ControlBar*>(m_screen.controlBar());
    if (bar) {
        if (const std::optional<QString> text = ControlStates::barStatusText(state, m_screen.isFullScreen()))
            bar->statusLabel()->setText(*text);
    }
    const std::optional<ControlStates::Enabled> enabled = ControlStates::enabledFor(state);
    if (!enabled)
        return;
    if (bar && m_screen.isFullScreen())
        followInBar(*enabled, *bar);
    m_form.m_pBtnPlay->setEnabled(enabled->play);
    m_form.m_pBtnStop->setEnabled(enabled->stop);
    m_form.m_pBtnFast->setEnabled(enabled->speed);
    m_form.m_pBtnSlow->setEnabled(enabled->speed);
    m_form.m_pBtnSingleFrameFoward->setEnabled(enabled->frameStep);
    m_form.m_pBtnSingleFrameBack->setEnabled(enabled->frameStep);
    m_form.m_pBtnZoom->setEnabled(enabled->zoom);
    m_form.m_pBtnFullScreen->setEnabled(enabled->zoom);
    m_form.m_pBtnCapture->setEnabled(enabled->zoom);
    m_form.m_pBtnRecord->setEnabled(enabled->record);
    m_form.m_pBtnSound->setEnabled(enabled->sound);
    m_form.m_pSlTime->setEnabled(enabled->position);
}

void PlaybackControls::OnNoVideoIsPlaying(int count)
{
    if (count == 0) {
        OnChangeBtnStatus(2);
        return;
    }
    const PreviewVideoFrame* current = m_current.data();
    if (current && !current->isRecording())
        m_form.m_pBtnRecord->setChecked(false);
    m_userStopped = false;
}

void PlaybackControls::followInBar(const ControlStates::Enabled& enabled, Widget_ControlBar& bar)
{
    bar.playButton()->setEnabled(enabled.play);
    bar.stopButton()->setEnabled(enabled.stop);
    bar.fastButton()->setEnabled(enabled.speed);
    bar.slowButton()->setEnabled(enabled.speed);
    bar.frameForwardButton()->setEnabled(enabled.frameStep);
    bar.frameBackButton()->setEnabled(enabled.frameStep);
    bar.soundButton()->setEnabled(enabled.sound);
    bar.positionSlider()->setEnabled(enabled.position);
}
