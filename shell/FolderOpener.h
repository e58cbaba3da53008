#pragma once

#include <QDBusConnection>
#include <QString>

#include <functional>

class QDBusMessage;
class QObject;

// Shows a file in its folder, selected, through the desktop's file manager
// interface on the session bus. Without a bus, or when the call fails, the
// folder itself is opened by the desktop's handler for local URLs, which
// cannot select the file but at least shows where it lies.
class FolderOpener
{
public:
    using BusSource = std::function<QDBusConnection()>;
    using Fallback = std::function<void(const QString& folder)>;

    // The session bus, and QDesktopServices as the fallback.
    FolderOpener();
    // The bus is fetched only when a file is shown, because connecting to it
    // is a blocking round trip that a program start should not pay for.
    FolderOpener(BusSource bus, Fallback fallback);

    // ShowItems of org.freedesktop.FileManager1 with the file's URI and an
    // empty start-up id.
    static QDBusMessage showItemsMessage(const QString& path);
    static void openFolder(const QString& folder);

    // Returns at once; the answer arrives later. context owns the wait for it,
    // so the fallback is not called once context is gone.
    void showFile(const QString& path, QObject* context) const;

private:
    BusSource m_bus;
    Fallback m_fallback;
};
