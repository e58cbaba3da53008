#pragma once

#include "PlayListModel.h"
#include "RecordFilesStore.h"

#include <QObject>
#include <QString>
#include <QStringList>

class KvVideoScreen;
class RecordFileItems;

// Keeps the play list, its view and the video windows' copies in step: every
// addition goes through the list's pending batch, the view shows one entry per
// path in list order, and a path leaving the list stops the windows that play
// it.
class PlayListActions : public QObject
{
    Q_OBJECT

public:
    PlayListActions(RecordFileItems& view, KvVideoScreen& screen, QObject* parent);

    const PlayListModel& model() const { return m_model; }

    // The path of the view's selected entry; empty when none is selected.
    QString selectedPath() const;

    // One file from a drop, a hand-over or the command line: listed unless it
    // is already, then its entry becomes the selected one.
    void addAndSelect(const QString& path);
    // Files from a dialog or a folder scan, appended in their order.
    void addFiles(const QStringList& paths);

    void DropFileAddToList(const QString& path);
    void DeleteRecordFile(int index);
    // Removes every entry, stopping the windows that play them.
    void ClearFileList();

    // Each entry shows the furthest position of the windows playing its file.
    void OnTimerOut();

    RecordFilesStore::LoadResult LoadRecordFiles(const RecordFilesStore& store, int saveFileFlag);
    RecordFilesStore::SaveStatus SaveRecordFiles(const RecordFilesStore& store, int saveFileFlag) const;

private:
    void stopWindowsPlaying(const QString& path);

    PlayListModel m_model;
    RecordFileItems& m_view;
    KvVideoScreen& m_screen;
};
