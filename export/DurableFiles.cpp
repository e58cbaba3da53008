#include "DurableFiles.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace DurableFiles {

bool write(const QString& path, const QByteArray& data, QString& why)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        why = file.errorString();
        return false;
    }
    const bool ok = file.write(data) == data.size() && file.flush() && ::fsync(file.handle()) == 0;
    if (!ok)
        why = file.errorString();
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}

bool sync(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}
