#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The built program run as a user would, in a home of its own that lives as
// long as the session: started, handed files by second starts, and closed
// by its close button.
class PlayerSession
{
public:
    PlayerSession();
    ~PlayerSession();

    // Starts the program with args and waits for its main window.
    bool start(const QStringList& args);
    // A second start with file: it hands the file to the first and exits.
    bool handOff(const QString& file);
    // The main window, or the full-screen screen when that is shown: the
    // largest visible window of the program, given the keyboard.
    QString focusWindow();
    QString mainWindow() const { return m_main; }
    // Clicks the title bar's close button and waits for the exit; the exit code.
    int closeByButton();
    // Sends SIGTERM and waits for the exit; the exit code.
    int terminate();
    bool running() const { return m_player.state() != QProcess::NotRunning; }
    // What the program wrote to its output so far, after what the session
    // saw go wrong.
    QString log();

    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    // Today's snapshot folder, and the clip folder (whose day folders follow
    // the recording's time).
    QDir pictureDay() const;
    QDir clipFolder() const;
    QString playListFile() const;

private:
    QProcessEnvironment environment() const;
    static QString threadsOf(qint64 pid);

    QTemporaryDir m_dir;
    QProcess m_player;
    QString m_main;
    QString m_notes;
};
