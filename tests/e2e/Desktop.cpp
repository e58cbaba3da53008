#include "Desktop.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

namespace Desktop {

QString unavailableReason()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("needs an X server: run under xvfb-run");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return QStringLiteral("needs xdotool (tools/setup.sh installs it)");
    return {};
}

QString xdotool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QStringList windowsOf(qint64 pid)
{
    QStringList found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                 QString::number(pid)})
                            .split(u'\n', Qt::SkipEmptyParts);
    std::sort(found.begin(), found.end(), [](const QString& a, const QString& b) {
        const QRect ga = windowGeometry(a);
        const QRect gb = windowGeometry(b);
        return ga.width() * ga.height() > gb.width() * gb.height();
    });
    return found;
}

QString windowName(const QString& window)
{
    return xdotool({QStringLiteral("getwindowname"), window});
}

QRect windowGeometry(const QString& window)
{
    // X=, Y=, WIDTH=, HEIGHT= lines, one value each.
    const QStringList lines =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}).split(u'\n');
    int values[4] = {0, 0, 0, 0};
    const char* names[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
    for (const QString& line : lines) {
        for (int i = 0; i < 4; ++i) {
            if (line.startsWith(QLatin1String(names[i])))
                values[i] = line.mid(static_cast<qsizetype>(qstrlen(names[i]))).toInt();
        }
    }
    return {values[0], values[1], values[2], values[3]};
}

void focus(const QString& window)
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
}

void keys(const QStringList& names)
{
    for (const QString& name : names) {
        xdotool({QStringLiteral("key"), name});
        // A key at a time, as a hand on the keyboard would: each one answered
        // before the next.
        QThread::msleep(150);
    }
}

void click(const QPoint& at)
{
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
             QStringLiteral("1")});
}

QImage grabScreen()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

}
