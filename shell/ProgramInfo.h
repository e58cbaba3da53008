#pragma once

#include <QString>

// Names and folders derived from the program file. The program base name is the
// file name without its last extension; it names the user settings folder and
// the output base folder, so a renamed build keeps its own settings.
namespace ProgramInfo {

QString baseNameOf(const QString& programFilePath);
QString settingsApplicationNameOf(const QString& baseName);

// Of the running program.
QString programBaseName();
QString programDir();
QString settingsApplicationName();

}
