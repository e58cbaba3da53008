#include "FileTypeRegistration.h"

#include "ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace FileTypeRegistration {

namespace {

QByteArray mimePackage()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-kvplayer-qzip\">\n"
        "    <comment>KvPlayer recording</comment>\n"
        "    <glob pattern=\"*.qzip\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QByteArray desktopEntry(const QString& programPath, const QString& iconPath)
{
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=KvPlayer\n"
                                         "Comment=Play surveillance recordings\n"
                                         "Exec=%1 %f\n"
                                         "Icon=%2\n"
                                         "Terminal=false\n"
                                         "Categories=AudioVideo;Video;Player;\n"
                                         "MimeType=%3;\n")
                              .arg(quotedExec(programPath), iconPath, QString::fromUtf16(kMimeType));
    return entry.toUtf8();
}

// Writes contents unless the file already holds them; true when it wrote.
bool writeIfDifferent(const QString& path, const QByteArray& contents)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents)
        return false;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // An uncommitted save file is discarded, so a short write leaves the old file.
    if (file.write(contents) != contents.size())
        return false;
    return file.commit();
}

void refreshCache(const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty())
        QProcess::startDetached(program, {folder});
}

}

QString quotedExec(const QString& programPath)
{
    QString quoted;
    quoted.reserve(programPath.size() + 2);
    quoted += u'"';
    for (const QChar c : programPath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    // The desktop file itself escapes backslashes once more.
    return quoted.replace(u'\\', QStringLiteral("\\\\"));
}

Result registerQzip(const QString& dataHome, const QString& programPath, const QString& iconPath)
{
    Result result;
    result.mimeChanged =
        writeIfDifferent(dataHome + QStringLiteral("/mime/packages/kvplayer-qzip.xml"), mimePackage());
    result.desktopChanged = writeIfDifferent(dataHome + QStringLiteral("/applications/kvplayer.desktop"),
                                             desktopEntry(programPath, iconPath));
    return result;
}

void registerQzip()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return;
    const Result result = registerQzip(dataHome, QCoreApplication::applicationFilePath(),
                                       ProgramInfo::programDir() + QStringLiteral("/window.png"));
    if (result.mimeChanged)
        refreshCache(QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime"));
    if (result.desktopChanged)
        refreshCache(QStringLiteral("update-desktop-database"), dataHome + QStringLiteral("/applications"));
}

}
