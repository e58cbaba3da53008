#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

// The X display the tests run on, seen and driven as a user would: xdotool
// for keys, clicks and windows, the screen's pixels for what shows.
namespace Desktop {

// Whether there is a display and xdotool to drive it; why not otherwise.
QString unavailableReason();
// xdotool with the arguments; its standard output, trimmed. Empty on failure.
QString xdotool(const QStringList& args);
// The visible windows of a process, largest first.
QStringList windowsOf(qint64 pid);
QString windowName(const QString& window);
QRect windowGeometry(const QString& window);
// Gives window the keyboard focus and waits until the server says so.
void focus(const QString& window);
// Key names as xdotool knows them ("comma", "shift+s", "alt+2").
void keys(const QStringList& names);
void click(const QPoint& at);
QImage grabScreen();

}
