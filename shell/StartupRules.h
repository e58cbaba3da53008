#pragma once

#include <QString>
#include <Qt>

#include <optional>

// Start-up decisions kept apart from main() so that tests can call them.
namespace StartupRules {

// Makes sure the user settings file exists, seeding it from the program's
// template. An existing file is never touched. On failure returns false and sets
// error to a one-line reason.
bool seedUserSettings(const QString& userFile, const QString& templateFile, QString* error);

// The main window's flags for a stay-on-top mode, or nothing to keep the flags
// the window was built with.
std::optional<Qt::WindowFlags> windowFlagsFor(int windowFlag);

// The first argument after the program path, decoded from the local 8-bit
// encoding; a null string when there is none.
QString firstArgument(int argc, char** argv);

}
