#pragma once

#include "Manifest.h"

#include <QByteArray>
#include <QString>

// The printable report of an export: one page per window with its snapshot,
// the manifest's facts about its source and its copy, and the hashes.
namespace ReportPdf {

// folder holds the snapshots the manifest names; manifestSha256 is printed
// on every page. False when the file could not be written.
bool write(const QString& path, const Manifest& manifest, const QString& folder, const QByteArray& manifestSha256);

// Whether data looks like a whole PDF file: its header and its end marker.
bool looksComplete(const QByteArray& data);

}
