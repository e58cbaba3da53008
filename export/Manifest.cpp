#include "Manifest.h"

#include "PlayerTypes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

namespace ManifestJson {

namespace {

constexpr uint64_t kUsPerSecond = 1000000;
constexpr int kDigitsOfUs = 6;

QJsonObject fileObject(const ManifestFile& file)
{
    return {{QStringLiteral("name"), file.name},
            {QStringLiteral("size"), file.size},
            {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)}};
}

ManifestFile fileFrom(const QJsonObject& object)
{
    return {object.value(QStringLiteral("name")).toString(),
            static_cast<qint64>(object.value(QStringLiteral("size")).toDouble(-1)),
            object.value(QStringLiteral("sha256")).toString().toLatin1()};
}

void putTime(QJsonObject& object, const QString& key, uint64_t us)
{
    object.insert(key, timeText(us));
    object.insert(key + QStringLiteral("_us"), static_cast<qint64>(us));
}

QJsonObject sourceObject(const ManifestSource& source)
{
    QJsonObject object = fileObject(source.file);
    object.insert(QStringLiteral("path"), object.take(QStringLiteral("name")));
    object.insert(QStringLiteral("window"), source.window);
    object.insert(QStringLiteral("recorder"), QJsonObject{{QStringLiteral("mac"), source.mac},
                                                          {QStringLiteral("serial"), source.serial},
                                                          {QStringLiteral("channel"), source.channel},
                                                          {QStringLiteral("device_type"), source.deviceType}});
    object.insert(QStringLiteral("recording_time_source"), timeSourceName(source.timeSource));
    putTime(object, QStringLiteral("recording_start"), source.start);
    putTime(object, QStringLiteral("recording_end"), source.end);
    return object;
}

QJsonObject outputObject(const ManifestOutput& output)
{
    QJsonObject object = fileObject(output.file);
    object.insert(QStringLiteral("window"), output.window);
    object.insert(QStringLiteral("container"), output.container);
    object.insert(QStringLiteral("video_codec"), output.videoCodec);
    object.insert(QStringLiteral("audio_codec"), output.audioCodec);
    putTime(object, QStringLiteral("in"), output.in);
    putTime(object, QStringLiteral("out"), output.out);
    putTime(object, QStringLiteral("first_frame"), output.first);
    putTime(object, QStringLiteral("last_frame"), output.last);
    object.insert(QStringLiteral("snapshot"), fileObject(output.snapshot));
    return object;
}

}

QString timeText(uint64_t us)
{
    const QDateTime when =
        QDateTime::fromSecsSinceEpoch(static_cast<qint64>(us / kUsPerSecond), QTimeZone::utc());
    return when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.")) +
           QStringLiteral("%1Z").arg(us % kUsPerSecond, kDigitsOfUs, 10, QLatin1Char('0'));
}

QString timeSourceName(int source)
{
    switch (source) {
    case TimeSourceCreation: return QStringLiteral("creation_time");
    case TimeSourceStream: return QStringLiteral("stream_time_stamp");
    case TimeSourceFileName: return QStringLiteral("file_name");
    case TimeSourceModified: return QStringLiteral("modification_time");
    default: return QStringLiteral("unknown");
    }
}

QByteArray write(const Manifest& manifest)
{
    QJsonObject root{{QStringLiteral("program"), manifest.program},
                     {QStringLiteral("version"), manifest.version},
                     {QStringLiteral("exported_utc"),
                      manifest.exported.toUTC().toString(Qt::ISODateWithMs)},
                     {QStringLiteral("note"), manifest.note}};
    putTime(root, QStringLiteral("in"), manifest.in);
    putTime(root, QStringLiteral("out"), manifest.out);
    QJsonArray sources;
    for (const ManifestSource& source : manifest.sources)
        sources.append(sourceObject(source));
    QJsonArray outputs;
    for (const ManifestOutput& output : manifest.outputs)
        outputs.append(outputObject(output));
    root.insert(QStringLiteral("sources"), sources);
    root.insert(QStringLiteral("outputs"), outputs);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool read(const QByteArray& json, Manifest& manifest)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject root = document.object();
    const QJsonValue outputs = root.value(QStringLiteral("outputs"));
    if (!outputs.isArray())
        return false;
    manifest.program = root.value(QStringLiteral("program")).toString();
    manifest.version = root.value(QStringLiteral("version")).toString();
    manifest.note = root.value(QStringLiteral("note")).toString();
    manifest.exported = QDateTime::fromString(root.value(QStringLiteral("exported_utc")).toString(), Qt::ISODateWithMs);
    manifest.outputs.clear();
    for (const QJsonValue& value : outputs.toArray()) {
        const QJsonObject object = value.toObject();
        ManifestOutput output;
        output.window = object.value(QStringLiteral("window")).toInt();
        output.file = fileFrom(object);
        output.snapshot = fileFrom(object.value(QStringLiteral("snapshot")).toObject());
        manifest.outputs.append(output);
    }
    return true;
}

}
