#include "ExportMessages.h"

namespace ExportMessages {

QString englishText(ExportError error)
{
    switch (error) {
    case ExportError::None: return {};
    case ExportError::NoSources: return QStringLiteral("no recording to export");
    case ExportError::InAfterOut: return QStringLiteral("In is after Out");
    case ExportError::OutsideFiles: return QStringLiteral("the span lies outside every file");
    case ExportError::Unwritable: return QStringLiteral("the destination folder cannot be written");
    case ExportError::WriteFailed: return QStringLiteral("writing failed (disk full?)");
    case ExportError::ReadFailed: return QStringLiteral("a recording could not be read");
    case ExportError::VerifyFailed: return QStringLiteral("a written file did not read back the same");
    case ExportError::Cancelled: return QStringLiteral("export cancelled");
    }
    return {};
}

int textIndex(ExportError error)
{
    switch (error) {
    case ExportError::None: return -1;
    case ExportError::NoSources: return 106;
    case ExportError::InAfterOut: return 100;
    case ExportError::OutsideFiles: return 101;
    case ExportError::Unwritable: return 102;
    case ExportError::WriteFailed: return 103;
    case ExportError::ReadFailed: return 104;
    case ExportError::VerifyFailed: return 105;
    case ExportError::Cancelled: return 98;
    }
    return -1;
}

}
