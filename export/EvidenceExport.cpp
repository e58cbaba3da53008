#include "EvidenceExport.h"

#include "DurableFiles.h"
#include "EvidenceHash.h"
#include "ExportPlan.h"
#include "ProgramInfo.h"
#include "ReportPdf.h"
#include "VerifyFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <chrono>
#include <future>

namespace {

constexpr int kReportSteps = 500;
constexpr auto kHashPoll = std::chrono::milliseconds(50);
constexpr const char* kReport = "report.pdf";

QString programVersion()
{
    const QSettings ini(QDir(ProgramInfo::programDir()).filePath(QStringLiteral("default.ini")), QSettings::IniFormat);
    return ini.value(QStringLiteral("function-customize/version"), QStringLiteral(KV_VERSION)).toString();
}

ExportError errorOf(PlayerExport::SpanStatus status)
{
    switch (status) {
    case PlayerExport::SpanStatus::Done: return ExportError::None;
    case PlayerExport::SpanStatus::OutsideFile: return ExportError::OutsideFiles;
    case PlayerExport::SpanStatus::WriteFailed: return ExportError::WriteFailed;
    case PlayerExport::SpanStatus::Cancelled: return ExportError::Cancelled;
    case PlayerExport::SpanStatus::ReadFailed:
    case PlayerExport::SpanStatus::BadRequest: return ExportError::ReadFailed;
    }
    return ExportError::ReadFailed;
}

}

EvidenceExport::EvidenceExport(ExportRequest request)
    : m_request(std::move(request))
{
}

ExportOutcome EvidenceExport::stopped(ExportError error, const QString& detail)
{
    m_failed.store(true);
    return {m_cancel.load() ? ExportError::Cancelled : error, {}, detail};
}

void EvidenceExport::advance(qint64 bytes)
{
    m_done.fetch_add(bytes);
}

void EvidenceExport::report(bool force)
{
    const qint64 done = std::min(m_done.load(), m_total);
    if (!m_progress || (!force && m_reported >= 0 && (done - m_reported) * kReportSteps < m_total))
        return;
    m_reported = done;
    m_progress(done, m_total);
}

ExportOutcome EvidenceExport::plan(QList<Window>& windows) const
{
    for (const ExportSource& source : m_request.sources) {
        Window window{source, {}, QFileInfo(source.path).size(), 0};
        if (!PlayerExport::readFacts(source.path, window.facts))
            return {ExportError::ReadFailed, {}, source.path};
        const PlayerExport::FileFacts& f = window.facts;
        if (!ExportPlan::overlaps(f.start, f.end, m_request.in, m_request.out))
            continue;
        window.estimate = ExportPlan::spanBytes(window.size, f.start, f.end, m_request.in, m_request.out);
        windows.append(window);
    }
    if (windows.isEmpty())
        return {ExportError::OutsideFiles, {}, {}};
    return {};
}

ExportOutcome EvidenceExport::run(const Progress& progress)
{
    m_progress = progress;
    if (m_request.sources.isEmpty())
        return {ExportError::NoSources, {}, {}};
    if (m_request.in > m_request.out)
        return {ExportError::InAfterOut, {}, {}};
    QList<Window> windows;
    if (ExportOutcome planned = plan(windows); planned.error != ExportError::None)
        return planned;
    const QString name = ExportPlan::folderName(m_request.in);
    if (!QDir().mkpath(m_request.parentFolder))
        return {ExportError::Unwritable, {}, m_request.parentFolder};
    QTemporaryDir temp(QDir(m_request.parentFolder).filePath(u'.' + name + QStringLiteral("-XXXXXX")));
    if (!temp.isValid())
        return {ExportError::Unwritable, {}, m_request.parentFolder + QStringLiteral(": ") + temp.errorString()};
    // Made private while it is written; handed over like any folder.
    QFile::setPermissions(temp.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                           QFileDevice::ReadOther | QFileDevice::ExeOther);
    for (const Window& window : windows)
        m_total += window.size + 2 * window.estimate;
    report(true);
    const ExportOutcome outcome = produce(temp, windows);
    report(true);
    return outcome;
}

ExportOutcome EvidenceExport::produce(QTemporaryDir& temp, const QList<Window>& windows)
{
    // The sources are hashed whole while their spans are copied.
    std::future<QHash<int, QByteArray>> sourceHashes =
        std::async(std::launch::async, [this, &windows] { return hashSources(windows); });
    Manifest manifest{QStringLiteral("KvPlayer"), programVersion(), QDateTime::currentDateTimeUtc(),
                      m_request.note, m_request.in, m_request.out, {}, {}};
    ExportOutcome outcome = copyAll(temp.path(), windows, manifest);
    while (sourceHashes.wait_for(kHashPoll) != std::future_status::ready)
        report(false);
    const QHash<int, QByteArray> hashes = sourceHashes.get();
    for (ManifestSource& source : manifest.sources) {
        if (outcome.error != ExportError::None)
            break;
        source.file.sha256 = hashes.value(source.window);
        if (source.file.sha256.isEmpty())
            outcome = stopped(ExportError::ReadFailed, source.file.name);
    }
    if (outcome.error == ExportError::None)
        outcome = finishFolder(temp.path(), manifest);
    if (outcome.error == ExportError::None)
        outcome = moveIntoPlace(temp);
    return outcome;
}

QHash<int, QByteArray> EvidenceExport::hashSources(const QList<Window>& windows)
{
    QHash<int, QByteArray> hashes;
    for (const Window& window : windows) {
        hashes.insert(window.source.window, EvidenceHash::sha256File(window.source.path, [this](qint64 bytes) {
                          advance(bytes);
                          return keepGoing();
                      }));
    }
    return hashes;
}

ExportOutcome EvidenceExport::copyAll(const QString& dir, const QList<Window>& windows, Manifest& manifest)
{
    for (const Window& window : windows) {
        const ExportOutcome copied = copyOne(dir, window, manifest);
        // A file that covers the span's times but holds no picture in it
        // (a gap) gives no copy; the others still do.
        if (copied.error == ExportError::OutsideFiles && !m_cancel.load())
            continue;
        if (copied.error != ExportError::None)
            return copied;
    }
    if (manifest.outputs.isEmpty())
        return stopped(ExportError::OutsideFiles);
    return {};
}

ExportOutcome EvidenceExport::copyOne(const QString& dir, const Window& window, Manifest& manifest)
{
    const QString& path = window.source.path;
    const int number = window.source.window;
    const QString extension = PlayerExport::spanExtension(path);
    if (extension.isEmpty())
        return stopped(ExportError::ReadFailed, path);
    ManifestOutput output{number, {ExportPlan::outputName(number, path, extension), 0, {}},
                          {ExportPlan::snapshotName(number, path), 0, {}}, {}, {}, {},
                          m_request.in, m_request.out, 0, 0};
    const QDir folder(dir);
    const PlayerExport::SpanRequest request{path, folder.filePath(output.file.name),
                                            folder.filePath(output.snapshot.name), m_request.in, m_request.out};
    qint64 counted = 0;
    const PlayerExport::SpanResult copied = PlayerExport::copySpan(request, [this, &counted](uint64_t bytes) {
        advance(static_cast<qint64>(bytes) - counted);
        counted = static_cast<qint64>(bytes);
        report(false);
        return keepGoing();
    });
    if (copied.status != PlayerExport::SpanStatus::Done) {
        const ExportError error = errorOf(copied.status);
        return error == ExportError::OutsideFiles ? ExportOutcome{error, {}, path} : stopped(error, path);
    }
    // The copy counts as read back once its own bytes were hashed from the disk.
    m_total += counted - window.estimate;
    m_total += QFileInfo(request.output).size() + QFileInfo(request.picture).size() - window.estimate;
    output.file = readBack(dir, output.file.name);
    output.snapshot = readBack(dir, output.snapshot.name);
    if (output.file.sha256.isEmpty() || output.snapshot.sha256.isEmpty())
        return stopped(ExportError::VerifyFailed, output.file.name);
    output.container = copied.container;
    output.videoCodec = copied.videoCodec;
    output.audioCodec = copied.audioCodec;
    output.first = copied.first;
    output.last = copied.last;
    manifest.outputs.append(output);
    const PlayerExport::FileFacts& f = window.facts;
    manifest.sources.append({number, {path, window.size, {}}, f.mac, f.serial, f.channel + 1, f.deviceType,
                             f.timeSource, f.start, f.end});
    return {};
}

ManifestFile EvidenceExport::readBack(const QString& dir, const QString& name)
{
    const QString path = QDir(dir).filePath(name);
    ManifestFile file{name, QFileInfo(path).size(), {}};
    if (!DurableFiles::sync(path))
        return file;
    file.sha256 = EvidenceHash::sha256File(path, [this](qint64 bytes) {
        advance(bytes);
        report(false);
        return keepGoing();
    });
    return file;
}

ExportOutcome EvidenceExport::finishFolder(const QString& dir, const Manifest& manifest)
{
    const QDir folder(dir);
    const QString manifestName = QString::fromLatin1(VerifyFolder::kManifest);
    const QByteArray json = ManifestJson::write(manifest);
    const QByteArray hex = EvidenceHash::sha256Hex(json);
    const QByteArray sumLine = EvidenceHash::sumLine(hex, manifestName);
    const QString sumPath = folder.filePath(QString::fromLatin1(VerifyFolder::kManifestSum));
    const QString reportPath = folder.filePath(QString::fromLatin1(kReport));
    QString why;
    if (!DurableFiles::write(folder.filePath(manifestName), json, why) || !DurableFiles::write(sumPath, sumLine, why))
        return stopped(ExportError::WriteFailed, why);
    if (!ReportPdf::write(reportPath, manifest, dir, hex) || !DurableFiles::sync(reportPath))
        return stopped(ExportError::WriteFailed, reportPath);
    const bool same = DurableFiles::read(folder.filePath(manifestName)) == json &&
                      DurableFiles::read(sumPath) == sumLine &&
                      ReportPdf::looksComplete(DurableFiles::read(reportPath));
    if (!same)
        return stopped(ExportError::VerifyFailed, dir);
    if (!keepGoing())
        return stopped(ExportError::Cancelled);
    return DurableFiles::sync(dir) ? ExportOutcome{} : stopped(ExportError::WriteFailed, dir);
}

ExportOutcome EvidenceExport::moveIntoPlace(QTemporaryDir& temp)
{
    const QString target = ExportPlan::freeFolder(m_request.parentFolder, ExportPlan::folderName(m_request.in));
    if (!QDir().rename(temp.path(), target))
        return stopped(ExportError::WriteFailed, target);
    temp.setAutoRemove(false);
    DurableFiles::sync(m_request.parentFolder);
    return {ExportError::None, target, {}};
}
