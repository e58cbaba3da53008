#pragma once

#include "ExportTypes.h"
#include "Manifest.h"
#include "PlayerExport.h"

#include <QHash>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

class QTemporaryDir;

// One evidence export, start to end: the span of every source that has
// part of it copied losslessly with a snapshot at In, the sources and the
// copies hashed, the manifest, its sha256sum file and the report written.
// Everything goes into a hidden folder beside the destination, which is
// renamed into place only once every file is complete and read back; a
// failure or a cancel removes it. Runs on the calling thread (a worker);
// cancel() may come from any thread.
class EvidenceExport
{
public:
    // Bytes done of bytes to do: the sources read for their hashes, the
    // spans copied and the copies read back.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    explicit EvidenceExport(ExportRequest request);

    ExportOutcome run(const Progress& progress);
    void cancel() { m_cancel.store(true); }

private:
    struct Window {
        ExportSource source;
        PlayerExport::FileFacts facts;
        qint64 size = 0;
        qint64 estimate = 0; // bytes the span is expected to take
    };

    ExportOutcome plan(QList<Window>& windows) const;
    ExportOutcome produce(QTemporaryDir& temp, const QList<Window>& windows);
    ExportOutcome copyAll(const QString& dir, const QList<Window>& windows, Manifest& manifest);
    ExportOutcome copyOne(const QString& dir, const Window& window, Manifest& manifest);
    // By window number; empty where a source could not be read whole.
    QHash<int, QByteArray> hashSources(const QList<Window>& windows);
    ExportOutcome finishFolder(const QString& dir, const Manifest& manifest);
    ExportOutcome moveIntoPlace(QTemporaryDir& temp);
    ManifestFile readBack(const QString& dir, const QString& name);
    bool keepGoing() const { return !m_cancel.load() && !m_failed.load(); }
    ExportOutcome stopped(ExportError error, const QString& detail = {});
    void advance(qint64 bytes);
    void report(bool force);

    ExportRequest m_request;
    Progress m_progress;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_failed{false};
    std::atomic<qint64> m_done{0};
    qint64 m_total = 0;   // run thread only
    qint64 m_reported = -1;
};
