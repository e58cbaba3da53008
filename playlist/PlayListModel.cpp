#include "PlayListModel.h"

#include <QSet>

PlayListModel::PlayListModel(QObject* parent)
    : QObject(parent)
{
}

bool PlayListModel::IsInPlayList(const QString& path) const
{
    return m_playList.contains(path, Qt::CaseSensitive);
}

qsizetype PlayListModel::indexOf(const QString& path) const
{
    return m_playList.indexOf(path);
}

void PlayListModel::addPending(const QString& path)
{
    m_pending.append(path);
}

void PlayListModel::setPending(const QStringList& paths)
{
    m_pending = paths;
}

void PlayListModel::CommitPendingFiles()
{
    QSet<QString> seen(m_playList.cbegin(), m_playList.cend());
    QStringList batch;
    batch.reserve(m_pending.size());
    for (const QString& path : std::as_const(m_pending)) {
        if (!seen.contains(path)) {
            seen.insert(path);
            batch.append(path);
        }
    }
    m_pending.clear();
    if (!batch.isEmpty())
        emit entriesAppended(batch);
    m_playList.append(batch);
    emit playListChanged(m_playList);
}

qsizetype PlayListModel::addSingle(const QString& path)
{
    if (!IsInPlayList(path)) {
        addPending(path);
        CommitPendingFiles();
    }
    return indexOf(path);
}

RecordFilesStore::LoadResult PlayListModel::LoadRecordFiles(const RecordFilesStore& store, int saveFileFlag)
{
    RecordFilesStore::LoadResult result = store.load(saveFileFlag);
    if (result.status == RecordFilesStore::LoadStatus::Missing)
        return result;
    setPending(result.paths);
    CommitPendingFiles();
    return result;
}

RecordFilesStore::SaveStatus PlayListModel::SaveRecordFiles(const RecordFilesStore& store, int saveFileFlag) const
{
    return store.save(m_playList, saveFileFlag);
}

void PlayListModel::DropFileAddToList(const QString& path)
{
    m_playList.append(path);
    emit playListChanged(m_playList);
}

bool PlayListModel::DeleteRecordFile(qsizetype index)
{
    if (index < 0 || index >= m_playList.size())
        return false;
    emit stopRequested(m_playList.at(index));
    m_playList.removeAt(index);
    emit playListChanged(m_playList);
    return true;
}

void PlayListModel::ClearFileList()
{
    if (m_playList.isEmpty())
        return;
    for (const QString& path : std::as_const(m_playList))
        emit stopRequested(path);
    m_playList.clear();
    emit playListChanged(m_playList);
}
