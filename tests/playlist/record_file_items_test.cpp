#include "RecordFileItems.h"
#include "Widget_Record_Item_TitleBar.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

void press(QWidget* widget, Qt::MouseButton button, QPoint position = {10, 10})
{
    QMouseEvent event(QEvent::MouseButtonPress, position, widget->mapToGlobal(position), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void doubleClick(QWidget* widget)
{
    const QPoint position(10, 10);
    QMouseEvent event(QEvent::MouseButtonDblClick, position, widget->mapToGlobal(position), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void drop(QWidget* widget, const QStringList& paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime.setUrls(urls);
    // Qt hands a drop only to the widget that took the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QStringList fullPaths(const RecordFileItems& items)
{
    QStringList paths;
    for (int i = 0; i < items.count(); ++i)
        paths.append(items.entry(i)->fullPath());
    return paths;
}

class RecordFileItemsTest : public ::testing::Test
{
protected:
    void addThree()
    {
        items.AddEntries({QStringLiteral("/rec/a.264"), QStringLiteral("/rec/b.264"), QStringLiteral("/rec/c.264")});
    }

    RecordFileItems items;
};

TEST_F(RecordFileItemsTest, PressingSelectsOneEntryAndPressingAgainKeepsIt)
{
    addThree();
    EXPECT_EQ(items.selectedIndex(), -1);
    press(items.entry(1), Qt::LeftButton);
    EXPECT_EQ(items.selectedIndex(), 1);
    EXPECT_TRUE(items.entry(1)->property("selected").toBool());

    press(items.entry(1), Qt::LeftButton);
    EXPECT_EQ(items.selectedIndex(), 1);
    EXPECT_TRUE(items.entry(1)->property("selected").toBool()) << "a second press keeps the highlight";

    press(items.entry(2), Qt::RightButton);
    EXPECT_EQ(items.selectedIndex(), 2) << "any button selects";
    EXPECT_FALSE(items.entry(1)->property("selected").toBool());
    EXPECT_TRUE(items.entry(2)->property("selected").toBool());

    items.setSelectedIndex(0);
    EXPECT_FALSE(items.entry(0)->property("selected").toBool()) << "a direct write changes no highlight";
    EXPECT_TRUE(items.entry(2)->property("selected").toBool());
    press(items.entry(1), Qt::LeftButton);
    EXPECT_FALSE(items.entry(2)->property("selected").toBool()) << "the highlighted entry lets go, not entry 0";
}

TEST_F(RecordFileItemsTest, DeletingRenumbersAndTheSelectionFollowsItsEntry)
{
    addThree();
    press(items.entry(2), Qt::LeftButton);
    QSignalSpy requests(&items, &RecordFileItems::DeleteFileRequest);

    items.DeleteEntry(1);
    ASSERT_EQ(items.count(), 2);
    EXPECT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(0).toInt(), 1);
    EXPECT_EQ(fullPaths(items), (QStringList{QStringLiteral("/rec/a.264"), QStringLiteral("/rec/c.264")}));
    EXPECT_EQ(items.entry(1)->index(), 1);
    EXPECT_EQ(items.selectedIndex(), 1);
    EXPECT_TRUE(items.entry(1)->property("selected").toBool());

    items.DeleteEntry(1);
    EXPECT_EQ(items.selectedIndex(), 0) << "the selection passes to the entry before";
    EXPECT_FALSE(items.entry(0)->property("selected").toBool()) << "without highlight";

    items.DeleteEntry(-1);
    items.DeleteEntry(5);
    EXPECT_EQ(items.count(), 1) << "indices outside the list change nothing";
    EXPECT_EQ(items.entry(0)->index(), 0);
    EXPECT_EQ(requests.count(), 2);
}

TEST_F(RecordFileItemsTest, TheDeleteButtonRemovesItsOwnEntry)
{
    addThree();
    QSignalSpy requests(&items, &RecordFileItems::DeleteFileRequest);
    items.entry(2)->OnDeleteBtnClicked();
    items.entry(0)->OnDeleteBtnClicked();
    ASSERT_EQ(requests.count(), 2);
    EXPECT_EQ(requests.at(1).at(0).toInt(), 0);
    EXPECT_EQ(fullPaths(items), QStringList{QStringLiteral("/rec/b.264")});
}

TEST_F(RecordFileItemsTest, DeleteAllRemovesFromTheFrontOneByOne)
{
    addThree();
    press(items.entry(2), Qt::LeftButton);
    QSignalSpy requests(&items, &RecordFileItems::DeleteFileRequest);
    items.DeleteAll();
    EXPECT_EQ(items.count(), 0);
    ASSERT_EQ(requests.count(), 3);
    for (const QList<QVariant>& request : std::as_const(requests))
        EXPECT_EQ(request.at(0).toInt(), 0);
    EXPECT_EQ(items.selectedIndex(), -1);
}

TEST_F(RecordFileItemsTest, DropsAddRecordingsUntilTheFirstForeignFile)
{
    items.AddEntry(QStringLiteral("/rec/cam1.264"));
    QSignalSpy dropped(&items, &RecordFileItems::dropFileToList);

    drop(&items, {QStringLiteral("/in/a.mp4"), QStringLiteral("/in/notes.txt"), QStringLiteral("/in/c.avi")});
    EXPECT_EQ(fullPaths(items), (QStringList{QStringLiteral("/rec/cam1.264"), QStringLiteral("/in/a.mp4")}));
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.at(0).at(0).toString(), QStringLiteral("/in/a.mp4"));
    EXPECT_EQ(items.entry(1)->index(), 1);

    drop(&items, {QStringLiteral("/other/cam1.264")});
    EXPECT_EQ(items.count(), 2) << "a file name that is listed already, from another folder";
    EXPECT_EQ(dropped.count(), 1);
}

TEST_F(RecordFileItemsTest, TheMenuOffersEntryActionsOnlyAfterAPressOnAnEntry)
{
    addThree();
    items.resize(270, 600);
    items.layout()->activate();
    ASSERT_EQ(items.entry(2)->geometry().bottom(), 1 + 3 * 70 - 1);

    press(&items, Qt::RightButton, {100, 500});
    items.prepareContextMenu();
    const QList<QAction*> actions = items.contextMenu()->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions.at(0), items.playAction());
    EXPECT_FALSE(actions.at(0)->isEnabled());
    EXPECT_FALSE(actions.at(1)->isEnabled());
    EXPECT_TRUE(actions.at(2)->isEnabled());
    EXPECT_FALSE(actions.at(3)->isEnabled());

    press(items.entry(1), Qt::RightButton);
    items.prepareContextMenu();
    EXPECT_EQ(items.selectedIndex(), 1);
    for (const QAction* action : actions)
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();

    items.FilterByName(QStringLiteral("a."));
    press(&items, Qt::RightButton, {100, 150});
    items.prepareContextMenu();
    EXPECT_FALSE(actions.at(1)->isEnabled()) << "a hidden entry's old place is empty space";

    actions.at(2)->trigger();
    EXPECT_EQ(items.count(), 0);
}

TEST_F(RecordFileItemsTest, TheFilterHidesEntriesButKeepsTheirIndices)
{
    items.AddEntries({QStringLiteral("/rec/cam1.264"), QStringLiteral("/rec/door.mp4"), QStringLiteral("/rec/Cam2.avi"),
                      QStringLiteral("/CAM/yard.rf")});
    items.FilterByName(QStringLiteral("CAM"));
    EXPECT_FALSE(items.entry(0)->isHidden());
    EXPECT_TRUE(items.entry(1)->isHidden());
    EXPECT_FALSE(items.entry(2)->isHidden());
    EXPECT_TRUE(items.entry(3)->isHidden()) << "only the file name counts, not the folder";

    EXPECT_EQ(items.entry(1)->index(), 1);
    QSignalSpy play(&items, &RecordFileItems::PlayRecordRequest);
    items.DoubleClickedItem(3);
    ASSERT_EQ(play.count(), 1);
    EXPECT_EQ(play.at(0).at(0).toInt(), 3);

    items.DeleteEntry(1);
    EXPECT_EQ(items.entry(1)->fullPath(), QStringLiteral("/rec/Cam2.avi"));
    EXPECT_EQ(items.entry(1)->index(), 1);

    items.AddEntry(QStringLiteral("/rec/gate.mp4"));
    EXPECT_FALSE(items.entry(3)->isHidden()) << "a new entry shows whatever the filter";

    items.FilterByName(QString());
    for (int i = 0; i < items.count(); ++i)
        EXPECT_FALSE(items.entry(i)->isHidden()) << i;
}

TEST_F(RecordFileItemsTest, ADoubleClickAsksToPlayThatEntry)
{
    addThree();
    QSignalSpy play(&items, &RecordFileItems::PlayRecordRequest);
    doubleClick(items.entry(2));
    ASSERT_EQ(play.count(), 1);
    EXPECT_EQ(play.at(0).at(0).toInt(), 2);
}

TEST_F(RecordFileItemsTest, ALengthGoesToEveryEntryOfItsPathAndSkipsDeletedOnes)
{
    RecordFileItems other;
    QSignalSpy settled(&other, &RecordFileItems::lengthsSettled);
    other.AddEntries({QStringLiteral("/nowhere/x.264"), QStringLiteral("/nowhere/y.264"),
                      QStringLiteral("/nowhere/x.264")});
    other.DeleteEntry(1);
    ASSERT_TRUE(settled.wait(60000));
    ASSERT_EQ(other.count(), 2);
    EXPECT_TRUE(other.entry(0)->fileInvalid());
    EXPECT_TRUE(other.entry(1)->fileInvalid());
}

}
