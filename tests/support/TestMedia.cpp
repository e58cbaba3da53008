#include "TestMedia.h"

#include "UserSettings.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

bool makeColourClip(const QString& path, const QString& colour, const QString& duration, const QStringList& extra)
{
    QStringList args{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                     QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                     QStringLiteral("color=c=%1:size=160x120:rate=25:duration=%2").arg(colour, duration),
                     QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                     QStringLiteral("ultrafast"), QStringLiteral("-g"), QStringLiteral("10"), QStringLiteral("-pix_fmt"),
                     QStringLiteral("yuv420p")};
    args << extra << path;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), args);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

namespace {

QTemporaryDir* g_dir = nullptr;

// The recordings, and a private home so that the settings and output folders
// of the tests never touch the user's.
class VideoMedia : public ::testing::Environment
{
public:
    void SetUp() override
    {
        g_dir = new QTemporaryDir;
        qputenv("HOME", g_dir->path().toUtf8());
        qputenv("XDG_CONFIG_HOME", g_dir->filePath(QStringLiteral("config")).toUtf8());
        qputenv("SDL_AUDIODRIVER", "dummy");
        const QString program = QCoreApplication::applicationName();
        UserSettings::configure(QStringLiteral("kvtest"), program + u'/' + program);
        ASSERT_TRUE(makeColourClip(testRecording("red.mp4"), QStringLiteral("red"), QStringLiteral("0.6")));
        ASSERT_TRUE(makeColourClip(testRecording("blue.mp4"), QStringLiteral("blue"), QStringLiteral("0.6")));
        ASSERT_TRUE(makeColourClip(testRecording("long.mp4"), QStringLiteral("green"), QStringLiteral("20")));
    }
    void TearDown() override
    {
        delete g_dir;
        g_dir = nullptr;
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new VideoMedia);

}

QString testRecording(const char* name)
{
    return g_dir->filePath(QString::fromLatin1(name));
}
