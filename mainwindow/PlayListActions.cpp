#include "PlayListActions.h"

#include "KvVideoScreen.h"
#include "PreviewVideoFrame.h"
#include "RecordFileItems.h"
#include "Widget_Record_Item_TitleBar.h"

PlayListActions::PlayListActions(RecordFileItems& view, KvVideoScreen& screen, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_screen(screen)
{
    connect(&m_model, &PlayListModel::entriesAppended, &m_view, &RecordFileItems::AddEntries);
    connect(&m_model, &PlayListModel::playListChanged, &m_screen, &KvVideoScreen::setFileList);
    connect(&m_model, &PlayListModel::stopRequested, this, &PlayListActions::stopWindowsPlaying);
}

QString PlayListActions::selectedPath() const
{
    const int index = m_view.selectedIndex();
    if (index < 0 || index >= m_model.count())
        return {};
    return m_model.playList().at(index);
}

void PlayListActions::addAndSelect(const QString& path)
{
    m_view.setSelectedIndex(static_cast<int>(m_model.addSingle(path)));
}

void PlayListActions::addFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    m_model.setPending(paths);
    m_model.CommitPendingFiles();
}

void PlayListActions::DropFileAddToList(const QString& path)
{
    m_model.DropFileAddToList(path);
}

void PlayListActions::DeleteRecordFile(int index)
{
    m_model.DeleteRecordFile(index);
}

void PlayListActions::ClearFileList()
{
    m_view.DeleteAll();
    m_model.ClearFileList();
}

void PlayListActions::stopWindowsPlaying(const QString& path)
{
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
        PreviewVideoFrame* window = m_screen.window(i);
        if (window->currentFile() == path)
            window->stop();
    }
}

void PlayListActions::OnTimerOut()
{
    for (int i = 0; i < m_view.count(); ++i) {
        Widget_Record_Item_TitleBar* entry = m_view.entry(i);
        QStringList times;
        for (int w = 0; w < KvVideoScreen::kWindowCount; ++w) {
            const PreviewVideoFrame* window = m_screen.window(w);
            if (window->isOpen() && window->currentFile() == entry->fullPath())
                times.append(window->elapsedText());
        }
        entry->setPlayTimes(times);
    }
    m_view.RefreshPlayProgress();
}

RecordFilesStore::LoadResult PlayListActions::LoadRecordFiles(const RecordFilesStore& store, int saveFileFlag)
{
    return m_model.LoadRecordFiles(store, saveFileFlag);
}

RecordFilesStore::SaveStatus PlayListActions::SaveRecordFiles(const RecordFilesStore& store, int saveFileFlag) const
{
    return m_model.SaveRecordFiles(store, saveFileFlag);
}
