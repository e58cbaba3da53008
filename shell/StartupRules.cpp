#include "StartupRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace StartupRules {

bool seedUserSettings(const QString& userFile, const QString& templateFile, QString* error)
{
    if (QFileInfo::exists(userFile))
        return true;

    const QString folder = QFileInfo(userFile).absolutePath();
    if (!QDir(folder).exists() && !QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create the settings folder %1").arg(folder);
        return false;
    }
    QFile source(templateFile);
    if (!source.exists()) {
        *error = QStringLiteral("the settings template %1 is missing").arg(templateFile);
        return false;
    }
    if (!source.copy(userFile)) {
        *error = QStringLiteral("cannot copy %1 to %2: %3").arg(templateFile, userFile, source.errorString());
        return false;
    }
    // The copy keeps the template's permissions, which may be read-only in an
    // installed program folder; the user's own settings must stay writable.
    QFile::setPermissions(userFile, QFile::permissions(userFile) | QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

std::optional<Qt::WindowFlags> windowFlagsFor(int windowFlag)
{
    switch (windowFlag) {
    case 0:
    case 1:
        return Qt::WindowFlags(Qt::FramelessWindowHint);
    case 2:
        return Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    default:
        return std::nullopt;
    }
}

QString firstArgument(int argc, char** argv)
{
    if (argc < 2 || argv[1] == nullptr)
        return {};
    return QString::fromLocal8Bit(argv[1]);
}

}
