#pragma once

#include <QString>
#include <QStringList>

class Model_Customize;
class QFileDialog;

// Which files the open dialogs offer and the folder scan takes, by brand. The
// dialogs and the scan also take ".265" files, which drops refuse.
namespace OpeningRules {

QStringList scanExtensions(const Model_Customize& customize);

// The open-file dialog's name filter: "*.rf *.264 *.avi *.mp4 *.265" and the like.
QString openFileFilter(const Model_Customize& customize);

// The files directly in folder (no subfolders) whose name contains one of the
// extensions, case-sensitively and anywhere in the name, as "folder/name" in
// the folder's listing order (by name, ignoring case).
QStringList scanFolder(const QString& folder, const QStringList& extensions);

// The dialogs, set up but not run: several existing files with the brand's
// filter, or one folder. They stay above the stay-on-top main window.
QFileDialog* createOpenFileDialog(const Model_Customize& customize);
QFileDialog* createOpenDirDialog();

}
