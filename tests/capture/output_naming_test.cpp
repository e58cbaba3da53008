#include "Model_Customize.h"
#include "OutputNaming.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

class OutputNamingTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat};
    Model_Customize customize{settings, dir.path(), QStringLiteral("KvPlayer")};
    OutputNaming naming{customize};

    const QDateTime morning{QDate(2026, 12, 6), QTime(10, 15, 30, 250)};
};

TEST_F(OutputNamingTest, SnapshotsInOneSecondGetNumberedSuffixes)
{
    const QString folder = dir.filePath(QStringLiteral("KvPlayer/picture/20261206/"));
    EXPECT_EQ(naming.SnapshotFileName(QStringLiteral("D:/rec/cam1.264"), morning),
              folder + QStringLiteral("cam1_512_20261206101530.png"));
    EXPECT_EQ(naming.SnapshotFileName(QStringLiteral("D:/rec/cam1.264"), morning),
              folder + QStringLiteral("cam1_512_20261206101530_001.png"));
    EXPECT_EQ(naming.SnapshotFileName(QStringLiteral("/rec/cam1.264"), morning.addMSecs(500)),
              folder + QStringLiteral("cam1_512_20261206101530_002.png"));
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(naming.SnapshotFileName(QStringLiteral("/rec/cam1.264"), morning.addSecs(1)),
              folder + QStringLiteral("cam1_512_20261206101531.png"));
}

TEST_F(OutputNamingTest, ClipsCarryThePlayTimeInUtcAndKeepTheirExtension)
{
    const QDateTime instant = OutputNaming::clipInstant(1700000000400000ULL);
    EXPECT_EQ(instant, QDateTime(QDate(2023, 11, 14), QTime(22, 13, 20), QTimeZone::utc()));
    const QString clip = naming.ClipFileName(QStringLiteral("D:/rec/cam1.264"), instant);
    EXPECT_EQ(clip, dir.filePath(QStringLiteral("KvPlayer/video/20231114/cam1_1025_20231114221320.264")));
    EXPECT_EQ(OutputNaming::ClipPictureName(clip),
              dir.filePath(QStringLiteral("KvPlayer/video/20231114/cam1_1025_20231114221320.png")));
    EXPECT_EQ(OutputNaming::clipInstant(1700000000500000ULL).time(), QTime(22, 13, 21)) << "rounds half up";
}

TEST_F(OutputNamingTest, EmptyOrUnusableFoldersGiveEmptyPaths)
{
    customize.setPicturePath(QString());
    EXPECT_TRUE(naming.SnapshotFileName(QStringLiteral("/rec/a.264"), morning).isEmpty());
    EXPECT_TRUE(naming.folderSettingEmpty());

    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    customize.setVideoPath(dir.filePath(QStringLiteral("blocker")));
    EXPECT_TRUE(naming.ClipFileName(QStringLiteral("/rec/a.264"), morning).isEmpty());
    EXPECT_FALSE(naming.folderSettingEmpty()) << "a folder that cannot be made says nothing";
}

TEST_F(OutputNamingTest, AFolderEndingInASlashGetsNoSecondOne)
{
    customize.setPicturePath(dir.filePath(QStringLiteral("snaps/")));
    EXPECT_EQ(naming.SnapshotFileName(QStringLiteral("cam"), morning),
              dir.filePath(QStringLiteral("snaps/20261206/cam_512_20261206101530.png")));
}

TEST_F(OutputNamingTest, TheThousandAndFirstOutputBorrowsTheNextSecond)
{
    EXPECT_EQ(naming.TimeStampText(morning), QStringLiteral("20261206101530"));
    for (int i = 1; i <= 999; ++i)
        EXPECT_EQ(naming.TimeStampText(morning), QStringLiteral("20261206101530_%1").arg(i, 3, 10, QLatin1Char('0')));
    EXPECT_EQ(naming.TimeStampText(morning), QStringLiteral("20261206101531"));
    EXPECT_EQ(naming.TimeStampText(morning), QStringLiteral("20261206101531_001"));
}

TEST_F(OutputNamingTest, StampsNeverGoBackWithinARun)
{
    EXPECT_EQ(naming.TimeStampText(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58))), QStringLiteral("20261206235958"));
    EXPECT_EQ(naming.TimeStampText(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 1))), QStringLiteral("20261207235958_001"));
}

}
