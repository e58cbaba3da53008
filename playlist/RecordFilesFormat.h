#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The line format of the saved play list: one path per line, each in the local
// 8-bit encoding (UTF-8 on Linux) and ended by a single line feed, with no
// header, byte-order mark or carriage return.
namespace RecordFilesFormat {

// Bounds that keep a damaged or hostile list file from flooding the play list.
// No real path is longer than the system's PATH_MAX of 4096 bytes.
inline constexpr qsizetype kMaxLineBytes = 4096;
inline constexpr qsizetype kMaxFileBytes = 16 * 1024 * 1024;
inline constexpr qsizetype kMaxEntries = 100000;

struct Parsed {
    QStringList paths;
    // Lines dropped for being too long, holding a NUL byte, or past the entry cap.
    qsizetype skippedLines = 0;
};

// Reads paths from the file's bytes. Blank and whitespace-only lines are left
// out, a trailing carriage return is dropped, and a leading byte-order mark is
// honoured: UTF-8 is skipped, UTF-16 and UTF-32 text is decoded first. Bytes
// that are not valid UTF-8 come back with replacement characters.
Parsed parse(const QByteArray& data);

// The file's bytes for paths. Paths that could not be read back as one entry
// (blank, too long, or holding a line break or a NUL) are left out and counted.
QByteArray encode(const QStringList& paths, qsizetype* skipped = nullptr);

// Whether a path survives a write and a read back as itself.
bool isStorable(const QString& path);

}
