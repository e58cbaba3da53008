#include "PlayListModel.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList paths(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names)
        list.append(QString::fromUtf8(name));
    return list;
}

QStringList argumentList(const QSignalSpy& spy, qsizetype call)
{
    return spy.at(call).at(0).toStringList();
}

class PlayListModelTest : public ::testing::Test
{
protected:
    PlayListModel model;
    QSignalSpy appended{&model, &PlayListModel::entriesAppended};
    QSignalSpy changed{&model, &PlayListModel::playListChanged};
    QSignalSpy stopped{&model, &PlayListModel::stopRequested};

    void fill(const QStringList& list)
    {
        model.setPending(list);
        model.CommitPendingFiles();
        appended.clear();
        changed.clear();
    }
};

TEST_F(PlayListModelTest, CommitAddsOnlyPathsNotListedYetInBatchOrder)
{
    fill(paths({"/rec/a.264"}));
    model.setPending(paths({"/rec/b.264", "/rec/a.264", "/rec/A.264", "/rec/b.264"}));
    model.CommitPendingFiles();

    EXPECT_EQ(model.playList(), paths({"/rec/a.264", "/rec/b.264", "/rec/A.264"})) << "case makes another path";
    EXPECT_TRUE(model.pendingFiles().isEmpty());
    ASSERT_EQ(appended.size(), 1);
    EXPECT_EQ(argumentList(appended, 0), paths({"/rec/b.264", "/rec/A.264"}));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(argumentList(changed, 0), model.playList());
    EXPECT_FALSE(model.IsInPlayList(QStringLiteral("/rec/B.264")));
    EXPECT_FALSE(model.IsInPlayList(QStringLiteral("/rec/b.264 ")));
}

TEST_F(PlayListModelTest, SingleAdditionSelectsTheExistingEntryInsteadOfAddingIt)
{
    fill(paths({"/rec/a.264", "/rec/b.264"}));
    EXPECT_EQ(model.addSingle(QStringLiteral("/rec/c.264")), 2);
    ASSERT_EQ(appended.size(), 1);
    EXPECT_EQ(argumentList(appended, 0), paths({"/rec/c.264"}));
    appended.clear();
    changed.clear();

    EXPECT_EQ(model.addSingle(QStringLiteral("/rec/b.264")), 1);
    EXPECT_EQ(model.count(), 3);
    EXPECT_EQ(appended.size(), 0);
    EXPECT_EQ(changed.size(), 0);
}

TEST_F(PlayListModelTest, DroppedFilesFollowTheViewWithoutADuplicateTest)
{
    fill(paths({"/rec/a.264"}));
    model.DropFileAddToList(QStringLiteral("/rec/a.264"));
    EXPECT_EQ(model.playList(), paths({"/rec/a.264", "/rec/a.264"}));
    EXPECT_EQ(appended.size(), 0) << "the view has made its entry already";
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(model.addSingle(QStringLiteral("/rec/a.264")), 0) << "the first occurrence is selected";
}

TEST_F(PlayListModelTest, DeletingStopsThePathAndKeepsTheOthersInOrder)
{
    fill(paths({"a", "b", "c", "d", "e"}));
    for (const qsizetype outside : {qsizetype{-1}, qsizetype{5}})
        EXPECT_FALSE(model.DeleteRecordFile(outside)) << outside;
    EXPECT_EQ(stopped.size(), 0);
    EXPECT_EQ(changed.size(), 0);

    EXPECT_TRUE(model.DeleteRecordFile(2));
    ASSERT_EQ(stopped.size(), 1);
    EXPECT_EQ(stopped.at(0).at(0).toString(), QStringLiteral("c"));
    EXPECT_EQ(model.playList(), paths({"a", "b", "d", "e"}));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(argumentList(changed, 0), model.playList());
}

TEST_F(PlayListModelTest, ClearingStopsEveryPathOnce)
{
    model.ClearFileList();
    EXPECT_EQ(changed.size(), 0) << "an empty list has nothing to clear";

    fill(paths({"a", "b", "c"}));
    model.ClearFileList();
    ASSERT_EQ(stopped.size(), 3);
    for (qsizetype i = 0; i < 3; ++i)
        EXPECT_EQ(stopped.at(i).at(0).toString(), paths({"a", "b", "c"}).at(i));
    EXPECT_EQ(model.count(), 0);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_TRUE(argumentList(changed, 0).isEmpty());
}

class PlayListPersistenceTest : public PlayListModelTest
{
protected:
    QTemporaryDir dir;
    RecordFilesStore store{dir.path()};

    void writeList(const QByteArray& bytes)
    {
        QFile file(store.filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
};

TEST_F(PlayListPersistenceTest, TheListSurvivesARestart)
{
    fill(paths({"/rec/b.264", "/rec/a.264", "/rec/Ä c.mp4"}));
    ASSERT_EQ(model.SaveRecordFiles(store, 1), RecordFilesStore::SaveStatus::Saved);

    PlayListModel next;
    QSignalSpy nextAppended(&next, &PlayListModel::entriesAppended);
    EXPECT_EQ(next.LoadRecordFiles(store, 1).status, RecordFilesStore::LoadStatus::Loaded);
    EXPECT_EQ(next.playList(), model.playList());
    ASSERT_EQ(nextAppended.size(), 1);
    EXPECT_EQ(argumentList(nextAppended, 0), model.playList());
}

TEST_F(PlayListPersistenceTest, SettingZeroNeitherReadsNorWritesTheFile)
{
    EXPECT_EQ(model.LoadRecordFiles(store, 1).status, RecordFilesStore::LoadStatus::Missing);
    EXPECT_EQ(changed.size(), 0) << "a missing file commits nothing";

    const QByteArray old("/rec/old.264\n");
    writeList(old);
    EXPECT_EQ(model.LoadRecordFiles(store, 0).status, RecordFilesStore::LoadStatus::Disabled);
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(appended.size(), 0);
    EXPECT_EQ(changed.size(), 1) << "the video screen still gets its (empty) copy";

    fill(paths({"/rec/new.264"}));
    EXPECT_EQ(model.SaveRecordFiles(store, 0), RecordFilesStore::SaveStatus::Disabled);
    QFile file(store.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
}

TEST_F(PlayListPersistenceTest, LoadingSkipsPathsListedTwiceOrAlreadyListed)
{
    fill(paths({"/rec/a.264"}));
    writeList("/rec/b.264\n/rec/a.264\n/rec/b.264\n/rec/B.264\n");
    model.LoadRecordFiles(store, 1);
    EXPECT_EQ(model.playList(), paths({"/rec/a.264", "/rec/b.264", "/rec/B.264"}));
}

}
