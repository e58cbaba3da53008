// The headless commands, run as a user would run them.
#include "ExportFixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace exporttest;

namespace {

QString exportedFolder(const Ran& result)
{
    return result.out.trimmed();
}

void flipByte(const QString& path, qint64 at)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(at));
    char c = 0;
    ASSERT_TRUE(file.getChar(&c));
    ASSERT_TRUE(file.seek(at));
    ASSERT_TRUE(file.putChar(static_cast<char>(c ^ 0x01)));
}

QStringList exportArguments(const QString& to, const QString& in, const QString& out)
{
    return {QStringLiteral("--export"), QStringLiteral("--in"), in, QStringLiteral("--out"), out,
            QStringLiteral("--note"), QStringLiteral("case 17"), QStringLiteral("--to"), to,
            recording("cam1.mp4"), recording("cam2.mp4")};
}

TEST(CommandLine, ExportPrintsItsFolderAndVerifyPassesIt)
{
    const QString to = freshFolder("cli-export");
    const Ran exported = kvplayer(exportArguments(to, QStringLiteral("4s"), QStringLiteral("2025-03-14T09:27:00Z")));
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    const QString folder = exportedFolder(exported);
    EXPECT_EQ(folder, QDir(to).filePath(QStringLiteral("20250314T092657Z")));
    const Ran verified = kvplayer({QStringLiteral("--verify"), folder});
    EXPECT_EQ(verified.status, 0) << verified.out.toStdString();
    const QStringList lines = verified.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6) << "the manifest, two copies, two snapshots and the summary";
    EXPECT_EQ(lines.at(0), QStringLiteral("OK manifest.json"));
    EXPECT_EQ(lines.at(1), QStringLiteral("OK window01_cam1.mp4"));
    EXPECT_EQ(lines.last(), QStringLiteral("all 5 files match"));
    EXPECT_EQ(run(QStringLiteral("sha256sum"), {QStringLiteral("-c"), QStringLiteral("manifest.json.sha256")}, folder)
                  .status,
              0);
}

TEST(CommandLine, VerifyFindsAFlippedByteInACopyAndInTheManifest)
{
    const QString to = freshFolder("cli-flipped");
    const Ran exported = kvplayer(exportArguments(to, QStringLiteral("4s"), QStringLiteral("6s")));
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    const QString folder = exportedFolder(exported);
    const QString copy = QDir(folder).filePath(QStringLiteral("window02_cam2.mp4"));
    flipByte(copy, QFile(copy).size() / 2);
    Ran verified = kvplayer({QStringLiteral("--verify"), folder});
    EXPECT_EQ(verified.status, 1);
    EXPECT_TRUE(verified.out.contains(QStringLiteral("MISMATCH window02_cam2.mp4 (hash differs)")))
        << verified.out.toStdString();
    EXPECT_TRUE(verified.out.contains(QStringLiteral("OK window01_cam1.mp4")));
    EXPECT_TRUE(verified.out.contains(QStringLiteral("verification failed: 4 of 5 files match")));

    flipByte(copy, QFile(copy).size() / 2);
    flipByte(QDir(folder).filePath(QStringLiteral("manifest.json")), 40);
    verified = kvplayer({QStringLiteral("--verify"), folder});
    EXPECT_EQ(verified.status, 1);
    EXPECT_TRUE(verified.out.startsWith(QStringLiteral("MISMATCH manifest.json"))) << verified.out.toStdString();
    EXPECT_NE(run(QStringLiteral("sha256sum"), {QStringLiteral("-c"), QStringLiteral("manifest.json.sha256")}, folder)
                  .status,
              0);
}

TEST(CommandLine, BadInputsEachHaveTheirMessageAndStatus)
{
    const QString to = freshFolder("cli-bad");
    QFile blocker(QDir(to).filePath(QStringLiteral("a-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    struct Case {
        QStringList arguments;
        int status;
        const char* message;
    };
    const QString cam1 = recording("cam1.mp4");
    const Case cases[] = {
        {{QStringLiteral("--export")}, 2, "--export needs --in TIME, --out TIME and --to FOLDER"},
        {exportArguments(to, QStringLiteral("soon"), QStringLiteral("6s")), 2, "unknown time \"soon\""},
        {exportArguments(to, QStringLiteral("4s"), QStringLiteral("2025-02-30T00:00:00Z")), 2, "unknown time"},
        {{QStringLiteral("--export"), QStringLiteral("--in"), QStringLiteral("1s"), QStringLiteral("--out"),
          QStringLiteral("2s"), QStringLiteral("--to"), to, QStringLiteral("--fast"), cam1},
         2, "unknown option --fast"},
        {exportArguments(to, QStringLiteral("8s"), QStringLiteral("6s")), 3, "In is after Out"},
        {exportArguments(to, QStringLiteral("2025-03-14T08:00:00Z"), QStringLiteral("2025-03-14T08:01:00Z")), 3,
         "the span lies outside every file"},
        {exportArguments(QDir(to).filePath(QStringLiteral("a-file/below")), QStringLiteral("4s"),
                         QStringLiteral("6s")),
         5, "the destination folder cannot be written"},
        {{QStringLiteral("--export"), QStringLiteral("--in"), QStringLiteral("2025-03-14T09:26:55Z"),
          QStringLiteral("--out"), QStringLiteral("2025-03-14T09:26:58Z"), QStringLiteral("--to"), to,
          recording("no-such.mp4")},
         4, "a recording could not be read"},
        {{QStringLiteral("--export"), QStringLiteral("--in"), QStringLiteral("1s"), QStringLiteral("--out"),
          QStringLiteral("2s"), QStringLiteral("--to"), to, recording("no-such.mp4")},
         4, "is not a readable recording"},
        {{QStringLiteral("--verify")}, 2, "--verify needs exactly one FOLDER"},
        {{QStringLiteral("--verify"), to}, 2, "holds no manifest.json"},
    };
    for (const Case& c : cases) {
        const Ran result = kvplayer(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("KvPlayer: ")) &&
                    result.err.contains(QString::fromUtf8(c.message)))
            << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    }
    EXPECT_EQ(QDir(to).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("a-file")});
}

TEST(CommandLine, AReadOnlyDestinationRefusesAnUnprivilegedUser)
{
    const QString to = freshFolder("cli-read-only");
    QFile::setPermissions(to, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                  QFile::ReadOther | QFile::ExeOther);
    QStringList arguments = exportArguments(to, QStringLiteral("4s"), QStringLiteral("6s"));
    QString program = QStringLiteral(KV_PROGRAM_DIR "/KvPlayer");
    if (geteuid() == 0) {
        // Root writes anywhere: drop to nobody, as a reviewer's account would be.
        if (run(QStringLiteral("setpriv"), {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                            QStringLiteral("--clear-groups"), QStringLiteral("true")})
                .status != 0)
            GTEST_SKIP() << "cannot become nobody here";
        arguments.prepend(program);
        arguments = QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                QStringLiteral("--clear-groups"), QStringLiteral("--"), QStringLiteral("env"),
                                QStringLiteral("HOME=/tmp")} +
                    arguments;
        program = QStringLiteral("setpriv");
    }
    const Ran result = run(program, arguments);
    EXPECT_EQ(result.status, 5) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("the destination folder cannot be written"))) << result.err.toStdString();
    EXPECT_TRUE(QDir(to).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

}
