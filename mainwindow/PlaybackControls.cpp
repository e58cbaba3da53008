#include "PlaybackControls.h"

#include "ControlStates.h"
#include "Diagnostics.h"
#include "KvVideoScreen.h"
#include "MainWindowForm.h"
#include "Slider.h"
#include "VideoScreenMenu.h"
#include "Widget_ControlBar.h"

#include <QAction>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

namespace {

constexpr int kVideoPage = 1;

}

PlaybackControls::PlaybackControls(MainWindowForm& form, KvVideoScreen& screen,
                                   std::function<QString()> selectedFile, QObject* parent)
    : QObject(parent)
    , m_form(form)
    , m_screen(screen)
    , m_selectedFile(std::move(selectedFile))
{
    m_form.m_pSlTime->setRange(0, 10000);
}

void PlaybackControls::showVideoPage()
{
    if (m_form.stackedWidget->currentIndex() == kVideoPage)
        return;
    m_form.stackedWidget->setCurrentIndex(kVideoPage);
    m_screen.setLayout(1);
}

void PlaybackControls::PlayOrPause()
{
    const QString file = m_selectedFile();
    KV_DIAG() << "index = " << (file.isEmpty() ? -1 : 0);
    if (file.isEmpty())
        return;
    if (m_screen.isSelectedPlaying()) {
        m_screen.pause();
        showPlaying(false);
    } else {
        showVideoPage();
        Play();
        showPlaying(true);
    }
    m_form.m_pBtnSound->setEnabled(true);
}

void PlaybackControls::Play()
{
    const QString file = m_selectedFile();
    if (!file.isEmpty())
        m_screen.playInSelected(file);
}

void PlaybackControls::Stop()
{
    m_userStopped = true;
    m_screen.stop();
    showPlaying(false);
}

void PlaybackControls::Fast()
{
    m_screen.speedUp();
    m_form.m_pBtnSound->setEnabled(false);
}

void PlaybackControls::Slow()
{
    m_screen.slowDown();
    m_form.m_pBtnSound->setEnabled(false);
}

void PlaybackControls::SingleFrameFoward()
{
    m_screen.frameStep();
}

void PlaybackControls::SingleFrameBack()
{
    m_screen.frameBack();
}

void PlaybackControls::adjustVolume(int delta)
{
    Widget_ControlBar* bar = fullScreenBar();
    Slider* slider = bar ? bar->volumeSlider() : m_form.m_pSlSound;
    if (slider->isEnabled())
        slider->setValue(slider->value() + delta);
}

void PlaybackControls::showSound(bool soundOn)
{
    m_form.m_pBtnSound->setStyleSheet(ControlStates::soundPicture(soundOn));
    m_form.m_pSlSound->setEnabled(soundOn);
    if (Widget_ControlBar* bar = fullScreenBar()) {
        bar->soundButton()->setStyleSheet(ControlStates::soundPicture(soundOn));
        bar->volumeSlider()->setEnabled(soundOn);
    }
}

void PlaybackControls::showPlaying(bool playing)
{
    m_form.m_pBtnPlay->setStyleSheet(ControlStates::playPicture(playing));
    if (auto* bar = qobject_cast<Widget_ControlBar*>(m_screen.controlBar()))
        bar->playButton()->setStyleSheet(ControlStates::playPicture(playing));
}

Widget_ControlBar* PlaybackControls::fullScreenBar() const
{
    if (!m_screen.isFullScreen())
        return nullptr;
    return qobject_cast<Widget_ControlBar*>(m_screen.controlBar());
}

void PlaybackControls::SoundBtnClicked(bool)
{
    const PreviewVideoFrame* current = m_current.data();
    const bool on = !(current && current->isSoundWanted());
    showSound(on);
    m_screen.contextMenu()->sound->setChecked(on);
    m_screen.soundOn(on);
}

void PlaybackControls::SoundValueChanged(int value)
{
    m_screen.setVolume(value);
}

void PlaybackControls::videoSliderPressed()
{
    m_screen.stopPlayTimer();
}

void PlaybackControls::videoSliderReleased()
{
    // In full screen the user moved the bar's slider, not the hidden one.
    const Widget_ControlBar* bar = fullScreenBar();
    m_screen.seek(bar ? bar->positionSlider()->value() : m_form.m_pSlTime->value());
    m_form.m_pLabStatus->setText(QString());
}

void PlaybackControls::OnBtnFullScreenClicked()
{
    m_screen.fullScreenToggle();
}

void PlaybackControls::OnBtnRecordClicked()
{
    m_screen.recordToggle();
    const PreviewVideoFrame* current = m_current.data();
    m_form.m_pBtnRecord->setChecked(current && current->isRecording());
}

void PlaybackControls::OnBtnCaptureClicked()
{
    m_screen.snapshot();
}

void PlaybackControls::OnZoomClicked()
{
    m_screen.zoomToggle();
    if (const PreviewVideoFrame* current = m_current.data())
        m_form.m_pBtnZoom->setChecked(current->isZoomMode());
}

void PlaybackControls::OnRenderClicked()
{
    PreviewVideoFrame* current = m_current.data();
    if (current && current->isPlaying())
        current->aspectToggle();
}
