#include "RecordFileItems.h"

#include "FileLengthReader.h"
#include "FolderOpener.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "PlayListText.h"
#include "Widget_Record_Item_TitleBar.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPlayText = 64;
constexpr int kDeleteText = 70;
constexpr int kDeleteAllText = 71;
constexpr int kOpenFolderText = 72;

// Changes many entries at once. Repaints wait for the end of the scope, and
// so does showing the entries: a child shown in a visible widget looks for
// the widget under the mouse among all its siblings and queues a layout
// request, which makes showing a thousand entries one by one quadratic, while
// showing the list once shows them all in one pass.
class BulkChange
{
public:
    explicit BulkChange(QWidget& widget)
        : m_widget(widget)
        , m_wereEnabled(widget.updatesEnabled())
        , m_wasShown(widget.isVisible())
    {
        m_widget.setUpdatesEnabled(false);
        if (m_wasShown)
            m_widget.hide();
    }
    ~BulkChange()
    {
        if (m_wasShown)
            m_widget.show();
        m_widget.setUpdatesEnabled(m_wereEnabled);
    }
    BulkChange(const BulkChange&) = delete;
    BulkChange& operator=(const BulkChange&) = delete;

private:
    QWidget& m_widget;
    bool m_wereEnabled;
    bool m_wasShown;
};

}

RecordFileItems::RecordFileItems(QWidget* parent)
    : QWidget(parent)
    , m_reader(new FileLengthReader(this))
    , m_folderOpener(std::make_unique<FolderOpener>())
{
    // A plain QWidget subclass paints no style sheet background unless asked.
    setAttribute(Qt::WA_StyledBackground, true);
    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(1, 1, 1, 1);
    m_layout->addStretch();
    buildMenu();
    setAcceptDrops(true);
    connect(m_reader, &FileLengthReader::lengthRead, this, &RecordFileItems::applyLength);
    connect(m_reader, &FileLengthReader::settled, this, &RecordFileItems::lengthsSettled);
    connect(m_reader, &FileLengthReader::rangeRead, this, &RecordFileItems::fileRangeRead);
    // The program releases the playback library after its event loop ends;
    // no reader may still be opening files then.
    connect(qApp, &QCoreApplication::aboutToQuit, m_reader, &FileLengthReader::shutDown);
}

RecordFileItems::~RecordFileItems() = default;

void RecordFileItems::buildMenu()
{
    m_pActPlay = new QAction(Model_Language::Text(kPlayText), this);
    m_pActDelete = new QAction(Model_Language::Text(kDeleteText), this);
    m_pActDeleteAll = new QAction(Model_Language::Text(kDeleteAllText), this);
    m_pActOpenFolder = new QAction(Model_Language::Text(kOpenFolderText), this);
    m_menu = new QMenu(this);
    m_menu->addAction(m_pActPlay);
    m_menu->addAction(m_pActDelete);
    m_menu->addAction(m_pActDeleteAll);
    m_menu->addAction(m_pActOpenFolder);
    connect(m_pActDelete, &QAction::triggered, this, &RecordFileItems::DeleteSelectItem);
    connect(m_pActDeleteAll, &QAction::triggered, this, &RecordFileItems::DeleteAll);
    connect(m_pActOpenFolder, &QAction::triggered, this, &RecordFileItems::OpenFileDirector);
}

void RecordFileItems::AddEntry(const QString& path)
{
    auto* added = new Widget_Record_Item_TitleBar(path, this, count());
    connect(added, &Widget_Record_Item_TitleBar::selectRequested, this, &RecordFileItems::SelectEntry);
    connect(added, &Widget_Record_Item_TitleBar::deleteRequested, this, &RecordFileItems::DeleteEntry);
    connect(added, &Widget_Record_Item_TitleBar::doubleClicked, this, &RecordFileItems::DoubleClickedItem);
    m_layout->insertWidget(count(), added);
    m_entries.append(added);
    m_reader->request(path);
}

void RecordFileItems::AddEntries(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    const BulkChange change(*this);
    for (const QString& path : paths)
        AddEntry(path);
}

void RecordFileItems::RemoveEntryAt(int index)
{
    if (index < 0 || index >= count())
        return;
    emit DeleteFileRequest(index);
    Widget_Record_Item_TitleBar* removed = m_entries.takeAt(index);
    m_layout->removeWidget(removed);
    if (m_highlighted == removed)
        m_highlighted = nullptr;
    // The entry's own delete button may be what called us; it goes once that
    // call has returned.
    removed->hide();
    removed->deleteLater();
    for (int i = index; i < count(); ++i)
        m_entries.at(i)->setIndex(i);
    if (m_selectedIndex >= index)
        --m_selectedIndex;
}

void RecordFileItems::DeleteEntry(int index)
{
    RemoveEntryAt(index);
}

void RecordFileItems::SelectEntry(int index)
{
    Widget_Record_Item_TitleBar* target = entry(index);
    if (m_highlighted != nullptr && m_highlighted != target)
        m_highlighted->setSelected(false);
    if (target != nullptr && !target->isSelected())
        target->setSelected(true);
    m_highlighted = target;
    m_selectedIndex = target != nullptr ? index : -1;
}

void RecordFileItems::FilterByName(const QString& text)
{
    const BulkChange change(*this);
    for (Widget_Record_Item_TitleBar* item : std::as_const(m_entries)) {
        const bool shown = PlayListText::matchesSearch(item->fullPath(), text);
        if (item->isHidden() == shown)
            item->setVisible(shown);
    }
}

void RecordFileItems::RefreshPlayProgress()
{
    for (Widget_Record_Item_TitleBar* item : std::as_const(m_entries))
        item->showPlayProgress();
}

int RecordFileItems::count() const
{
    return static_cast<int>(m_entries.size());
}

Widget_Record_Item_TitleBar* RecordFileItems::entry(int index) const
{
    return index >= 0 && index < count() ? m_entries.at(index) : nullptr;
}

void RecordFileItems::prepareContextMenu()
{
    m_pActPlay->setEnabled(m_rightPressOnEntry);
    m_pActDelete->setEnabled(m_rightPressOnEntry);
    m_pActDeleteAll->setEnabled(true);
    m_pActOpenFolder->setEnabled(m_rightPressOnEntry);
}

void RecordFileItems::setFolderOpener(const FolderOpener& opener)
{
    m_folderOpener = std::make_unique<FolderOpener>(opener);
}

void RecordFileItems::DoubleClickedItem(int index)
{
    emit PlayRecordRequest(index);
}

void RecordFileItems::DeleteAll()
{
    const BulkChange change(*this);
    m_reader->cancelAll();
    for (int n = count(); n > 0; --n)
        RemoveEntryAt(0);
}

void RecordFileItems::DeleteSelectItem()
{
    DeleteEntry(m_selectedIndex);
}

void RecordFileItems::OpenFileDirector()
{
    if (const Widget_Record_Item_TitleBar* selected = entry(m_selectedIndex))
        m_folderOpener->showFile(selected->fullPath(), this);
}

void RecordFileItems::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        event->ignore();
        return;
    }
    m_rightPressOnEntry = hitsEntry(event->position().toPoint());
}

void RecordFileItems::contextMenuEvent(QContextMenuEvent* event)
{
    prepareContextMenu();
    m_menu->exec(event->globalPos());
}

void RecordFileItems::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void RecordFileItems::dropEvent(QDropEvent* event)
{
    QStringList names;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl& url : urls)
        names.append(url.toLocalFile());
    const QStringList added = PlayListText::listDropAdditions(
        names, entryFileNames(), Model_Customize::instance().dropExtensions());
    for (const QString& path : added) {
        AddEntry(path);
        emit dropFileToList(path);
    }
    event->acceptProposedAction();
}

void RecordFileItems::applyLength(const QString& path, qint64 seconds)
{
    for (Widget_Record_Item_TitleBar* item : std::as_const(m_entries)) {
        if (item->fullPath() == path)
            item->setLength(seconds);
    }
}

QStringList RecordFileItems::entryFileNames() const
{
    QStringList names;
    names.reserve(m_entries.size());
    for (const Widget_Record_Item_TitleBar* item : m_entries)
        names.append(item->fileName());
    return names;
}

bool RecordFileItems::hitsEntry(const QPoint& position) const
{
    // Hidden entries keep their last place and would answer for a spot that
    // now shows something else.
    return std::any_of(m_entries.cbegin(), m_entries.cend(), [&position](const Widget_Record_Item_TitleBar* item) {
        return !item->isHidden() && item->geometry().contains(position);
    });
}
