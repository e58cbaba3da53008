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

TEST_F(OutputNamingTest, StampsNeverGoBackWithinARunButMidnightIsNoStepBack)
{
    EXPECT_EQ(naming.TimeStampText(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58))), QStringLiteral("20261206235958"));
    EXPECT_EQ(naming.TimeStampText(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 1))), QStringLiteral("20261207000001"))
        << "the first stamp after midnight is the new day's";
    EXPECT_EQ(naming.TimeStampText(QDateTime(QDate(2026, 12, 6), QTime(23, 0, 0))), QStringLiteral("20261207000001_001"))
        << "a clock set back does not reuse earlier stamps";
    const QString picture = naming.SnapshotFileName(QStringLiteral("/rec/cam1.264"),
                                                    QDateTime(QDate(2026, 12, 8), QTime(0, 0, 2)));
    EXPECT_TRUE(picture.endsWith(QStringLiteral("/20261208/cam1_512_20261208000002.png"))) << picture.toStdString();
}

TEST_F(OutputNamingTest, AClipCarriesItsRecordingTimeWhateverWasRecordedBefore)
{
    const QDateTime evening(QDate(2023, 11, 14), QTime(22, 0, 0), QTimeZone::utc());
    const QDateTime early(QDate(2023, 11, 14), QTime(8, 0, 0), QTimeZone::utc());
    const QString source = QStringLiteral("/rec/cam1.264");
    EXPECT_TRUE(naming.ClipFileName(source, evening).endsWith(QStringLiteral("/cam1_1025_20231114220000.264")));
    naming.SnapshotFileName(source, QDateTime(QDate(2026, 12, 6), QTime(10, 0, 0)));
    EXPECT_TRUE(naming.ClipFileName(source, early).endsWith(QStringLiteral("/20231114/cam1_1025_20231114080000.264")));
    EXPECT_TRUE(naming.ClipFileName(source, evening).endsWith(QStringLiteral("/cam1_1025_20231114220000_001.264")))
        << "the same second again gets a number";
    EXPECT_TRUE(naming.ClipFileName(source, early).endsWith(QStringLiteral("/cam1_1025_20231114080000_001.264")));
}

}
