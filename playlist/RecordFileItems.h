#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class FileLengthReader;
class FolderOpener;
class QAction;
class QMenu;
class QVBoxLayout;
class Widget_Record_Item_TitleBar;

// The play list view: one entry per play-list path, in the same order, with the
// selection, the context menu, drops of files from outside, the name filter and
// the play progress of the entries. Recording lengths are measured in the
// background and appear in the entries as they arrive.
class RecordFileItems : public QWidget
{
    Q_OBJECT

public:
    explicit RecordFileItems(QWidget* parent = nullptr);
    ~RecordFileItems() override;

    void AddEntry(const QString& path);
    void AddEntries(const QStringList& paths);
    void RemoveEntryAt(int index);
    void DeleteEntry(int index);
    // Highlights the entry at index alone and makes it the selected one.
    void SelectEntry(int index);
    void FilterByName(const QString& text);
    void RefreshPlayProgress();

    int selectedIndex() const { return m_selectedIndex; }
    // Changes no entry's highlight.
    void setSelectedIndex(int index) { m_selectedIndex = index; }

    int count() const;
    // Null outside the entries.
    Widget_Record_Item_TitleBar* entry(int index) const;

    QAction* playAction() const { return m_pActPlay; }
    QMenu* contextMenu() const { return m_menu; }
    // Enables the actions for the last right press: on an entry all of them,
    // elsewhere only "delete all".
    void prepareContextMenu();

    // Replaces the way "open folder" reaches the desktop.
    void setFolderOpener(const FolderOpener& opener);

signals:
    void PlayRecordRequest(int index);
    void dropFileToList(const QString& path);
    void DeleteFileRequest(int index);
    // No length is being measured any more.
    void lengthsSettled();
    // A listed file's recording time range (us) as it is measured.
    void fileRangeRead(const QString& path, quint64 start, quint64 end);

public slots:
    void DoubleClickedItem(int index);
    void DeleteAll();
    void DeleteSelectItem();
    void OpenFileDirector();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void applyLength(const QString& path, qint64 seconds);
    QStringList entryFileNames() const;
    bool hitsEntry(const QPoint& position) const;

    QAction* m_pActPlay = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QList<Widget_Record_Item_TitleBar*> m_entries;
    int m_selectedIndex = -1;
    bool m_rightPressOnEntry = false;
    QMenu* m_menu = nullptr;
    QAction* m_pActDelete = nullptr;
    QAction* m_pActDeleteAll = nullptr;
    QAction* m_pActOpenFolder = nullptr;
    // The entry drawn as selected; the selected index may have moved on
    // without it (setSelectedIndex, removals).
    Widget_Record_Item_TitleBar* m_highlighted = nullptr;
    FileLengthReader* m_reader = nullptr;
    std::unique_ptr<FolderOpener> m_folderOpener;
};
