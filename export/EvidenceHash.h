#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// SHA-256 of files with OpenSSL's libcrypto (several times faster than the
// toolkit's own on machines with SHA instructions), and the "sha256sum" line
// format that checks them.
namespace EvidenceHash {

// Lower-case hex SHA-256 of a file, read in blocks. progress receives the
// bytes of each block read and returns false to stop. Empty when the file
// cannot be read completely or progress stopped.
QByteArray sha256File(const QString& path, const std::function<bool(qint64)>& progress = {});

QByteArray sha256Hex(const QByteArray& data);

// "HEX  NAME\n", the form "sha256sum -c" reads.
QByteArray sumLine(const QByteArray& hex, const QString& name);

// The hash of a sha256sum line for name; empty when the line is not one.
QByteArray hashInLine(const QByteArray& line, const QString& name);

}
