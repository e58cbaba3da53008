#pragma once

#include "RecordFilesStore.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The play list: the ordered full paths of the opened recordings, and the
// pending batch of paths on their way into it. Paths are compared as exact,
// case-sensitive strings. The view and the video screen follow the list through
// the signals.
class PlayListModel : public QObject
{
    Q_OBJECT

public:
    explicit PlayListModel(QObject* parent = nullptr);

    const QStringList& playList() const { return m_playList; }
    const QStringList& pendingFiles() const { return m_pending; }
    qsizetype count() const { return m_playList.size(); }

    bool IsInPlayList(const QString& path) const;

    // The first index holding path, or -1.
    qsizetype indexOf(const QString& path) const;

    void addPending(const QString& path);
    // Dialogs and folder scans hand over their whole list at once.
    void setPending(const QStringList& paths);

    // Moves the pending batch to the end of the list, leaving out every path
    // the list already holds and any repeat within the batch, so that no path
    // is ever listed twice.
    void CommitPendingFiles();

    // Adds one path unless it is listed already; returns the index to select.
    qsizetype addSingle(const QString& path);

    // Loads the saved list into the pending batch and commits it. A missing file
    // commits nothing; a disabled setting commits the empty batch.
    RecordFilesStore::LoadResult LoadRecordFiles(const RecordFilesStore& store, int saveFileFlag);
    RecordFilesStore::SaveStatus SaveRecordFiles(const RecordFilesStore& store, int saveFileFlag) const;

public slots:
    // The view has already added an entry for a dropped file; the list follows
    // it without a duplicate test so that entry i stays path i.
    void DropFileAddToList(const QString& path);

    // Returns false, changing nothing, for an index outside the list.
    bool DeleteRecordFile(qsizetype index);

    // Stops and removes every path.
    void ClearFileList();

signals:
    // New paths at the end of the list, for the view's entries.
    void entriesAppended(const QStringList& paths);
    // The whole list after a change, for the video screen's copy.
    void playListChanged(const QStringList& playList);
    // Every video window playing path must stop: it is leaving the list.
    void stopRequested(const QString& path);

private:
    QStringList m_playList;
    QStringList m_pending;
};
