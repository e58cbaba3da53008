#include "UserSettings.h"

#include <QCoreApplication>
#include <QMutex>

#include <atomic>

namespace {

std::atomic<QSettings*> g_settings{nullptr};

QMutex g_namesLock;
QString g_organisation;  // guarded by g_namesLock
QString g_application;   // guarded by g_namesLock

QSettings* createSettings()
{
    QMutexLocker locker(&g_namesLock);
    return new QSettings(QSettings::IniFormat, QSettings::UserScope, g_organisation, g_application);
}

}

void UserSettings::configure(const QString& organisation, const QString& application)
{
    QMutexLocker locker(&g_namesLock);
    g_organisation = organisation;
    g_application = application;
}

QSettings& UserSettings::settings()
{
    QSettings* current = g_settings.load(std::memory_order_acquire);
    if (current)
        return *current;

    QSettings* created = createSettings();
    if (g_settings.compare_exchange_strong(current, created, std::memory_order_acq_rel)) {
        qAddPostRoutine(&UserSettings::release);
        return *created;
    }
    delete created;
    return *current;
}

QString UserSettings::fileName()
{
    return settings().fileName();
}

void UserSettings::sync()
{
    settings().sync();
}

void UserSettings::release()
{
    delete g_settings.exchange(nullptr, std::memory_order_acq_rel);
}
