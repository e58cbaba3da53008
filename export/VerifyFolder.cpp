#include "VerifyFolder.h"

#include "EvidenceHash.h"
#include "Manifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace VerifyFolder {

namespace {

QString manifestName() { return QString::fromLatin1(kManifest); }

Line checkManifest(const QDir& dir, const QByteArray& json)
{
    Line line{manifestName(), false, {}};
    QFile sums(dir.filePath(QString::fromLatin1(kManifestSum)));
    if (!sums.open(QIODevice::ReadOnly)) {
        line.why = QStringLiteral("no %1").arg(QString::fromLatin1(kManifestSum));
        return line;
    }
    const QByteArray expected = EvidenceHash::hashInLine(sums.readLine(), manifestName());
    if (expected.isEmpty())
        line.why = QStringLiteral("%1 holds no hash of it").arg(QString::fromLatin1(kManifestSum));
    else if (EvidenceHash::sha256Hex(json) != expected)
        line.why = QStringLiteral("hash differs");
    line.ok = line.why.isEmpty();
    return line;
}

Line checkFile(const QDir& dir, const ManifestFile& file)
{
    Line line{file.name, false, {}};
    // The manifest names files inside the folder; anything else is no part of it.
    const QString path = dir.filePath(file.name);
    if (file.name.isEmpty() || file.name.contains(u'/') || file.name.startsWith(u'.'))
        line.why = QStringLiteral("not a file of this folder");
    else if (!QFileInfo::exists(path))
        line.why = QStringLiteral("missing");
    else if (QFileInfo(path).size() != file.size)
        line.why = QStringLiteral("size differs");
    else if (EvidenceHash::sha256File(path) != file.sha256)
        line.why = QStringLiteral("hash differs");
    line.ok = line.why.isEmpty();
    return line;
}

}

bool Report::allMatch() const
{
    if (!problem.isEmpty() || lines.isEmpty())
        return false;
    for (const Line& line : lines) {
        if (!line.ok)
            return false;
    }
    return true;
}

Report verify(const QString& folder)
{
    Report report;
    const QDir dir(folder);
    QFile file(dir.filePath(manifestName()));
    if (!dir.exists() || !file.open(QIODevice::ReadOnly)) {
        report.problem = QStringLiteral("%1 holds no %2").arg(folder, manifestName());
        return report;
    }
    const QByteArray json = file.readAll();
    report.lines.append(checkManifest(dir, json));
    Manifest manifest;
    if (!ManifestJson::read(json, manifest)) {
        report.problem = QStringLiteral("%1 cannot be read").arg(manifestName());
        return report;
    }
    for (const ManifestOutput& output : manifest.outputs) {
        report.lines.append(checkFile(dir, output.file));
        report.lines.append(checkFile(dir, output.snapshot));
    }
    return report;
}

QStringList text(const Report& report)
{
    QStringList out;
    int matching = 0;
    for (const Line& line : report.lines) {
        out.append(line.ok ? QStringLiteral("OK %1").arg(line.name)
                           : QStringLiteral("MISMATCH %1 (%2)").arg(line.name, line.why));
        matching += line.ok ? 1 : 0;
    }
    if (!report.problem.isEmpty())
        out.append(QStringLiteral("verification failed: %1").arg(report.problem));
    else if (report.allMatch())
        out.append(QStringLiteral("all %1 files match").arg(report.lines.size()));
    else
        out.append(QStringLiteral("verification failed: %1 of %2 files match").arg(matching).arg(report.lines.size()));
    return out;
}

}
