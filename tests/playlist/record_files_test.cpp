#include "RecordFilesFormat.h"
#include "RecordFilesStore.h"
#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Lowers the size any file of this process may grow to, so that writes fall
// short as on a full disk even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

TEST(RecordFilesFormatTest, ReadingToleratesForeignAndDamagedLines)
{
    const QByteArray longPath = "/rec/" + QByteArray(395, 'x');
    const QByteArray tooLong = "/rec/" + QByteArray(RecordFilesFormat::kMaxLineBytes, 'y');
    const struct {
        const char* why;
        QByteArray bytes;
        QStringList paths;
        qsizetype skipped;
    } cases[] = {
        {"CRLF line ends", "/a.264\r\n/b.264\r\n", {QStringLiteral("/a.264"), QStringLiteral("/b.264")}, 0},
        {"blank and whitespace-only lines", "\n  \n\t\r\n/a.264\n\n", {QStringLiteral("/a.264")}, 0},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF/a.264\n", {QStringLiteral("/a.264")}, 0},
        {"no line feed after the last path", "/a.264\n/b.264", {QStringLiteral("/a.264"), QStringLiteral("/b.264")}, 0},
        {"spaces inside a name are kept", " /a b.264 \n", {QStringLiteral(" /a b.264 ")}, 0},
        {"a 400-byte path comes back whole", longPath + "\n", {QString::fromLatin1(longPath)}, 0},
        {"a line longer than any path is skipped", tooLong + "\n/b.264\n", {QStringLiteral("/b.264")}, 1},
        {"a NUL byte is no path", QByteArray("/a\0b.264\n/c.264\n", 16), {QStringLiteral("/c.264")}, 1},
        {"UTF-8 is decoded", "/rec/\xC3\x9C" "ber.264\n", {QStringLiteral("/rec/Über.264")}, 0},
        {"invalid UTF-8 is replaced", "/rec/cam\xE9.264\n", {QStringLiteral("/rec/cam\uFFFD.264")}, 0},
        {"UTF-16 with its mark", QByteArray("\xFF\xFE/\0a\0\r\0\n\0/\0b\0", 14), {QStringLiteral("/a"), QStringLiteral("/b")}, 0},
    };
    for (const auto& c : cases) {
        const RecordFilesFormat::Parsed parsed = RecordFilesFormat::parse(c.bytes);
        EXPECT_EQ(parsed.paths, c.paths) << c.why;
        EXPECT_EQ(parsed.skippedLines, c.skipped) << c.why;
    }
}

TEST(RecordFilesFormatTest, EntriesAreCapped)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < RecordFilesFormat::kMaxEntries + 2; ++i)
        bytes += "/a\n";
    const RecordFilesFormat::Parsed parsed = RecordFilesFormat::parse(bytes);
    EXPECT_EQ(parsed.paths.size(), RecordFilesFormat::kMaxEntries);
    EXPECT_EQ(parsed.skippedLines, 2);
}

TEST(RecordFilesFormatTest, WritingLeavesOutPathsThatCouldNotBeReadBack)
{
    const QStringList paths = {QStringLiteral("/a.264"), QString(), QStringLiteral("  "),
                               QStringLiteral("/x\ny.264"), QStringLiteral("/b.264\r"),
                               QStringLiteral("/") + QString(RecordFilesFormat::kMaxLineBytes, QLatin1Char('z')),
                               QStringLiteral("/Ä.264")};
    qsizetype skipped = 0;
    EXPECT_EQ(RecordFilesFormat::encode(paths, &skipped), QByteArray("/a.264\n/\xC3\x84.264\n"));
    EXPECT_EQ(skipped, 5);
}

class RecordFilesStoreTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    RecordFilesStore store{dir.path()};
    const QStringList three = {QStringLiteral("/rec/c.264"), QStringLiteral("/rec/a.264"), QStringLiteral("/rec/b.264")};
};

TEST_F(RecordFilesStoreTest, ThreeFilesMakeThreeLinesAndComeBackInOrder)
{
    ASSERT_EQ(store.save(three, 1), RecordFilesStore::SaveStatus::Saved);
    EXPECT_EQ(readAll(store.filePath()), QByteArray("/rec/c.264\n/rec/a.264\n/rec/b.264\n"));

    const RecordFilesStore::LoadResult loaded = store.load(1);
    EXPECT_EQ(loaded.status, RecordFilesStore::LoadStatus::Loaded);
    EXPECT_EQ(loaded.paths, three);
    EXPECT_EQ(loaded.skippedLines, 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{RecordFilesStore::fileName()})
        << "no temporary file is left behind";
}

TEST_F(RecordFilesStoreTest, SettingZeroLeavesAnOldFileAsItWas)
{
    const QByteArray old("/rec/old.264\n");
    ASSERT_TRUE(writeAll(store.filePath(), old));
    const RecordFilesStore::LoadResult loaded = store.load(0);
    EXPECT_EQ(loaded.status, RecordFilesStore::LoadStatus::Disabled);
    EXPECT_TRUE(loaded.paths.isEmpty());
    EXPECT_EQ(store.save(three, 0), RecordFilesStore::SaveStatus::Disabled);
    EXPECT_EQ(readAll(store.filePath()), old);
}

TEST_F(RecordFilesStoreTest, MissingAndUnreadableFilesGiveAnEmptyList)
{
    EXPECT_EQ(store.load(1).status, RecordFilesStore::LoadStatus::Missing);
    ASSERT_TRUE(QDir(dir.path()).mkdir(RecordFilesStore::fileName()));
    const RecordFilesStore::LoadResult loaded = store.load(1);
    EXPECT_EQ(loaded.status, RecordFilesStore::LoadStatus::Unreadable);
    EXPECT_TRUE(loaded.paths.isEmpty());
}

TEST_F(RecordFilesStoreTest, SavingWhereNoFileCanBeMadeFails)
{
    ASSERT_TRUE(writeAll(dir.filePath(QStringLiteral("plain")), "x"));
    const RecordFilesStore underAFile(dir.filePath(QStringLiteral("plain/sub")));
    EXPECT_EQ(underAFile.save(three, 1), RecordFilesStore::SaveStatus::Failed);

    ASSERT_TRUE(QDir(dir.path()).mkdir(RecordFilesStore::fileName()));
    EXPECT_EQ(store.save(three, 1), RecordFilesStore::SaveStatus::Failed);
    EXPECT_TRUE(QFileInfo(store.filePath()).isDir());
}

TEST_F(RecordFilesStoreTest, AShortWriteFailsAndKeepsTheOldList)
{
    const QByteArray old("/rec/old.264\n");
    ASSERT_TRUE(writeAll(store.filePath(), old));
    QStringList many;
    for (int i = 0; i < 400; ++i)
        many.append(QStringLiteral("/rec/") + QString(1000, QLatin1Char('n')) + QString::number(i));

    RecordFilesStore::SaveStatus status = RecordFilesStore::SaveStatus::Saved;
    {
        const FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.active());
        status = store.save(many, 1);
    }
    EXPECT_EQ(status, RecordFilesStore::SaveStatus::Failed);
    EXPECT_EQ(readAll(store.filePath()), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{RecordFilesStore::fileName()});
}

TEST_F(RecordFilesStoreTest, AHugeFileIsReadOnlyUpToItsCap)
{
    const QByteArray line = QByteArray(999, 'p') + '\n';
    QByteArray bytes;
    bytes.reserve(RecordFilesFormat::kMaxFileBytes + 300 * line.size());
    while (bytes.size() <= RecordFilesFormat::kMaxFileBytes + 200 * line.size())
        bytes += line;
    ASSERT_TRUE(writeAll(store.filePath(), bytes));

    const RecordFilesStore::LoadResult loaded = store.load(1);
    EXPECT_EQ(loaded.status, RecordFilesStore::LoadStatus::Loaded);
    EXPECT_TRUE(loaded.cutAtSizeCap);
    EXPECT_EQ(loaded.paths.size(), RecordFilesFormat::kMaxFileBytes / line.size());
    EXPECT_EQ(loaded.skippedLines, 1) << "the line cut in two";
    EXPECT_EQ(loaded.paths.last().size(), 999);
}

TEST(RecordFilesStoreLocationTest, TheFileLiesBesideTheUserSettings)
{
    UserSettings::configure(QStringLiteral("kvplayer-test"), QStringLiteral("playlist"));
    const RecordFilesStore store;
    const QFileInfo file(store.filePath());
    EXPECT_TRUE(file.isAbsolute());
    EXPECT_EQ(file.fileName(), QStringLiteral("recordfiles.dat"));
    EXPECT_EQ(file.absolutePath(), QFileInfo(UserSettings::fileName()).absolutePath());
}

}
