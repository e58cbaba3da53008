#pragma once

#include <QSettings>
#include <QString>

// The process-wide per-user settings object: INI format, user scope, named after
// the organisation (company name) and the settings application name. It is
// created on first use and written out when the process ends.
class UserSettings
{
public:
    // Names the file. Must be called before the first use; later calls change
    // nothing once the object exists.
    static void configure(const QString& organisation, const QString& application);

    static QSettings& settings();
    static QString fileName();
    static void sync();

    // Destroys the object, which writes pending changes. Runs at exit; a later
    // use creates a new one.
    static void release();

    UserSettings() = delete;
};
