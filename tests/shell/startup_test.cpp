// Runs the real program in a private home, settings and runtime folder, as a
// user would start it, and reads its diagnostics.

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString kProgramDir = QStringLiteral(KV_PROGRAM_DIR);

QByteArray diagLine(const char* name, const QString& value)
{
    QByteArray line(name);
    line.append(value.toUtf8());
    line.append('\n');
    return line;
}

class ProgramRun
{
public:
    ProgramRun(const QProcessEnvironment& env, const QString& program, const QStringList& args = {})
    {
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(program, args);
    }
    ~ProgramRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool waitFor(const QByteArray& text, int timeoutMs = 20000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!m_output.contains(text) && !deadline.hasExpired()) {
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning)
                break;
            m_output += m_process.readAll();
        }
        m_output += m_process.readAll();
        return m_output.contains(text);
    }

    // Exit code after a normal end, or -1000 when it crashed or hung.
    int finish(int timeoutMs = 20000)
    {
        if (!m_process.waitForFinished(timeoutMs))
            return -1000;
        m_output += m_process.readAll();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1000;
    }

    void terminate() { ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM); }
    void killHard()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    const QByteArray& output() const { return m_output; }

private:
    QProcess m_process;
    QByteArray m_output;
};

class StartupTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    void SetUp() override
    {
        for (const char* sub : {"home", "config", "run", "program/Language"})
            ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(sub)));
        QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("HOME"), path("home"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("run"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("kvplayer.diag=true"));
    }

    QString path(const char* relative) const { return dir.filePath(QString::fromLatin1(relative)); }

    // A copy of the program in its own folder, with default.ini when given.
    QString makeProgram(const QByteArray& defaultIni)
    {
        const QString program = path("program/KvPlayer");
        EXPECT_TRUE(QFile::copy(kProgramDir + QStringLiteral("/KvPlayer"), program));
        const QStringList languages = QDir(kProgramDir + QStringLiteral("/Language")).entryList(QDir::Files);
        for (const QString& file : languages)
            QFile::copy(kProgramDir + QStringLiteral("/Language/") + file, path("program/Language/") + file);
        if (!defaultIni.isNull()) {
            QFile ini(path("program/default.ini"));
            EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write(defaultIni);
        }
        return program;
    }
};

TEST_F(StartupTest, FirstStartSeedsTheUserSettingsAndUsesThemInTheSameRun)
{
    const QString program = makeProgram("[function-customize]\ncompany_name=HOLDRA\nLanguageCurrent=8\n");
    ProgramRun run(env, program);
    ASSERT_TRUE(run.waitFor("strPath = ")) << run.output().constData();
    EXPECT_TRUE(run.output().contains(diagLine("strPath = ", path("program/Language/GER_Dorvex.xml"))));
    EXPECT_TRUE(run.output().contains(diagLine("basePath = ", path("home/KvPlayer"))));
    EXPECT_TRUE(QDir(path("home/KvPlayer/picture")).exists());
    EXPECT_TRUE(QDir(path("home/KvPlayer/video")).exists());
    EXPECT_TRUE(QFile::exists(path("config/HOLDRA/KvPlayer/kvplayer.ini")));

    run.terminate();
    EXPECT_EQ(run.finish(), 0) << run.output().constData();
    EXPECT_TRUE(run.output().contains("window close~~~~~~~~result = 0"));
}

TEST_F(StartupTest, AMissingTemplateOnAFirstStartFailsWithAReason)
{
    const QString program = makeProgram(QByteArray());
    ProgramRun run(env, program);
    EXPECT_EQ(run.finish(), 255);
    EXPECT_TRUE(run.output().contains("KvPlayer: cannot start:")) << run.output().constData();
    EXPECT_FALSE(run.output().contains("strPath = ")) << "no language and no window";
}

TEST_F(StartupTest, AnUnwritableSettingsFolderFails)
{
    const QString program = makeProgram("[function-customize]\nLanguageCurrent=1\n");
    QFile blocker(path("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("blocker/config"));
    ProgramRun run(env, program);
    EXPECT_EQ(run.finish(), 255);
    EXPECT_TRUE(run.output().contains("cannot create the settings folder")) << run.output().constData();
}

TEST_F(StartupTest, ASecondStartHandsOverItsArgumentAndExits)
{
    const QString program = makeProgram("[function-customize]\nLanguageCurrent=1\n");
    ProgramRun primary(env, program);
    ASSERT_TRUE(primary.waitFor("strPath = ")) << primary.output().constData();

    ProgramRun second(env, program, {QStringLiteral("/rec/cam 1 #2.264"), QStringLiteral("ignored")});
    EXPECT_EQ(second.finish(), 0) << second.output().constData();
    EXPECT_FALSE(second.output().contains("strPath = ")) << "the second start prepares nothing";
    EXPECT_TRUE(primary.waitFor("file = /rec/cam 1 #2.264")) << primary.output().constData();

    ProgramRun empty(env, program);
    EXPECT_EQ(empty.finish(), 0);
    EXPECT_TRUE(primary.waitFor("file = \n")) << primary.output().constData();

    primary.terminate();
    EXPECT_EQ(primary.finish(), 0);
}

TEST_F(StartupTest, AKilledInstanceDoesNotBlockTheNextStart)
{
    const QString program = makeProgram("[function-customize]\nLanguageCurrent=1\n");
    {
        ProgramRun crashed(env, program);
        ASSERT_TRUE(crashed.waitFor("strPath = "));
        crashed.killHard();
    }
    ProgramRun next(env, program);
    ASSERT_TRUE(next.waitFor("strPath = ")) << next.output().constData();

    ProgramRun handOver(env, program, {QStringLiteral("/rec/a.264")});
    EXPECT_EQ(handOver.finish(), 0);
    EXPECT_TRUE(next.waitFor("file = /rec/a.264")) << next.output().constData();
    next.terminate();
    EXPECT_EQ(next.finish(), 0);
}

TEST_F(StartupTest, ThePlayListTakesTheStartFileAndHandOversAndSurvivesARestart)
{
    const QString program = makeProgram("[function-customize]\nLanguageCurrent=1\nSaveFileFlag=1\n");
    const auto savedList = [&] {
        QDirIterator found(path("config"), {QStringLiteral("recordfiles.dat")}, QDir::Files,
                           QDirIterator::Subdirectories);
        if (!found.hasNext())
            return QByteArray();
        QFile file(found.next());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    {
        ProgramRun primary(env, program, {QStringLiteral("/rec/a.264")});
        ASSERT_TRUE(primary.waitFor("start-up file = /rec/a.264")) << primary.output().constData();
        ProgramRun second(env, program, {QStringLiteral("/rec/b.264")});
        EXPECT_EQ(second.finish(), 0);
        ASSERT_TRUE(primary.waitFor("file = /rec/b.264")) << primary.output().constData();
        ProgramRun again(env, program, {QStringLiteral("/rec/a.264")});
        EXPECT_EQ(again.finish(), 0);
        ASSERT_TRUE(primary.waitFor("file = /rec/a.264")) << primary.output().constData();
        primary.terminate();
        EXPECT_EQ(primary.finish(), 0);
    }
    EXPECT_EQ(savedList(), QByteArray("/rec/a.264\n/rec/b.264\n")) << "each file listed once, in order";

    ProgramRun restarted(env, program);
    ASSERT_TRUE(restarted.waitFor("strPath = ")) << restarted.output().constData();
    restarted.terminate();
    EXPECT_EQ(restarted.finish(), 0);
    EXPECT_EQ(savedList(), QByteArray("/rec/a.264\n/rec/b.264\n")) << "the list came back and was kept";
}

}
