#pragma once

// The rules an export follows before it writes anything: its folder's name,
// the names inside it, which files the span touches, and what it will cost.

#include <QString>

#include <cstdint>

namespace ExportPlan {

// The export folder's name: the In time in UTC, "20250314T092653Z".
QString folderName(uint64_t in);
// folder below parent, or folder_2, folder_3... when taken.
QString freeFolder(const QString& parent, const QString& name);

// "window01_<source base name>.<extension>" and its snapshot
// "window01_<source base name>_in.png".
QString outputName(int window, const QString& source, const QString& extension);
QString snapshotName(int window, const QString& source);

// Whether a file covering [start, end] has any part of [in, out].
bool overlaps(uint64_t start, uint64_t end, uint64_t in, uint64_t out);

// The bytes of a file of size bytes over [start, end] that the span
// [in, out] takes, assuming an even bit rate; at least one byte.
qint64 spanBytes(qint64 size, uint64_t start, uint64_t end, uint64_t in, uint64_t out);

}
