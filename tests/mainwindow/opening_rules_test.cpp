#include "KvVideoScreen.h"
#include "Model_Customize.h"
#include "OpeningRules.h"
#include "PlayModeMenu.h"
#include "PreviewVideoFrame.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class OpeningRulesTest : public ::testing::Test
{
protected:
    Model_Customize& customize = Model_Customize::instance();
    void TearDown() override { customize.identifyBrand(QString(), QString(), false); }
};

TEST_F(OpeningRulesTest, TheFolderScanTakesMatchingFilesOnly)
{
    QTemporaryDir dir;
    for (const char* name : {"c.265", "a.264", "B.MP4", "clip.264.txt", "notes.txt"})
        touch(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.avi")));
    customize.identifyBrand(QString(), QString(), false);
    const QStringList found = OpeningRules::scanFolder(dir.path(), OpeningRules::scanExtensions(customize));
    EXPECT_EQ(found, (QStringList{dir.filePath(QStringLiteral("a.264")), dir.filePath(QStringLiteral("c.265")),
                                  dir.filePath(QStringLiteral("clip.264.txt"))}))
        << "case-sensitive substrings, files only, by name";
    EXPECT_TRUE(OpeningRules::scanFolder(dir.filePath(QStringLiteral("missing")), {QStringLiteral(".264")}).isEmpty());
}

TEST_F(OpeningRulesTest, FiltersFollowTheBrand)
{
    customize.identifyBrand(QString(), QString(), false);
    EXPECT_EQ(OpeningRules::openFileFilter(customize), QStringLiteral("*.rf *.264 *.avi *.mp4 *.265"));
    customize.identifyBrand(Model_Customize::brandName(Model_Customize::HOLDRA), QString(), false);
    EXPECT_EQ(OpeningRules::openFileFilter(customize), QStringLiteral("*.Qzip *.264 *.avi *.mp4 *.265"));
    EXPECT_FALSE(OpeningRules::scanExtensions(customize).contains(QStringLiteral(".rf")));
    customize.identifyBrand(Model_Customize::brandName(Model_Customize::PELMARK), QString(), false);
    EXPECT_EQ(OpeningRules::openFileFilter(customize), QStringLiteral("*.lf *.264 *.avi *.mp4 *.265 *.rf"));

    const std::unique_ptr<QFileDialog> files(OpeningRules::createOpenFileDialog(customize));
    EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("*.lf *.264 *.avi *.mp4 *.265 *.rf")});
    EXPECT_TRUE(files->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const std::unique_ptr<QFileDialog> folder(OpeningRules::createOpenDirDialog());
    EXPECT_EQ(folder->fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(folder->testOption(QFileDialog::ShowDirsOnly));
}

TEST(PlayModeMenu, OnlyKnownModesReachTheWindows)
{
    Model_Customize& customize = Model_Customize::instance();
    KvVideoScreen screen;
    PlayModeMenu menu(customize, screen, &screen);
    menu.choose(2);
    EXPECT_EQ(customize.playMode(), 2);
    EXPECT_EQ(screen.window(7)->playMode(), 2);
    menu.OnPlayModeChanged(-1);
    EXPECT_EQ(customize.playMode(), -1) << "stored whatever it is";
    EXPECT_EQ(screen.window(7)->playMode(), 2);
    EXPECT_TRUE(menu.action(2)->isChecked());
    EXPECT_EQ(menu.action(4), nullptr);
    customize.setPlayMode(0);
}

}
