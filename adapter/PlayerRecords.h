#pragma once

// Filling the library's request records from the player's paths. Paths go in
// as UTF-8 and NUL-terminated, whole or not at all: a path cut to its field
// would name another file.

#include "PlayerTypes.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

namespace PlayerRecords {

// Copies text into field with its terminating NUL when it fits in size
// bytes; otherwise leaves field empty and returns false.
bool copyPath(char* field, size_t size, const QByteArray& text);

// The longest path in UTF-8 bytes that the library's records can carry.
constexpr size_t kMaxPathBytes = 259;
// Whether path fits the records of the library (a file to open, a snapshot,
// a clip and its picture).
bool pathFits(const QString& path);

// The container kind of a clip from the text after the last "." of its
// path, compared case-sensitively: "rf", "264", "265", "lf" give 1, "avi" 2,
// "mp4" 4, anything else (also no ".") 0.
int32_t clipKind(const QString& clipPath);

ClipRequest clipRequest(const QString& clipPath, const QString& picturePath);

// user is the caller's own word; the format is always 256.
CaptureRequest captureRequest(const QString& picturePath, uint32_t user);

FileInfoRecord fileInfoRecord(const QString& path);

}
