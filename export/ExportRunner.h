#pragma once

#include "ExportTypes.h"

#include <QObject>

#include <memory>

class EvidenceExport;
class QThread;

// Runs one evidence export at a time on a thread of its own and reports its
// progress and its end as signals on the owner's thread, so that playback
// and the window go on meanwhile.
class ExportRunner : public QObject
{
    Q_OBJECT

public:
    explicit ExportRunner(QObject* parent = nullptr);
    // Cancels a running export and waits for it to clean up.
    ~ExportRunner() override;

    bool isRunning() const { return m_thread != nullptr; }
    // False, starting nothing, while another export runs.
    bool start(const ExportRequest& request);
    void cancel();

signals:
    void progressed(qint64 done, qint64 total);
    void finished(const ExportOutcome& outcome);

private:
    void done(const ExportOutcome& outcome);

    std::shared_ptr<EvidenceExport> m_job;
    QThread* m_thread = nullptr;
};
