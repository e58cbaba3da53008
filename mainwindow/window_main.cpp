#include "window_main.h"

#include "Diagnostics.h"
#include "EvidenceActions.h"
#include "FileInfoFrame.h"
#include "KvVideoScreen.h"
#include "MainWindowLook.h"
#include "Model_MsgHelper.h"
#include "Model_Customize.h"
#include "PlayListActions.h"
#include "PlayModeMenu.h"
#include "PlaybackControls.h"
#include "PreviewVideoFrame.h"
#include "ProgramInfo.h"
#include "Slider.h"
#include "SyncControls.h"
#include "TimelineActions.h"
#include "VideoScreenMenu.h"
#include "Widget_ControlBar.h"
#include "Widget_LayoutMenu.h"
#include "Widget_ShortcutHelp.h"
#include "Widget_Timeline.h"
#include "Widget_TitleBar.h"
#include "Widget_Welcome.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kRefreshMs = 500;

}

window_main::window_main(QWidget* parent)
    : QFrame(parent)
{
    m_form.setupUi(this);
    // Names the window in task bars and window lists; the visible title is
    // the title bar's.
    setWindowTitle(ProgramInfo::programBaseName());
    m_layoutMenu = new Widget_LayoutMenu;
    setAttribute(Qt::WA_MouseTracking);
    setWindowFlags(Qt::FramelessWindowHint);
    m_form.m_pLabCurrentTime->setText(QStringLiteral("00:00:00"));
    m_form.m_pLabTotalTime->setText(QStringLiteral("00:00:00"));
    m_form.m_pSearchWidget->hide();
    m_msgHelper = new Model_MsgHelper(this);
    m_pVideoScreen = new KvVideoScreen(m_form.stackedWidget);
    m_form.stackedWidget->addWidget(m_pVideoScreen);
    m_playList = new PlayListActions(*m_form.scrollAreaWidgetContents, *m_pVideoScreen, this);
    m_playModes = new PlayModeMenu(Model_Customize::instance(), *m_pVideoScreen, this);
    m_form.m_pBtnPlayMode->setMenu(m_playModes->menu());
    m_openMenu = new QMenu(this);
    m_openFileAction = m_openMenu->addAction(QString());
    m_openDirAction = m_openMenu->addAction(QString());
    m_form.m_pBtnOpenFile_3->setMenu(m_openMenu);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(kRefreshMs);
    m_controls = new PlaybackControls(m_form, *m_pVideoScreen, [this] { return m_playList->selectedPath(); }, this);
    ApplyTexts();
    connectTitleBar();
    connectControls();
    connectScreenMenu();
    connectFrame();
    connectPlayList();
    connectOpening();
    connectEvidence();
    connectTimeline();
    connectShortcuts();
    MainWindowLook::ApplyStyles(m_form, *this, Model_Customize::instance());
    m_stickMode = Model_Customize::instance().windowFlag();
    setAcceptDrops(true);
    OnPlayModeChanged(Model_Customize::instance().playMode());
    OnChangeBtnStatus(2);
    m_sync->restore();
}

window_main::~window_main()
{
    SaveRecordFiles();
    // Once shown the panel belongs to the video screen; before that, to no one.
    if (m_fileInfo && !m_fileInfo->parent())
        delete m_fileInfo;
    else if (m_fileInfo)
        m_fileInfo->hide();
    delete m_startupTimer;
    delete m_layoutMenu;
    // Close the windows' files while this window and its controls can still
    // take their reports.
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i)
        m_pVideoScreen->window(i)->stop();
}

void window_main::connectTitleBar()
{
    Widget_TitleBar* bar = m_form.m_pTitleBar;
    connect(bar->minimizeButton(), &QToolButton::clicked, this, &window_main::showMinResponse);
    connect(bar->maximizeButton(), &QToolButton::clicked, this, &window_main::MaxButtonClicked);
    connect(bar->closeButton(), &QToolButton::clicked, this, &window_main::CloseButtonClicked);
    connect(bar, &Widget_TitleBar::refreshSettings, this, &window_main::refreshSettingsResponse);
    connect(bar, &Widget_TitleBar::maxWindowRequest, this, &window_main::MaxButtonClicked);
    connect(bar, &Widget_TitleBar::moveWindowRequest, this, &window_main::MoveWindow);
    connect(bar, &Widget_TitleBar::ChangeLanguageRequest, this, &window_main::ChangeLanguageResponse);
}

void window_main::ApplyTexts()
{
    const MainWindowLook::Actions actions{m_playModes->action(0), m_playModes->action(1), m_playModes->action(2),
                                          m_playModes->action(3), m_openFileAction,         m_openDirAction};
    MainWindowLook::ApplyTexts(m_form, actions, Model_Customize::instance());
    m_pVideoScreen->retranslate();
    if (m_evidence)
        m_evidence->retranslate();
    if (m_shortcutHelp)
        m_shortcutHelp->retranslate();
    if (m_timeline)
        m_timeline->retranslate();
    if (m_fileInfo)
        m_fileInfo->retranslate();
    if (m_sync)
        m_sync->retranslate();
}

void window_main::connectTimeline()
{
    m_timeline = new TimelineActions(*m_form.m_pTimeline, *m_pVideoScreen, *m_form.scrollAreaWidgetContents,
                                     m_evidence->marks(), this);
    connect(m_form.m_pTimeline, &Widget_Timeline::seekRequested, this, &window_main::timelineSeekRequested);
    // Synchronised, one clock moves every window; otherwise each window
    // moves by its own file's start.
    connect(this, &window_main::timelineSeekRequested, this, [this](qint64 recordingTimeUs) {
        if (m_pVideoScreen->isSynced())
            m_sync->seekAll(recordingTimeUs);
        else
            m_timeline->seekAllTo(recordingTimeUs);
    });
    connect(m_sync, &SyncControls::syncShown, this, &window_main::setTimelineShown);
}

void window_main::setTimelineShown(bool shown)
{
    m_timeline->setShown(shown);
}

void window_main::connectControls()
{
    MainWindowForm& f = m_form;
    connect(f.m_pBtnPlay, &QToolButton::clicked, this, &window_main::PlayOrPause);
    connect(f.m_pBtnStop, &QToolButton::clicked, this, &window_main::Stop);
    connect(f.m_pBtnFast, &QToolButton::clicked, this, &window_main::Fast);
    connect(f.m_pBtnSlow, &QToolButton::clicked, this, &window_main::Slow);
    connect(f.m_pBtnSingleFrameFoward, &QToolButton::clicked, this, &window_main::SingleFrameFoward);
    connect(f.m_pBtnSound, &QToolButton::clicked, this, &window_main::SoundBtnClicked);
    connect(f.m_pSlSound, &Slider::valueChanged, this, &window_main::SoundValueChanged);
    connect(f.m_pSlTime, &Slider::mySliderPressed, this, &window_main::videoSliderPressed);
    connect(f.m_pSlTime, &Slider::mySliderReleased, this, &window_main::videoSliderReleased);
    connect(f.m_pBtnFullScreen, &QToolButton::clicked, this, &window_main::OnBtnFullScreenClicked);
    connect(f.m_pBtnRecord, &QToolButton::clicked, this, &window_main::OnBtnRecordClicked);
    connect(f.m_pBtnCapture, &QToolButton::clicked, this, &window_main::OnBtnCaptureClicked);
    connect(f.m_pBtnZoom, &QToolButton::clicked, this, &window_main::OnZoomClicked);
    connect(f.m_pBtnSingleFrameBack, &QToolButton::clicked, this, &window_main::SingleFrameBack);
    connect(m_pVideoScreen, &KvVideoScreen::curVideoStatusChanged, this, &window_main::OnCurVideoStatusChanged);
    connect(m_pVideoScreen, &KvVideoScreen::NoVideoIsPlaying, this, &window_main::OnNoVideoIsPlaying);
    connect(f.page_1, &Widget_Welcome::DropFileToWelcome, this, &window_main::DropFIleToWelcomeResponse);
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
        connect(m_pVideoScreen->window(i), &PreviewVideoFrame::noticeRequested, m_msgHelper,
                [helper = m_msgHelper](int kind, const QString& text) { helper->ShowPopup(text, kind); });
    }
}

void window_main::connectEvidence()
{
    m_evidence = new EvidenceActions(*m_pVideoScreen, *this, this);
    connect(m_form.m_pBtnMarkIn, &QToolButton::clicked, m_evidence, &EvidenceActions::markIn);
    connect(m_form.m_pBtnMarkOut, &QToolButton::clicked, m_evidence, &EvidenceActions::markOut);
    connect(m_pVideoScreen, &KvVideoScreen::curVideoStatusChanged, m_evidence, &EvidenceActions::followWindow);
    connect(m_evidence, &EvidenceActions::sliderMarksChanged, m_form.m_pSlTime, &Slider::setMarks);
    if (auto* bar = qobject_cast<Widget_ControlBar*>(m_pVideoScreen->controlBar()))
        connect(m_evidence, &EvidenceActions::sliderMarksChanged, bar->positionSlider(), &Slider::setMarks);
    connect(m_evidence, &EvidenceActions::noticeRequested, m_msgHelper,
            [helper = m_msgHelper](int kind, const QString& text) { helper->ShowPopup(text, kind); });
}

void window_main::connectScreenMenu()
{
    const VideoScreenMenu* menu = m_pVideoScreen->contextMenu();
    connect(menu->fullScreen, &QAction::triggered, this, &window_main::OnBtnFullScreenClicked);
    connect(menu->playOrPause, &QAction::triggered, this, &window_main::PlayOrPause);
    connect(menu->stop, &QAction::triggered, this, &window_main::Stop);
    connect(menu->frameStep, &QAction::triggered, this, &window_main::SingleFrameFoward);
    connect(menu->fast, &QAction::triggered, this, &window_main::Fast);
    connect(menu->slow, &QAction::triggered, this, &window_main::Slow);
    connect(menu->sound, &QAction::triggered, this, &window_main::SoundBtnClicked);
    connect(menu->snapshot, &QAction::triggered, this, &window_main::OnBtnCaptureClicked);
    connect(menu->record, &QAction::triggered, this, &window_main::OnBtnRecordClicked);
    connect(menu->zoom, &QAction::triggered, this, &window_main::OnZoomClicked);
    connect(menu->aspect, &QAction::triggered, this, &window_main::OnRenderClicked);
    connect(menu->settings, &QAction::triggered, m_form.m_pTitleBar, &Widget_TitleBar::ShowSettingsWindow);
}

void window_main::PlayOrPause() { m_controls->PlayOrPause(); }
void window_main::Play() { m_controls->Play(); }
void window_main::Stop() { m_controls->Stop(); }
void window_main::Fast() { m_controls->Fast(); }
void window_main::Slow() { m_controls->Slow(); }
void window_main::SingleFrameFoward() { m_controls->SingleFrameFoward(); }
void window_main::SingleFrameBack() { m_controls->SingleFrameBack(); }
void window_main::SoundBtnClicked(bool checked) { m_controls->SoundBtnClicked(checked); }
void window_main::SoundValueChanged(int value) { m_controls->SoundValueChanged(value); }
void window_main::videoSliderPressed() { m_controls->videoSliderPressed(); }
void window_main::videoSliderReleased() { m_controls->videoSliderReleased(); }
void window_main::OnBtnFullScreenClicked() { m_controls->OnBtnFullScreenClicked(); }
void window_main::OnBtnRecordClicked() { m_controls->OnBtnRecordClicked(); }
void window_main::OnBtnCaptureClicked() { m_controls->OnBtnCaptureClicked(); }
void window_main::OnZoomClicked() { m_controls->OnZoomClicked(); }
void window_main::OnRenderClicked() { m_controls->OnRenderClicked(); }
void window_main::OnCurVideoStatusChanged(PreviewVideoFrame* video) { m_controls->OnCurVideoStatusChanged(video); }
void window_main::OnChangeBtnStatus(int state) { m_controls->OnChangeBtnStatus(state); }
void window_main::ResetPlayInfo(const QString& startT, const QString& totalT, int value, ULONGLONG time)
{
    m_controls->ResetPlayInfo(startT, totalT, value, time);
}

void window_main::OnNoVideoIsPlaying(int count)
{
    m_controls->OnNoVideoIsPlaying(count);
    if (count == 0) {
        OnTimerOut();
        m_refreshTimer->stop();
    } else {
        m_refreshTimer->start();
    }
    followPlaybackOnTop(count);
}
