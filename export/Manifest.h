#pragma once

// The export's manifest: what was copied from where, with the hashes that
// let anyone check it, as JSON.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>

struct ManifestFile {
    QString name; // inside the export folder, or the full path of a source
    qint64 size = 0;
    QByteArray sha256;
};

struct ManifestSource {
    int window = 0;
    ManifestFile file;
    QString mac;
    QString serial;
    int channel = 0; // as the file information panel shows it, from 1
    QString deviceType;
    int timeSource = 0; // a RecordingTimeSource
    uint64_t start = 0;
    uint64_t end = 0;
};

struct ManifestOutput {
    int window = 0;
    ManifestFile file;
    ManifestFile snapshot;
    QString container;
    QString videoCodec;
    QString audioCodec;
    uint64_t in = 0;
    uint64_t out = 0;
    uint64_t first = 0; // the first and last picture actually in the copy
    uint64_t last = 0;
};

struct Manifest {
    QString program;
    QString version;
    QDateTime exported; // UTC
    QString note;
    uint64_t in = 0;
    uint64_t out = 0;
    QList<ManifestSource> sources;
    QList<ManifestOutput> outputs;
};

namespace ManifestJson {

// "2025-03-14T09:26:53.000000Z".
QString timeText(uint64_t us);
// "creation_time", "stream_time_stamp", "file_name", "modification_time", or "unknown".
QString timeSourceName(int source);

QByteArray write(const Manifest& manifest);
// The outputs with their files and snapshots, and the header fields; false
// when the text is not a manifest.
bool read(const QByteArray& json, Manifest& manifest);

}
