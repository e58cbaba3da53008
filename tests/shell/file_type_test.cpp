#include "FileTypeRegistration.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(FileTypeTest, ExecQuotesThePathAsOneArgument)
{
    EXPECT_EQ(FileTypeRegistration::quotedExec(QStringLiteral("/opt/Kv Player/KvPlayer")),
              QStringLiteral("\"/opt/Kv Player/KvPlayer\""));
    EXPECT_EQ(FileTypeRegistration::quotedExec(QStringLiteral("/a/$x`y\"z%/KvPlayer")),
              QStringLiteral("\"/a/\\\\$x\\\\`y\\\\\"z%%/KvPlayer\""));
    EXPECT_EQ(FileTypeRegistration::quotedExec(QStringLiteral("/a\\b/KvPlayer")),
              QStringLiteral("\"/a\\\\\\\\b/KvPlayer\""));
}

TEST(FileTypeTest, WritesTheTypeAndTheEntryAndFollowsAMovedProgram)
{
    QTemporaryDir home;
    const auto first = FileTypeRegistration::registerQzip(home.path(), QStringLiteral("/opt/kv 1/KvPlayer"),
                                                          QStringLiteral("/opt/kv 1/window.png"));
    EXPECT_TRUE(first.mimeChanged);
    EXPECT_TRUE(first.desktopChanged);
    const QString mime = readAll(home.filePath(QStringLiteral("mime/packages/kvplayer-qzip.xml")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.qzip\"/>")));
    const QString entry = readAll(home.filePath(QStringLiteral("applications/kvplayer.desktop")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=\"/opt/kv 1/KvPlayer\" %f\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=application/x-kvplayer-qzip;\n")));

    const auto again = FileTypeRegistration::registerQzip(home.path(), QStringLiteral("/opt/kv 1/KvPlayer"),
                                                          QStringLiteral("/opt/kv 1/window.png"));
    EXPECT_FALSE(again.mimeChanged);
    EXPECT_FALSE(again.desktopChanged);

    const auto moved = FileTypeRegistration::registerQzip(home.path(), QStringLiteral("/srv/kv/KvPlayer"),
                                                          QStringLiteral("/srv/kv/window.png"));
    EXPECT_FALSE(moved.mimeChanged);
    EXPECT_TRUE(moved.desktopChanged);
    EXPECT_TRUE(readAll(home.filePath(QStringLiteral("applications/kvplayer.desktop")))
                    .contains(QStringLiteral("\nExec=\"/srv/kv/KvPlayer\" %f\n")));
}

TEST(FileTypeTest, AnUnwritableDataFolderIsIgnored)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const auto result = FileTypeRegistration::registerQzip(dir.filePath(QStringLiteral("blocker/share")),
                                                           QStringLiteral("/opt/KvPlayer"), QString());
    EXPECT_FALSE(result.mimeChanged);
    EXPECT_FALSE(result.desktopChanged);
}

}
