#pragma once

#include <QString>
#include <QStringList>

#include <QtGlobal>

#include <optional>

// What a play list entry shows, and which entries and drops it takes, as plain
// functions of their inputs so that tests can check the rules without widgets.
namespace PlayListText {

// "1023.0B", "1.0KB", "1.00MB", "3.00GB": steps of 1024, one decimal below a
// megabyte and two from there on.
QString FormatFileSize(quint64 bytes);

// The text after the last "/", or the whole path when it has none.
QString fileNameOf(const QString& path);

// Names over 20 characters show their first 8, "..." and their last 7.
QString shortName(const QString& fileName);

// "HH:MM:SS" of the whole seconds between two times in microseconds; a range
// that runs backwards has length 0.
QString LengthText(qint64 startMicroseconds, qint64 endMicroseconds);

// Seconds of an "H:M:S" text; anything else reads as 0.
qint64 TimeTextToSeconds(const QString& text);

// The furthest of the play positions of the windows playing a file, or an empty
// text when none plays it.
QString furthestPlayTime(const QStringList& playTimes);

// The length label: the total length alone, or the furthest position, "/" and
// the total length while the file plays.
QString progressText(const QStringList& playTimes, const QString& totalLength);

// How many pixels the progress bar of a 265-pixel-wide entry stops short of its
// right edge; nothing when the total length is 0 and no bar is drawn.
std::optional<int> progressBarShortening(const QString& currentTime, const QString& totalLength);

// The search rule: the file name contains text, ignoring case; an empty text
// matches every entry.
bool matchesSearch(const QString& path, const QString& text);

// The local file names of a drop onto the play list that become new entries,
// in order. The drop ends at the first empty name or the first name holding
// none of the accepted extensions (a case-sensitive test anywhere in the name);
// a name whose file name equals that of an entry, or of an earlier name of the
// same drop, is passed over.
QStringList listDropAdditions(const QStringList& localNames, const QStringList& entryFileNames,
                              const QStringList& extensions);

}
