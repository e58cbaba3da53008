#pragma once

// Filling the library's request records from the player's paths. Paths go in
// as UTF-8, cut to their field less one byte, always NUL-terminated.

#include "PlayerTypes.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

namespace PlayerRecords {

// Copies at most size - 1 bytes of text into field and terminates it.
void copyPath(char* field, size_t size, const QByteArray& text);

// The container kind of a clip from the text after the last "." of its
// path, compared case-sensitively: "rf", "264", "265", "lf" give 1, "avi" 2,
// "mp4" 4, anything else (also no ".") 0.
int32_t clipKind(const QString& clipPath);

ClipRequest clipRequest(const QString& clipPath, const QString& picturePath);

// user is the caller's own word; the format is always 256.
CaptureRequest captureRequest(const QString& picturePath, uint32_t user);

FileInfoRecord fileInfoRecord(const QString& path);

}
