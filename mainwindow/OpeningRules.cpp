#include "OpeningRules.h"

#include "Model_Customize.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace OpeningRules {

QStringList scanExtensions(const Model_Customize& customize)
{
    QStringList extensions = customize.dropExtensions();
    const qsizetype afterMp4 = extensions.indexOf(QStringLiteral(".mp4")) + 1;
    extensions.insert(afterMp4, QStringLiteral(".265"));
    return extensions;
}

QString openFileFilter(const Model_Customize& customize)
{
    QStringList patterns;
    for (const QString& extension : scanExtensions(customize))
        patterns.append(QLatin1Char('*') + extension);
    return patterns.join(QLatin1Char(' '));
}

QStringList scanFolder(const QString& folder, const QStringList& extensions)
{
    const QDir dir(folder);
    QStringList files;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (!entry.isFile())
            continue;
        const QString name = entry.fileName();
        for (const QString& extension : extensions) {
            if (name.contains(extension, Qt::CaseSensitive)) {
                files.append(dir.path() + QLatin1Char('/') + name);
                break;
            }
        }
    }
    return files;
}

namespace {

QFileDialog* createDialog()
{
    auto* dialog = new QFileDialog(nullptr, QString(), QString(), QString());
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    return dialog;
}

}

QFileDialog* createOpenFileDialog(const Model_Customize& customize)
{
    QFileDialog* dialog = createDialog();
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setNameFilter(openFileFilter(customize));
    return dialog;
}

QFileDialog* createOpenDirDialog()
{
    QFileDialog* dialog = createDialog();
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    return dialog;
}

}
