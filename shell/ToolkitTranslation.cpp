#include "ToolkitTranslation.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace ToolkitTranslation {

QString locate(const QString& fileName, const QStringList& folders)
{
    const QString name = QFileInfo(fileName).fileName();
    const QString stem = QFileInfo(name).completeBaseName();
    if (stem.isEmpty())
        return {};
    for (const QString& folder : folders) {
        const QDir dir(folder);
        if (QFileInfo(dir.filePath(name)).isFile())
            return dir.filePath(name);
        const QStringList variants =
            dir.entryList({stem + QStringLiteral("_*.qm")}, QDir::Files | QDir::Readable, QDir::Name);
        if (!variants.isEmpty())
            return dir.filePath(variants.constFirst());
    }
    return {};
}

QStringList folders(const QString& programDir)
{
    return {programDir, QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

}
