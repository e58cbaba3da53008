#include "ExportFixture.h"

#include "PlayerApi.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace exporttest {

namespace {

QTemporaryDir* g_media = nullptr;

bool ffmpeg(const QString& arguments)
{
    QStringList words{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                      QStringLiteral("-y")};
    words += arguments.split(u' ', Qt::SkipEmptyParts);
    return run(QStringLiteral("ffmpeg"), words).status == 0;
}

const QString kPicture = QStringLiteral("-f lavfi -i testsrc2=size=320x240:rate=25:duration=12 "
                                        "-f lavfi -i sine=sample_rate=8000:duration=12 ");
const QString kH264 = QStringLiteral("-c:v libx264 -preset veryfast -g 25 -bf 2 -pix_fmt yuv420p -c:a aac ");

class ExportMedia : public ::testing::Environment
{
public:
    void SetUp() override
    {
        g_media = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/kvexport-test-XXXXXX"));
        ASSERT_TRUE(g_media->isValid());
        QFile::setPermissions(g_media->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                   QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                   QFile::ExeOther);
        ASSERT_TRUE(ffmpeg(kPicture + kH264 + QStringLiteral("-metadata creation_time=2025-03-14T09:26:53Z ") +
                           recording("cam1.mp4")));
        ASSERT_TRUE(ffmpeg(kPicture + kH264 + QStringLiteral("-metadata creation_time=2025-03-14T09:26:56Z ") +
                           recording("cam2.mp4")));
        ASSERT_TRUE(ffmpeg(QStringLiteral("-f lavfi -i testsrc2=size=320x240:rate=25:duration=6 -c:v libx264 "
                                          "-preset veryfast -g 25 -bf 0 -pix_fmt yuv420p -f mpegts ") +
                           recording("gate_20250314_092653.ts")));
    }
    void TearDown() override
    {
        PlayerApi::ReleaseLibrary();
        delete g_media;
        g_media = nullptr;
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ExportMedia);

}

QString recording(const char* name)
{
    return g_media->filePath(QString::fromLatin1(name));
}

QString freshFolder(const char* name)
{
    const QString path = g_media->filePath(QString::fromLatin1(name));
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return path;
}

Ran run(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Ran result;
    if (!process.waitForFinished(120000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

Ran kvplayer(const QStringList& arguments)
{
    return run(QStringLiteral(KV_PROGRAM_DIR "/KvPlayer"), arguments);
}

QList<VideoPacket> videoPackets(const QString& path)
{
    const Ran probe = run(QStringLiteral("ffprobe"),
                          {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                           QStringLiteral("v:0"), QStringLiteral("-show_data_hash"), QStringLiteral("SHA256"),
                           QStringLiteral("-show_entries"),
                           QStringLiteral("stream=start_time:packet=pts_time,flags,data_hash"), QStringLiteral("-of"),
                           QStringLiteral("json"), path});
    const QJsonObject root = QJsonDocument::fromJson(probe.out.toUtf8()).object();
    const double start =
        root.value(QStringLiteral("streams")).toArray().at(0).toObject().value(QStringLiteral("start_time")).toString().toDouble();
    QList<VideoPacket> packets;
    for (const QJsonValue& value : root.value(QStringLiteral("packets")).toArray()) {
        const QJsonObject packet = value.toObject();
        const double pts = packet.value(QStringLiteral("pts_time")).toString().toDouble();
        packets.append({static_cast<int64_t>((pts - start) * 1e6 + 0.5),
                        packet.value(QStringLiteral("flags")).toString().startsWith(u'K'),
                        packet.value(QStringLiteral("data_hash")).toString()});
    }
    return packets;
}

QString sha256sum(const QString& path)
{
    return run(QStringLiteral("sha256sum"), {path}).out.section(u' ', 0, 0);
}

}
