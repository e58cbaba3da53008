#pragma once

// Checking an export folder: the manifest against its sha256sum file, and
// every copy and snapshot against the manifest.

#include <QList>
#include <QString>
#include <QStringList>

namespace VerifyFolder {

constexpr const char* kManifest = "manifest.json";
constexpr const char* kManifestSum = "manifest.json.sha256";

struct Line {
    QString name;
    bool ok = false;
    QString why; // empty when ok
};

struct Report {
    QString problem; // set when the folder holds no readable manifest
    QList<Line> lines;
    bool allMatch() const;
};

Report verify(const QString& folder);

// One "OK name" or "MISMATCH name (why)" line per file, then a summary.
QStringList text(const Report& report);

}
