// The play list side of the main window: the saved list, every way of adding
// recordings (dialogs, folder scan, drops, the start-up file, hand-overs from
// a second start), deleting them, play modes, search and the play progress of
// the list entries.

#include "window_main.h"

#include "Diagnostics.h"
#include "KvVideoScreen.h"
#include "Model_Customize.h"
#include "OpeningRules.h"
#include "PlayListActions.h"
#include "PlayModeMenu.h"
#include "QOpenDirEvent.h"
#include "RecordFileItems.h"
#include "RecordFilesStore.h"
#include "VideoScreenMenu.h"
#include "Widget_LayoutMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

constexpr int kVideoPage = 1;
constexpr int kStartPage = 0;
constexpr int kStartupDelayMs = 500;

}

void window_main::connectPlayList()
{
    RecordFileItems* view = m_form.scrollAreaWidgetContents;
    connect(m_form.m_pBtnClearList, &QToolButton::clicked, this, &window_main::ClearFileList);
    connect(m_form.m_pEdtSearch, &QLineEdit::textChanged, this, &window_main::SearchFileByName);
    connect(view, &RecordFileItems::PlayRecordRequest, this, &window_main::PlayRecordResponse);
    connect(view, &RecordFileItems::dropFileToList, this, &window_main::DropFileAddToList);
    connect(view, &RecordFileItems::DeleteFileRequest, this, &window_main::DeleteRecordFile);
    connect(view->playAction(), &QAction::triggered, this, &window_main::PlayOrPause);
    connect(m_pVideoScreen, &KvVideoScreen::DropFileToVideoScreen, this, &window_main::DropFileToScreenResponse);
    connect(m_form.m_pBtnPlayMode, &QToolButton::clicked, this, &window_main::OnPlayModeBtnClicked);
    connect(m_playModes->action(0), &QAction::triggered, this, &window_main::SinglePlayTriggered);
    connect(m_playModes->action(1), &QAction::triggered, this, &window_main::ListPlayTriggered);
    connect(m_playModes->action(2), &QAction::triggered, this, &window_main::SingleCircleTriggered);
    connect(m_playModes->action(3), &QAction::triggered, this, &window_main::ListCircleTriggered);
    connect(m_pVideoScreen, &KvVideoScreen::PlayModeChanged, this, &window_main::OnPlayModeChanged);
    connect(m_form.m_pBtnSync, &QToolButton::clicked, this, &window_main::PlayAll);
    connect(m_form.m_pBtnBack, &QToolButton::clicked, this, &window_main::StopAll);
    connect(m_refreshTimer, &QTimer::timeout, this, &window_main::OnTimerOut);
    if (QAction* info = m_pVideoScreen->contextMenu()->fileInformation)
        connect(info, &QAction::triggered, this, &window_main::ShowFileInfo);
}

void window_main::connectOpening()
{
    connect(m_form.m_pBtnOpenFile, &QToolButton::clicked, this, &window_main::OpenFileDialog);
    connect(m_form.m_pBtnOpenFile_2, &QToolButton::clicked, this, &window_main::OpenFileDialog);
    connect(m_form.m_pBtnOpenDir, &QToolButton::clicked, this, &window_main::OpenDirDialog);
    connect(m_form.m_pBtnOpenFile_3, &QToolButton::clicked, this, &window_main::ShowOpenFileMenu);
    connect(m_openFileAction, &QAction::triggered, this, &window_main::PostOpenFile);
    connect(m_openDirAction, &QAction::triggered, this, &window_main::PostOpenDir);
}

void window_main::LoadRecordFiles()
{
    const RecordFilesStore::LoadResult result =
        m_playList->LoadRecordFiles(RecordFilesStore(), Model_Customize::instance().saveFileFlag());
    if (result.status == RecordFilesStore::LoadStatus::Unreadable)
        KV_DIAG() << "cannot read the saved play list";
    if (result.skippedLines > 0)
        KV_DIAG() << "saved play list: lines left out:" << result.skippedLines;
}

void window_main::SaveRecordFiles() const
{
    const int flag = Model_Customize::instance().saveFileFlag();
    KV_DIAG() << "int_SaveFileFlag = " << flag;
    if (m_playList->SaveRecordFiles(RecordFilesStore(), flag) == RecordFilesStore::SaveStatus::Failed)
        KV_DIAG() << "cannot save the play list; the previous list is kept";
}

bool window_main::IsInPlayList(const QString& path) const
{
    return m_playList->model().IsInPlayList(path);
}

const QStringList& window_main::playList() const
{
    return m_playList->model().playList();
}

void window_main::showVideoPage(int layout)
{
    m_form.stackedWidget->setCurrentIndex(kVideoPage);
    m_pVideoScreen->setLayout(layout);
}

void window_main::addAndPlay(const QString& file, bool alwaysSingle)
{
    m_playList->addAndSelect(file);
    if (alwaysSingle || m_form.stackedWidget->currentIndex() != kVideoPage)
        showVideoPage(1);
    m_pVideoScreen->playInSelected(file);
}

void window_main::SetStartupFile(const QString& file)
{
    if (file.isEmpty())
        return;
    m_startupFile = file;
    m_startupTimer = new QTimer;
    m_startupTimer->setInterval(kStartupDelayMs);
    m_startupTimer->setSingleShot(true);
    connect(m_startupTimer, &QTimer::timeout, this, &window_main::OnVideoPlayTimerOut);
    m_startupTimer->start();
}

void window_main::OnVideoPlayTimerOut()
{
    KV_DIAG() << "start-up file = " << m_startupFile;
    addAndPlay(m_startupFile, false);
}

void window_main::handleMessage(const QString& text)
{
    KV_DIAG() << "file = " << text;
    if (!text.isEmpty())
        addAndPlay(text, false);
}

void window_main::DropFIleToWelcomeResponse(const QString& file)
{
    addAndPlay(file, true);
}

void window_main::DropFileToScreenResponse(const QString& file)
{
    m_playList->addAndSelect(file);
}

void window_main::DropFileAddToList(const QString& path)
{
    m_playList->DropFileAddToList(path);
}

void window_main::DeleteRecordFile(int index)
{
    m_playList->DeleteRecordFile(index);
}

void window_main::ClearFileList()
{
    m_playList->ClearFileList();
    m_form.stackedWidget->setCurrentIndex(kStartPage);
    m_pVideoScreen->setSelectedVideo(m_pVideoScreen->window(0));
    m_form.label_2->setText(QString());
}

void window_main::PlayRecordResponse(int)
{
    if (m_form.stackedWidget->currentIndex() != kVideoPage)
        showVideoPage(1);
    Stop();
    Play();
}

void window_main::PlayAll()
{
    showVideoPage(4);
    m_layoutMenu->hide();
    activateWindow();
    m_pVideoScreen->playFiles(playList());
}

void window_main::StopAll()
{
    m_pVideoScreen->stopAll();
}

void window_main::OnTimerOut()
{
    m_playList->OnTimerOut();
}

void window_main::SearchFileByName(const QString&)
{
    m_form.scrollAreaWidgetContents->FilterByName(m_form.m_pEdtSearch->text());
}

void window_main::OpenFileDialog()
{
    const std::unique_ptr<QFileDialog> dialog(OpeningRules::createOpenFileDialog(Model_Customize::instance()));
    if (dialog->exec() != QDialog::Accepted)
        return;
    m_playList->addFiles(dialog->selectedFiles());
}

void window_main::OpenDirDialog()
{
    const std::unique_ptr<QFileDialog> dialog(OpeningRules::createOpenDirDialog());
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QStringList folders = dialog->selectedFiles();
    const QString folder = folders.isEmpty() ? dialog->directory().path() : folders.first();
    m_playList->addFiles(OpeningRules::scanFolder(folder, OpeningRules::scanExtensions(Model_Customize::instance())));
}

void window_main::PostOpenFile()
{
    QCoreApplication::postEvent(this, new QOpenDirEvent(QOpenDirEvent::kFile));
}

void window_main::PostOpenDir()
{
    QCoreApplication::postEvent(this, new QOpenDirEvent(QOpenDirEvent::kFolder));
}

void window_main::customEvent(QEvent* event)
{
    if (event->type() != QOpenDirEvent::kType)
        return;
    if (static_cast<QOpenDirEvent*>(event)->kind() == QOpenDirEvent::kFolder)
        OpenDirDialog();
    else
        OpenFileDialog();
}

void window_main::ShowOpenFileMenu()
{
    m_form.m_pBtnOpenFile_3->showMenu();
}

void window_main::OnPlayModeBtnClicked()
{
    m_form.m_pBtnPlayMode->showMenu();
}

void window_main::SinglePlayTriggered() { m_playModes->choose(0); }
void window_main::ListPlayTriggered() { m_playModes->choose(1); }
void window_main::SingleCircleTriggered() { m_playModes->choose(2); }
void window_main::ListCircleTriggered() { m_playModes->choose(3); }
void window_main::OnPlayModeChanged(int mode) { m_playModes->OnPlayModeChanged(mode); }
