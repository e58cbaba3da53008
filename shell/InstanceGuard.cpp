#include "InstanceGuard.h"

#include "Diagnostics.h"
#include "MessageServer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// Long enough for a start racing with ours to finish writing its lock file.
constexpr int kLockWaitMs = 200;

// A start fills its lock file right after creating it; one that is still
// without an owner after this long never will be.
constexpr qint64 kOwnerlessLockAgeMs = 5000;

QString pathIn(const QString& dir, QStringView suffix)
{
    if (dir.isEmpty())
        return {};
    return QDir(dir).filePath(QStringLiteral("kvplayer-%1").arg(getuid()) + suffix);
}

} // namespace

InstanceGuard::InstanceGuard(const QString& runtimeDir)
    : m_lockPath(pathIn(runtimeDir, u".lock"))
    , m_socketPath(pathIn(runtimeDir, u".sock"))
    , m_lock(m_lockPath)
{
    if (m_lockPath.isEmpty())
        return;
    // The lock is held for the whole run, so its age says nothing; only a dead
    // owner makes it stale.
    m_lock.setStaleLockTime(0);
    if (m_lock.tryLock(kLockWaitMs) || (clearOwnerlessLock() && m_lock.tryLock(0))) {
        becomePrimary();
        return;
    }
    if (m_lock.error() == QLockFile::LockFailedError) {
        m_role = Role::Secondary;
        return;
    }
    qCWarning(lcKvDiag).noquote() << "single instance: cannot use the lock file" << m_lockPath
                                  << "- running alone";
}

InstanceGuard::~InstanceGuard() = default;

QString InstanceGuard::defaultRuntimeDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool InstanceGuard::clearOwnerlessLock()
{
    if (m_lock.error() != QLockFile::LockFailedError)
        return false;
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (m_lock.getLockInfo(&pid, &hostName, &appName))
        return false;
    const QDateTime modified = QFileInfo(m_lockPath).lastModified();
    if (!modified.isValid() || modified.msecsTo(QDateTime::currentDateTimeUtc()) < kOwnerlessLockAgeMs)
        return false;
    // Refused while a live process still holds the file's lock.
    return m_lock.removeStaleLockFile();
}

void InstanceGuard::becomePrimary()
{
    m_role = Role::Primary;
    // Holding the lock proves that a socket file found here belongs to a dead
    // instance, so it may go.
    QLocalServer::removeServer(m_socketPath);
    auto server = std::make_unique<MessageServer>();
    if (server->listen(m_socketPath))
        m_server = std::move(server);
}
