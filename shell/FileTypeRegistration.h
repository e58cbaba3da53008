#pragma once

#include <QString>

// Makes the desktop open ".Qzip" recordings with this program: a shared MIME
// package for the type and a desktop entry that names the program. Written at
// every start, so a moved program folder is picked up by the next start; files
// already up to date are left alone. Failures are ignored: the player runs the
// same without the association.
namespace FileTypeRegistration {

inline constexpr char16_t kMimeType[] = u"application/x-kvplayer-qzip";
// The desktop entry's name without ".desktop", which is also the
// application's desktop file name, so that its windows match the entry.
inline constexpr char16_t kDesktopName[] = u"kvplayer";

struct Result {
    bool mimeChanged = false;
    bool desktopChanged = false;
};

// dataHome is the user's data folder ($XDG_DATA_HOME, ~/.local/share).
Result registerQzip(const QString& dataHome, const QString& programPath, const QString& iconPath);

// Makes the desktop entry the user's default handler of the type in
// configHome/mimeapps.list ($XDG_CONFIG_HOME, ~/.config), ahead of any
// handler listed before; the rest of the file stays as it was. True when it
// wrote.
bool makeDefaultHandler(const QString& configHome);

// The list with the entry first among the type's default applications.
QByteArray withDefaultHandler(const QByteArray& mimeapps, const QString& mimeType, const QString& desktopId);

// Registers for the running program in the user's data and configuration
// folders, names the application after its desktop entry, and asks the
// desktop's caches to refresh when something changed.
void registerQzip();

// The Exec= line's program part: quoted by the desktop entry rules so that a
// path with spaces or special characters stays one argument.
QString quotedExec(const QString& programPath);

}
