#pragma once

#include "ExportTypes.h"

#include <QString>

// The words for an export's end: English for the command line, language
// table indices for the window.
namespace ExportMessages {

// Index of the text "Export failed:" that precedes a reason in the window.
constexpr int kFailedPrefix = 97;
constexpr int kMarkInText = 88;
constexpr int kMarkOutText = 89;
constexpr int kExportText = 90;

QString englishText(ExportError error);
// -1 for ExportError::None.
int textIndex(ExportError error);

}
