#include "FileTypeRegistration.h"

#include "ProgramInfo.h"

#include <QCoreApplication>
#include <QGuiApplication>
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

// The class the toolkit gives the program's windows on X11: the program's
// name with a capital first letter. Window lists match it to the entry,
// since X11 windows carry no desktop file name.
QString windowClassOf(const QString& programPath)
{
    QString name = QFileInfo(programPath).baseName();
    if (!name.isEmpty())
        name[0] = name.at(0).toUpper();
    return name;
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
                                         "MimeType=%3;\n"
                                         "StartupWMClass=%4\n")
                              .arg(quotedExec(programPath), iconPath, QString::fromUtf16(kMimeType),
                                   windowClassOf(programPath));
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

QString desktopId()
{
    return QString::fromUtf16(kDesktopName) + QStringLiteral(".desktop");
}

// The handlers of a "type=a.desktop;b.desktop;" line with desktopId first.
QByteArray handlersWithFirst(const QByteArray& value, const QByteArray& desktopId)
{
    QByteArray handlers = desktopId + ';';
    for (const QByteArray& handler : value.split(';')) {
        const QByteArray trimmed = handler.trimmed();
        if (!trimmed.isEmpty() && trimmed != desktopId)
            handlers += trimmed + ';';
    }
    return handlers;
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

QByteArray withDefaultHandler(const QByteArray& mimeapps, const QString& mimeType, const QString& desktopId)
{
    const QByteArray group = QByteArrayLiteral("[Default Applications]");
    const QByteArray key = mimeType.toUtf8();
    QList<QByteArray> lines = mimeapps.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    qsizetype groupAt = -1;
    bool inGroup = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.startsWith('[')) {
            inGroup = line == group;
            if (inGroup && groupAt < 0)
                groupAt = i;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0 && line.first(equals).trimmed() == key) {
            lines[i] = key + '=' + handlersWithFirst(line.mid(equals + 1), desktopId.toUtf8());
            return lines.join('\n') + '\n';
        }
    }
    if (groupAt < 0) {
        lines.append(group);
        groupAt = lines.size() - 1;
    }
    lines.insert(groupAt + 1, key + '=' + desktopId.toUtf8() + ';');
    return lines.join('\n') + '\n';
}

bool makeDefaultHandler(const QString& configHome)
{
    const QString path = configHome + QStringLiteral("/mimeapps.list");
    QFile existing(path);
    QByteArray current;
    if (existing.open(QIODevice::ReadOnly))
        current = existing.readAll();
    else if (existing.exists())
        return false;
    return writeIfDifferent(path, withDefaultHandler(current, QString::fromUtf16(kMimeType), desktopId()));
}

Result registerQzip(const QString& dataHome, const QString& programPath, const QString& iconPath)
{
    Result result;
    result.mimeChanged =
        writeIfDifferent(dataHome + QStringLiteral("/mime/packages/kvplayer-qzip.xml"), mimePackage());
    result.desktopChanged = writeIfDifferent(dataHome + QStringLiteral("/applications/") + desktopId(),
                                             desktopEntry(programPath, iconPath));
    return result;
}

void registerQzip()
{
    QGuiApplication::setDesktopFileName(QString::fromUtf16(kDesktopName));
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!configHome.isEmpty())
        makeDefaultHandler(configHome);
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
