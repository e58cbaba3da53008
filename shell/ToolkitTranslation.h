#pragma once

#include <QString>
#include <QStringList>

// Where the toolkit's own translation (the texts of its standard dialogs) is
// found for a language.
namespace ToolkitTranslation {

// The first folder, in order, that holds fileName ("qt_pt.qm" or
// "/qt_pt.qm") or, when a language comes only in regional variants, its
// first variant by name ("qt_pt_BR.qm" before "qt_pt_PT.qm"); the path of
// the file, or an empty string when no folder has one.
QString locate(const QString& fileName, const QStringList& folders);

// The folders to look in: the program folder, then the system's.
QStringList folders(const QString& programDir);

}
