#include "PlayerSession.h"

#include "Desktop.h"

#include <QDate>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <utility>

namespace {

const QString kProgram = QStringLiteral(KV_PROGRAM_DIR "/KvPlayer");
constexpr int kStartMs = 60000;
// The close button sits this far in from the main window's top-right corner.
constexpr int kCloseButtonInset = 15;
// A close that has begun ends well within this; a click that missed is
// given again after it.
constexpr int kCloseRetryMs = 15000;
constexpr int kCloseAttempts = 3;

}

PlayerSession::PlayerSession()
{
    for (const char* sub : {"home", "run"})
        QDir(m_dir.path()).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_player.setProcessChannelMode(QProcess::MergedChannels);
}

PlayerSession::~PlayerSession()
{
    if (running()) {
        m_player.kill();
        m_player.waitForFinished(10000);
    }
}

QProcessEnvironment PlayerSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    // Its own account of what it did is what a failed test shows.
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("kvplayer.diag=true"));
    return env;
}

bool PlayerSession::start(const QStringList& args)
{
    m_player.setProcessEnvironment(environment());
    m_player.start(kProgram, args);
    if (!m_player.waitForStarted())
        return false;
    // The main window is the largest, and it is up once it has its name: a
    // window of the start-up may come and go before it.
    const bool shown = QTest::qWaitFor(
        [this] {
            m_main = Desktop::windowsOf(m_player.processId()).value(0);
            return !m_main.isEmpty() && !Desktop::windowName(m_main).isEmpty();
        },
        kStartMs);
    if (shown)
        Desktop::focus(m_main);
    return shown;
}

bool PlayerSession::handOff(const QString& file)
{
    QProcess second;
    second.setProcessEnvironment(environment());
    second.start(kProgram, {file});
    return second.waitForFinished(kStartMs) && second.exitStatus() == QProcess::NormalExit;
}

QString PlayerSession::focusWindow()
{
    const QStringList windows = Desktop::windowsOf(m_player.processId());
    if (windows.isEmpty())
        return {};
    Desktop::focus(windows.first());
    return windows.first();
}

// Where every thread of a program that does not exit stands, when gdb is
// there to tell: a hang then names the call it hangs in.
QString PlayerSession::threadsOf(qint64 pid)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gdb")).isEmpty())
        return {};
    QProcess gdb;
    gdb.start(QStringLiteral("gdb"), {QStringLiteral("-p"), QString::number(pid), QStringLiteral("-batch"),
                                      QStringLiteral("-ex"), QStringLiteral("thread apply all bt 30")});
    if (!gdb.waitForFinished(kStartMs))
        return {};
    return QString::fromLocal8Bit(gdb.readAllStandardOutput());
}

int PlayerSession::closeByButton()
{
    // Leaving full screen or changing the stay-on-top mode gives the main
    // window a new native window, and one may still be settling when the
    // click comes: a click that closed nothing is given again to the window
    // that is the largest then (a notice is a window of its own, and smaller).
    for (int attempt = 0; attempt < kCloseAttempts && running(); ++attempt) {
        m_main = Desktop::windowsOf(m_player.processId()).value(0);
        const QRect frame = Desktop::windowGeometry(m_main);
        Desktop::click({frame.right() - kCloseButtonInset, frame.top() + kCloseButtonInset});
        m_player.waitForFinished(attempt + 1 < kCloseAttempts ? kCloseRetryMs : kStartMs);
    }
    if (running()) {
        m_notes += QStringLiteral("still running after %1 clicks; its windows:").arg(kCloseAttempts);
        for (const QString& window : Desktop::windowsOf(m_player.processId())) {
            const QRect g = Desktop::windowGeometry(window);
            m_notes += QStringLiteral(" %1 at %2,%3 %4x%5").arg(window).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
        }
        m_notes += u'\n' + threadsOf(m_player.processId());
        return -1;
    }
    return m_player.exitStatus() == QProcess::NormalExit ? m_player.exitCode() : -1;
}

int PlayerSession::terminate()
{
    m_player.terminate();
    if (!m_player.waitForFinished(kStartMs))
        return -1;
    return m_player.exitStatus() == QProcess::NormalExit ? m_player.exitCode() : -1;
}

QString PlayerSession::log()
{
    return std::exchange(m_notes, QString()) + QString::fromLocal8Bit(m_player.readAll());
}

QDir PlayerSession::pictureDay() const
{
    return QDir(home() + QStringLiteral("/KvPlayer/picture/") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
}

QDir PlayerSession::clipFolder() const
{
    return QDir(home() + QStringLiteral("/KvPlayer/video/"));
}

QString PlayerSession::playListFile() const
{
    QDirIterator it(home() + QStringLiteral("/.config"), {QStringLiteral("recordfiles.dat")}, QDir::Files,
                    QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}
