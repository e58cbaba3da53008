#include "FileTypeRegistration.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Sets a variable for its lifetime and then puts back what was there.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

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
    EXPECT_TRUE(entry.contains(QStringLiteral("\nStartupWMClass=KvPlayer\n")));

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

TEST(FileTypeTest, TheEntryGoesFirstAmongTheDefaultsAndTheRestOfTheListStays)
{
    const QString type = QString::fromUtf16(FileTypeRegistration::kMimeType);
    const QString id = QStringLiteral("kvplayer.desktop");
    EXPECT_EQ(FileTypeRegistration::withDefaultHandler({}, type, id),
              QByteArrayLiteral("[Default Applications]\napplication/x-kvplayer-qzip=kvplayer.desktop;\n"));

    const QByteArray other = "[Added Associations]\napplication/x-kvplayer-qzip=other.desktop;\n"
                             "[Default Applications]\ntext/plain=vim.desktop\n"
                             "application/x-kvplayer-qzip = other.desktop;kvplayer.desktop;third.desktop\n";
    EXPECT_EQ(FileTypeRegistration::withDefaultHandler(other, type, id),
              QByteArrayLiteral("[Added Associations]\napplication/x-kvplayer-qzip=other.desktop;\n"
                                "[Default Applications]\ntext/plain=vim.desktop\n"
                                "application/x-kvplayer-qzip=kvplayer.desktop;other.desktop;third.desktop;\n"));

    const QByteArray noGroup = "[Added Associations]\nimage/png=gimp.desktop;";
    const QByteArray added = FileTypeRegistration::withDefaultHandler(noGroup, type, id);
    EXPECT_EQ(added, QByteArrayLiteral("[Added Associations]\nimage/png=gimp.desktop;\n[Default Applications]\n"
                                       "application/x-kvplayer-qzip=kvplayer.desktop;\n"));
    EXPECT_EQ(FileTypeRegistration::withDefaultHandler(added, type, id), added) << "nothing to change twice";
}

TEST(FileTypeTest, TheRunningProgramRegistersInTheUsersFoldersAndTakesTheEntrysName)
{
    QTemporaryDir dir;
    const QByteArray data = dir.filePath(QStringLiteral("data")).toUtf8();
    const QByteArray config = dir.filePath(QStringLiteral("config")).toUtf8();
    {
        const ScopedEnvironment dataHome("XDG_DATA_HOME", data);
        const ScopedEnvironment configHome("XDG_CONFIG_HOME", config);
        FileTypeRegistration::registerQzip();
    }

    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("kvplayer"));
    EXPECT_TRUE(QFileInfo(QString::fromUtf8(data) + QStringLiteral("/applications/kvplayer.desktop")).isFile());
    EXPECT_TRUE(readAll(QString::fromUtf8(config) + QStringLiteral("/mimeapps.list"))
                    .contains(QStringLiteral("application/x-kvplayer-qzip=kvplayer.desktop;")));
}

// The desktop's own tools, run in a temporary XDG tree, find the program as
// the default for a ".Qzip" file.
TEST(FileTypeTest, TheProgramOpensQzipFilesByDefault)
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    const QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (gio.isEmpty() || updateMime.isEmpty())
        GTEST_SKIP() << "needs gio and update-mime-database";
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString config = dir.filePath(QStringLiteral("config"));
    FileTypeRegistration::registerQzip(data, QStringLiteral(KV_PROGRAM_DIR "/KvPlayer"), QString());
    EXPECT_TRUE(FileTypeRegistration::makeDefaultHandler(config));
    EXPECT_FALSE(FileTypeRegistration::makeDefaultHandler(config)) << "already the default";
    ASSERT_EQ(QProcess::execute(updateMime, {data + QStringLiteral("/mime")}), 0);
    QFile recording(dir.filePath(QStringLiteral("x.Qzip")));
    ASSERT_TRUE(recording.open(QIODevice::WriteOnly));
    recording.write(QByteArray(64, '\x01'));
    recording.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/share"));
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(gio, arguments);
        EXPECT_TRUE(process.waitForFinished(10000));
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString type = QString::fromUtf16(FileTypeRegistration::kMimeType);
    EXPECT_TRUE(run({QStringLiteral("info"), QStringLiteral("-a"), QStringLiteral("standard::content-type"),
                     recording.fileName()})
                    .contains(QStringLiteral("standard::content-type: ") + type));
    EXPECT_TRUE(run({QStringLiteral("mime"), type}).contains(QStringLiteral(": kvplayer.desktop\n")));
}

}
