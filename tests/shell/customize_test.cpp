#include "Model_Customize.h"
#include "StartupRules.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CustomizeTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    void writeFile(const QString& name, const QByteArray& contents) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
};

TEST_F(CustomizeTest, CreatesTheBaseFolderWithPictureAndVideoFolders)
{
    QSettings settings(path(QStringLiteral("user.ini")), QSettings::IniFormat);
    Model_Customize customize(settings, dir.path(), QStringLiteral("KvPlayer"));

    EXPECT_EQ(customize.basePath(), path(QStringLiteral("KvPlayer")));
    EXPECT_TRUE(QDir(path(QStringLiteral("KvPlayer/picture"))).exists());
    EXPECT_TRUE(QDir(path(QStringLiteral("KvPlayer/video"))).exists());
    EXPECT_EQ(customize.picturePath(), path(QStringLiteral("KvPlayer/picture")));
    EXPECT_EQ(customize.videoPath(), path(QStringLiteral("KvPlayer/video")));
}

TEST_F(CustomizeTest, ReadsTextValuesAsNumbersAndFallsBackToDefaults)
{
    writeFile(QStringLiteral("user.ini"),
              "[function-customize]\nWindowFlag=2\nLanguageCurrent=8\nCaptureNumber=loud\nLanguageMask=-1\n"
              "[file]\npicture=/srv/snaps\n");
    QSettings settings(path(QStringLiteral("user.ini")), QSettings::IniFormat);
    Model_Customize customize(settings, dir.path(), QStringLiteral("KvPlayer"));

    EXPECT_EQ(customize.windowFlag(), 2);
    EXPECT_EQ(customize.languageCurrent(), 8U);
    EXPECT_EQ(customize.playMode(), 0) << "a missing key reads its default";
    EXPECT_EQ(customize.captureNumber(), 0) << "an unparsable number reads as 0";
    EXPECT_EQ(customize.languageMask(), 0U) << "a negative number is no unsigned value";
    EXPECT_EQ(customize.picturePath(), QStringLiteral("/srv/snaps"));
    EXPECT_EQ(customize.videoPath(), path(QStringLiteral("KvPlayer/video")));
}

TEST_F(CustomizeTest, AWriteIsSeenByTheNextReadEverywhere)
{
    QSettings settings(path(QStringLiteral("user.ini")), QSettings::IniFormat);
    Model_Customize writer(settings, dir.path(), QStringLiteral("KvPlayer"));
    Model_Customize reader(settings, dir.path(), QStringLiteral("KvPlayer"));

    writer.setWindowFlag(2);
    writer.setLanguageCurrent(32);
    writer.setPicturePath(QStringLiteral("/tmp/a, b"));
    EXPECT_EQ(reader.windowFlag(), 2);
    EXPECT_EQ(reader.languageCurrent(), 32U);

    settings.sync();
    QSettings reopened(path(QStringLiteral("user.ini")), QSettings::IniFormat);
    Model_Customize later(reopened, dir.path(), QStringLiteral("KvPlayer"));
    EXPECT_EQ(later.windowFlag(), 2);
    EXPECT_EQ(later.picturePath(), QStringLiteral("/tmp/a, b")) << "a comma in a folder survives the file";
}

TEST_F(CustomizeTest, BrandNamesMatchExactlyAndCaseSensitively)
{
    QSettings settings(path(QStringLiteral("user.ini")), QSettings::IniFormat);
    const struct {
        const char* company;
        int brand;
    } cases[] = {
        {"HOLDRA", Model_Customize::HOLDRA}, {"holdra", -1},     {"Quelm", Model_Customize::Quelm},
        {"QUELM", -1},                       {"zandrix", -1},    {"ORBENTA", Model_Customize::ORBENTA},
        {"Nimbrel", Model_Customize::Nimbrel}, {" HOLDRA", -1},  {"", -1},
    };
    for (const auto& c : cases) {
        Model_Customize customize(settings, dir.path(), QStringLiteral("KvPlayer"));
        customize.identifyBrand(QString::fromLatin1(c.company), QStringLiteral("2.1"), true);
        for (int b = 0; b < Model_Customize::BrandCount; ++b)
            EXPECT_EQ(customize.isBrand(static_cast<Model_Customize::Brand>(b)), b == c.brand)
                << c.company << " brand " << b;
        EXPECT_EQ(customize.companyName(), QString::fromLatin1(c.company));
        EXPECT_EQ(customize.version(), QStringLiteral("2.1"));
        EXPECT_TRUE(customize.alarmSound());
    }
}

TEST_F(CustomizeTest, DropExtensionsFollowTheBrand)
{
    QSettings settings(path(QStringLiteral("user.ini")), QSettings::IniFormat);
    const struct {
        const char* company;
        QStringList extensions;
    } cases[] = {
        {"", {QStringLiteral(".rf"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4")}},
        {"HOLDRA", {QStringLiteral(".Qzip"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4")}},
        {"PELMARK",
         {QStringLiteral(".lf"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4"),
          QStringLiteral(".rf")}},
        {"ORBENTA",
         {QStringLiteral(".UAF"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4"),
          QStringLiteral(".rf")}},
    };
    for (const auto& c : cases) {
        Model_Customize customize(settings, dir.path(), QStringLiteral("KvPlayer"));
        customize.identifyBrand(QString::fromLatin1(c.company), {}, false);
        EXPECT_EQ(customize.dropExtensions(), c.extensions) << c.company;
    }
}

TEST_F(CustomizeTest, SeedingCopiesTheTemplateOnceAndNeverOverwrites)
{
    writeFile(QStringLiteral("default.ini"), "[function-customize]\nPlayMode=3\n");
    const QString user = path(QStringLiteral("config/zandrix/KvPlayer/kvplayer.ini"));
    QString error;

    ASSERT_TRUE(StartupRules::seedUserSettings(user, path(QStringLiteral("default.ini")), &error))
        << qPrintable(error);
    EXPECT_EQ(QSettings(user, QSettings::IniFormat).value(QStringLiteral("function-customize/PlayMode")).toInt(), 3);

    writeFile(QStringLiteral("default.ini"), "[function-customize]\nPlayMode=1\n");
    {
        QSettings edited(user, QSettings::IniFormat);
        edited.setValue(QStringLiteral("function-customize/PlayMode"), 2);
    }
    ASSERT_TRUE(StartupRules::seedUserSettings(user, path(QStringLiteral("default.ini")), &error));
    EXPECT_EQ(QSettings(user, QSettings::IniFormat).value(QStringLiteral("function-customize/PlayMode")).toInt(), 2);
}

TEST_F(CustomizeTest, SeedingFailsWithAReasonWhenTheTemplateIsMissingOrTheFolderCannotBeMade)
{
    QString error;
    EXPECT_FALSE(StartupRules::seedUserSettings(path(QStringLiteral("cfg/user.ini")),
                                                path(QStringLiteral("missing.ini")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.ini")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("cfg/user.ini"))));

    writeFile(QStringLiteral("default.ini"), "[function-customize]\n");
    writeFile(QStringLiteral("blocker"), "a file where a folder should be");
    error.clear();
    EXPECT_FALSE(StartupRules::seedUserSettings(path(QStringLiteral("blocker/cfg/user.ini")),
                                                path(QStringLiteral("default.ini")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(StartupRulesTest, WindowFlagsFollowTheStayOnTopMode)
{
    EXPECT_EQ(StartupRules::windowFlagsFor(0), Qt::WindowFlags(Qt::FramelessWindowHint));
    EXPECT_EQ(StartupRules::windowFlagsFor(1), Qt::WindowFlags(Qt::FramelessWindowHint));
    EXPECT_EQ(StartupRules::windowFlagsFor(2), Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(StartupRules::windowFlagsFor(3).has_value());
    EXPECT_FALSE(StartupRules::windowFlagsFor(-1).has_value());
}

TEST(StartupRulesTest, OnlyTheFirstArgumentCounts)
{
    char program[] = "KvPlayer";
    char first[] = "/rec/caméra 1.264";
    char second[] = "/rec/other.264";
    char* none[] = {program, nullptr};
    char* two[] = {program, first, second, nullptr};
    EXPECT_TRUE(StartupRules::firstArgument(1, none).isNull());
    EXPECT_EQ(StartupRules::firstArgument(3, two), QStringLiteral("/rec/caméra 1.264"));
}

}
