#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Model_Customize;
class Model_Language;

// Which files carry a language, and how a language is chosen at start-up and
// changed while running. Languages are bits of a mask: 0 English, 1 Simplified
// Chinese, 2 Russian, 3 German, 4 Traditional Chinese, 5 Japanese, 6 Portuguese.
namespace LanguageSelection {

inline constexpr int kLanguageCount = 7;

struct StartupFiles {
    QString xml;        // relative to the program folder ("/Language/X.xml"), empty for none
    QString translator; // relative to the program folder ("/qt_de.qm"), empty for none
};

// The files for the current language value (1, 2, 4, ... 64) at start-up; some
// depend on the brand.
StartupFiles startupFiles(unsigned languageCurrent, const Model_Customize& customize);

// The run-time files in bit order.
QStringList runtimeFiles();

// The language value at a menu position: the position-th set bit of the mask.
std::optional<unsigned> valueAtPosition(unsigned mask, int position);

// Switches to the language at a menu position: reloads the table and stores the
// new value. Returns false when nothing changed (already current, or no such
// position); the caller then has no texts to re-apply.
bool change(int position, const QString& programDir, Model_Customize& customize, Model_Language& table);

}
