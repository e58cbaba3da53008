#include "FolderOpener.h"
#include "RecordFileItems.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QDBusConnection noBus()
{
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/kvtest-bus"),
                                         QStringLiteral("kvtest-no-bus"));
}

// Stands in for the desktop's file manager on a private bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList uris;
    QString startupId;
    int calls = 0;

public slots:
    void ShowItems(const QStringList& items, const QString& id)
    {
        uris = items;
        startupId = id;
        ++calls;
    }
};

// A message bus of our own that starts no services, so that no real file
// manager ever opens.
class PrivateBus
{
public:
    PrivateBus()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty() || !m_dir.isValid())
            return;
        const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                   " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:dir=" + m_dir.path().toUtf8() + "</listen>"
                   "<auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy></busconfig>\n");
        file.close();
        m_daemon.start(daemon, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1")});
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QString address() const { return m_address; }
    QDBusConnection connect(const QString& name) const { return QDBusConnection::connectToBus(m_address, name); }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

TEST(FolderOpenerTest, AsksTheFileManagerToShowTheFile)
{
    const QDBusMessage message = FolderOpener::showItemsMessage(QStringLiteral("/rec/day 1/cam1.264"));
    EXPECT_EQ(message.type(), QDBusMessage::MethodCallMessage);
    EXPECT_EQ(message.service(), QStringLiteral("org.freedesktop.FileManager1"));
    EXPECT_EQ(message.path(), QStringLiteral("/org/freedesktop/FileManager1"));
    EXPECT_EQ(message.interface(), QStringLiteral("org.freedesktop.FileManager1"));
    EXPECT_EQ(message.member(), QStringLiteral("ShowItems"));
    ASSERT_EQ(message.arguments().size(), 2);
    EXPECT_EQ(message.arguments().at(0).toStringList(), QStringList{QStringLiteral("file:///rec/day%201/cam1.264")});
    EXPECT_EQ(message.arguments().at(1).toString(), QString());
    EXPECT_EQ(message.arguments().at(0).metaType(), QMetaType::fromType<QStringList>())
        << "sent as an array of strings";
}

TEST(FolderOpenerTest, WithoutABusTheFolderOpensInstead)
{
    QStringList opened;
    const FolderOpener opener(&noBus, [&opened](const QString& folder) { opened.append(folder); });
    QObject context;
    opener.showFile(QStringLiteral("/rec/day 1/cam1.264"), &context);
    EXPECT_EQ(opened, QStringList{QStringLiteral("/rec/day 1")});
}

TEST(FolderOpenerTest, TheListOpensTheSelectedEntrysFolderOnly)
{
    QStringList opened;
    RecordFileItems items;
    items.setFolderOpener(FolderOpener(&noBus, [&opened](const QString& folder) { opened.append(folder); }));
    items.AddEntries({QStringLiteral("/rec/one/a.264"), QStringLiteral("/rec/two/b.264")});
    items.OpenFileDirector();
    EXPECT_TRUE(opened.isEmpty()) << "nothing is selected";

    items.SelectEntry(1);
    items.OpenFileDirector();
    EXPECT_EQ(opened, QStringList{QStringLiteral("/rec/two")});
}

TEST(FolderOpenerTest, TheCallReachesARunningFileManagerAndFallsBackWhenNoneAnswers)
{
    const PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QStringList opened;
    const FolderOpener opener([&bus] { return bus.connect(QStringLiteral("kvtest-client")); },
                              [&opened](const QString& folder) { opened.append(folder); });
    QObject context;

    opener.showFile(QStringLiteral("/rec/cam1.264"), &context);
    ASSERT_TRUE(QTest::qWaitFor([&opened] { return !opened.isEmpty(); }, 20000)) << "no file manager on the bus";
    EXPECT_EQ(opened, QStringList{QStringLiteral("/rec")});

    FakeFileManager manager;
    QDBusConnection service = bus.connect(QStringLiteral("kvtest-service"));
    ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    opener.showFile(QStringLiteral("/rec/day 1/cam2.264"), &context);
    ASSERT_TRUE(QTest::qWaitFor([&manager] { return manager.calls > 0; }, 20000));
    EXPECT_EQ(manager.uris, QStringList{QStringLiteral("file:///rec/day%201/cam2.264")});
    EXPECT_TRUE(manager.startupId.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor(
        [&context] { return context.findChildren<QDBusPendingCallWatcher*>().isEmpty(); }, 20000));
    EXPECT_EQ(opened.size(), 1) << "no fallback once the file manager answered";
    QDBusConnection::disconnectFromBus(QStringLiteral("kvtest-service"));
    QDBusConnection::disconnectFromBus(QStringLiteral("kvtest-client"));
}

}

#include "folder_opener_test.moc"
