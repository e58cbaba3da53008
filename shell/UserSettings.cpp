#include "UserSettings.h"

#include "ProcessWide.h"

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
    return publishOnce(g_settings, createSettings, &UserSettings::release);
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
