#pragma once

#include <QByteArray>
#include <QString>

// Files that are on the disk, not only in its cache, before an export is
// declared complete.
namespace DurableFiles {

// Writes data to a new file and flushes it to the disk; why gets the
// system's message on failure.
bool write(const QString& path, const QByteArray& data, QString& why);
// Flushes an existing file or folder to the disk.
bool sync(const QString& path);
// The whole content of a file; empty when it cannot be read.
QByteArray read(const QString& path);

}
