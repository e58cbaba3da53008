#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

class MessageServer;

// Decides, once per process, whether this is the user's first running instance.
// The instance lock and the hand-off socket live side by side in one folder,
// named after the user id so that users never see each other's instance.
class InstanceGuard
{
public:
    enum class Role {
        // Owns the lock; listens for messages unless the socket could not be set up.
        Primary,
        // Another live process owns the lock.
        Secondary,
        // The lock could not be used at all (no folder, no permission): run alone.
        Standalone,
    };

    explicit InstanceGuard(const QString& runtimeDir = defaultRuntimeDir());
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    Role role() const { return m_role; }
    QString lockPath() const { return m_lockPath; }
    QString socketPath() const { return m_socketPath; }

    // The primary's server; null in the other roles or when listening failed.
    MessageServer* server() const { return m_server.get(); }

    // The user's runtime folder, private to the user.
    static QString defaultRuntimeDir();

private:
    // Qt judges a lock file by the owner written in it. Without one (the owner
    // died between creating and filling it) Qt would wait for an age limit,
    // which is off here, so this start clears such a file itself.
    bool clearOwnerlessLock();
    void becomePrimary();

    QString m_lockPath;
    QString m_socketPath;
    QLockFile m_lock;
    std::unique_ptr<MessageServer> m_server;
    Role m_role = Role::Standalone;
};
