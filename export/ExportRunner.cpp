#include "ExportRunner.h"

#include "EvidenceExport.h"

#include <QCoreApplication>
#include <QThread>

ExportRunner::ExportRunner(QObject* parent)
    : QObject(parent)
{
    // The playback library is released once the event loop ends: an export
    // still running then is cancelled and cleaned up first.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            if (!m_thread)
                return;
            m_job->cancel();
            m_thread->wait();
        });
    }
}

ExportRunner::~ExportRunner()
{
    if (!m_thread)
        return;
    m_job->cancel();
    m_thread->wait();
    delete m_thread;
}

bool ExportRunner::start(const ExportRequest& request)
{
    if (m_thread)
        return false;
    m_job = std::make_shared<EvidenceExport>(request);
    // The reports are queued to this object; once it is gone Qt drops them.
    m_thread = QThread::create([job = m_job, target = this] {
        const ExportOutcome outcome = job->run([target](qint64 done, qint64 total) {
            QMetaObject::invokeMethod(target, [target, done, total] { emit target->progressed(done, total); },
                                      Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(target, [target, outcome] { target->done(outcome); }, Qt::QueuedConnection);
    });
    m_thread->start();
    return true;
}

void ExportRunner::cancel()
{
    if (m_job)
        m_job->cancel();
}

void ExportRunner::done(const ExportOutcome& outcome)
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_job.reset();
    emit finished(outcome);
}
