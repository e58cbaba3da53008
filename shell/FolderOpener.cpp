#include "FolderOpener.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QObject>
#include <QUrl>

#include <utility>

namespace {

// A file manager that is not running yet is started by the bus; that may take
// a moment, but a user who clicked "open folder" should not wait much longer.
constexpr int kCallTimeoutMs = 3000;

}

FolderOpener::FolderOpener()
    : FolderOpener(&QDBusConnection::sessionBus, &FolderOpener::openFolder)
{
}

FolderOpener::FolderOpener(BusSource bus, Fallback fallback)
    : m_bus(std::move(bus))
    , m_fallback(std::move(fallback))
{
}

QDBusMessage FolderOpener::showItemsMessage(const QString& path)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    message << QStringList{QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded())} << QString();
    return message;
}

void FolderOpener::openFolder(const QString& folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void FolderOpener::showFile(const QString& path, QObject* context) const
{
    const QString folder = QFileInfo(path).absolutePath();
    QDBusConnection bus = m_bus();
    if (!bus.isConnected()) {
        m_fallback(folder);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(showItemsMessage(path), kCallTimeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, folder, fallback = m_fallback] {
                         if (watcher->isError())
                             fallback(folder);
                         watcher->deleteLater();
                     });
}
