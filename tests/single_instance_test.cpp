#include "InstanceGuard.h"
#include "MessageClient.h"
#include "MessageFrame.h"
#include "MessageServer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <ostream>

using namespace std::chrono_literals;
using Status = MessageFrame::Decoded::Status;

namespace {

// Bounds for "does not hang", far above what a working hand-off needs.
constexpr int kGenerousMs = 10000;

const QString kNonAscii = QStringLiteral(u"/видео/監視 カメラ/2024-05-01 — ç.mp4");

QByteArray header(quint32 magic, quint32 length)
{
    QByteArray bytes(MessageFrame::kHeaderSize, Qt::Uninitialized);
    qToBigEndian(magic, bytes.data());
    qToBigEndian(length, bytes.data() + 4);
    return bytes;
}

QByteArray frameOf(const QString& text)
{
    const std::optional<QByteArray> frame = MessageFrame::encode(text);
    return frame.value_or(QByteArray());
}

// The client blocks its thread, as a later start does; the server needs this
// thread's event loop, so the client runs on a thread of its own.
bool sendWhileServing(const QString& serverPath, const QString& message, int timeoutMs = 5000)
{
    bool delivered = false;
    std::unique_ptr<QThread> sender(QThread::create(
        [&] { delivered = MessageClient::send(serverPath, message, timeoutMs); }));
    sender->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sender->isFinished(); }, timeoutMs + kGenerousMs));
    sender->wait();
    return delivered;
}

class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner
                                                            | QFile::ExeOwner));
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST(MessageFrameTest, RoundTripsTextUnchanged)
{
    const QString withBom = QChar(0xFEFF) + QStringLiteral("x");
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    for (const QString& text : {kNonAscii, QString(), withBom, withNul}) {
        const MessageFrame::Decoded decoded = MessageFrame::decode(frameOf(text));
        EXPECT_EQ(decoded.status, Status::Message);
        EXPECT_EQ(decoded.message, text);
    }
}

TEST(MessageFrameTest, EveryProperPrefixNeedsMore)
{
    const QByteArray frame = frameOf(kNonAscii);
    for (qsizetype size = 0; size < frame.size(); ++size)
        EXPECT_EQ(MessageFrame::decode(frame.first(size)).status, Status::NeedMore) << size;
}

TEST(MessageFrameTest, RejectsWrongMagicFromTheFourthByte)
{
    EXPECT_EQ(MessageFrame::decode("GET / HTTP/1.0\r\n\r\n").status, Status::Bad);
    EXPECT_EQ(MessageFrame::decode("GET").status, Status::NeedMore);
    EXPECT_EQ(MessageFrame::decode("GET ").status, Status::Bad);
    EXPECT_EQ(MessageFrame::decode(header(MessageFrame::kMagic + 1, 0)).status, Status::Bad);
}

TEST(MessageFrameTest, LengthCapIsInclusive)
{
    const auto cap = static_cast<quint32>(MessageFrame::kMaxPayload);
    EXPECT_EQ(MessageFrame::decode(header(MessageFrame::kMagic, 0xFFFFFFFFu)).status, Status::Bad);
    EXPECT_EQ(MessageFrame::decode(header(MessageFrame::kMagic, cap + 1)).status, Status::Bad);
    EXPECT_EQ(MessageFrame::decode(header(MessageFrame::kMagic, cap)).status, Status::NeedMore);

    const QString largest(MessageFrame::kMaxPayload, QLatin1Char('a'));
    EXPECT_EQ(MessageFrame::decode(frameOf(largest)).message, largest);
    EXPECT_FALSE(MessageFrame::encode(largest + QLatin1Char('a')).has_value());
}

TEST(MessageFrameTest, RejectsInvalidUtf8)
{
    const QByteArray invalid[] = {
        QByteArray("\xff"),
        QByteArray("ab\xc3"),
        QByteArray("\xc0\xaf"),
        QByteArray("\xed\xa0\x80"),
    };
    for (const QByteArray& payload : invalid) {
        const QByteArray frame =
            header(MessageFrame::kMagic, static_cast<quint32>(payload.size())) + payload;
        EXPECT_EQ(MessageFrame::decode(frame).status, Status::Bad) << payload.toHex().constData();
    }
}

TEST(MessageFrameTest, RejectsBytesAfterTheFrame)
{
    EXPECT_EQ(MessageFrame::decode(QByteArray(frameOf(QStringLiteral("a")) + "x")).status, Status::Bad);
}

TEST_F(SingleInstanceTest, FirstGuardIsPrimaryAndLaterOnesSecondary)
{
    auto first = std::make_unique<InstanceGuard>(m_dir.path());
    ASSERT_EQ(first->role(), InstanceGuard::Role::Primary);
    ASSERT_NE(first->server(), nullptr);
    EXPECT_EQ(first->server()->fullServerName(), first->socketPath());
    EXPECT_TRUE(first->socketPath().startsWith(m_dir.path() + QLatin1Char('/')));
    EXPECT_EQ(QFileInfo(first->socketPath()).permissions() & 0x0077, QFile::Permissions());

    InstanceGuard second(m_dir.path());
    EXPECT_EQ(second.role(), InstanceGuard::Role::Secondary);
    EXPECT_EQ(second.server(), nullptr);
    EXPECT_EQ(second.socketPath(), first->socketPath());

    first.reset();
    EXPECT_FALSE(QFile::exists(second.lockPath()));
    EXPECT_FALSE(QFile::exists(second.socketPath()));
    InstanceGuard third(m_dir.path());
    EXPECT_EQ(third.role(), InstanceGuard::Role::Primary);
}

// A start killed between creating its lock file and writing its owner into it
// leaves an empty file that Qt cannot judge.
TEST_F(SingleInstanceTest, OwnerlessLockBlocksOnlyWhileItIsFresh)
{
    const QString lockPath = InstanceGuard(m_dir.path()).lockPath();
    QFile lock(lockPath);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    EXPECT_EQ(InstanceGuard(m_dir.path()).role(), InstanceGuard::Role::Secondary);

    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
    lock.close();
    InstanceGuard next(m_dir.path());
    EXPECT_EQ(next.role(), InstanceGuard::Role::Primary);
    EXPECT_NE(next.server(), nullptr);
}

TEST_F(SingleInstanceTest, UnusableFolderRunsAlone)
{
    InstanceGuard guard(m_dir.filePath(QStringLiteral("missing")));
    EXPECT_EQ(guard.role(), InstanceGuard::Role::Standalone);
    EXPECT_EQ(guard.server(), nullptr);
    EXPECT_FALSE(MessageClient::send(guard.socketPath(), QStringLiteral("x"), 100));
}

TEST_F(SingleInstanceTest, DeliversNonAsciiAndEmptyText)
{
    InstanceGuard primary(m_dir.path());
    ASSERT_NE(primary.server(), nullptr);
    QSignalSpy received(primary.server(), &MessageServer::messageReceived);

    EXPECT_TRUE(sendWhileServing(primary.socketPath(), kNonAscii));
    EXPECT_TRUE(sendWhileServing(primary.socketPath(), QString()));

    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received.at(0).at(0).toString(), kNonAscii);
    EXPECT_TRUE(received.at(1).at(0).toString().isEmpty());
}

TEST_F(SingleInstanceTest, SenderWaitsForAPrimaryThatIsNotListeningYet)
{
    const QString socketPath = InstanceGuard(m_dir.path()).socketPath();
    bool delivered = false;
    std::unique_ptr<QThread> sender(QThread::create(
        [&] { delivered = MessageClient::send(socketPath, QStringLiteral("late"), 5000); }));
    sender->start();
    QTest::qWait(300);

    InstanceGuard primary(m_dir.path());
    ASSERT_NE(primary.server(), nullptr);
    QSignalSpy received(primary.server(), &MessageServer::messageReceived);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sender->isFinished(); }, kGenerousMs));
    sender->wait();
    EXPECT_TRUE(delivered);
    EXPECT_EQ(received.size(), 1);
}

TEST_F(SingleInstanceTest, NoPrimaryMeansFalseWithinTheTimeout)
{
    const QString socketPath = InstanceGuard(m_dir.path()).socketPath();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(MessageClient::send(socketPath, QStringLiteral("x"), 300));
    EXPECT_LT(clock.elapsed(), kGenerousMs);
}

TEST_F(SingleInstanceTest, HungPrimaryMeansFalseWithinTheTimeout)
{
    InstanceGuard primary(m_dir.path());
    ASSERT_NE(primary.server(), nullptr);
    // Sending from the primary's own thread keeps its event loop from running,
    // which is what a hung primary looks like from outside.
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(MessageClient::send(primary.socketPath(), QStringLiteral("x"), 300));
    EXPECT_LT(clock.elapsed(), kGenerousMs);
}

struct MalformedInput
{
    const char* name;
    QByteArray bytes;
};

void PrintTo(const MalformedInput& input, std::ostream* out)
{
    *out << input.name;
}

class MalformedInputTest : public SingleInstanceTest,
                           public ::testing::WithParamInterface<MalformedInput>
{
};

// A well-behaved client waits for "OK" after a full frame; these peers get no
// answer and lose the connection, and the server goes on serving.
TEST_P(MalformedInputTest, IsDroppedAndServingGoesOn)
{
    InstanceGuard primary(m_dir.path());
    ASSERT_NE(primary.server(), nullptr);
    primary.server()->setTimeLimit(200ms);
    QSignalSpy received(primary.server(), &MessageServer::messageReceived);

    QLocalSocket peer;
    peer.connectToServer(primary.socketPath());
    ASSERT_TRUE(peer.waitForConnected(kGenerousMs));
    peer.write(GetParam().bytes);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return peer.state() == QLocalSocket::UnconnectedState; }, kGenerousMs));
    EXPECT_TRUE(peer.readAll().isEmpty());
    EXPECT_EQ(received.size(), 0);

    EXPECT_TRUE(sendWhileServing(primary.socketPath(), QStringLiteral("after")));
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.at(0).at(0).toString(), QStringLiteral("after"));
}

INSTANTIATE_TEST_SUITE_P(
    Peers, MalformedInputTest,
    ::testing::Values(
        MalformedInput{"Garbage", QByteArray("GET / HTTP/1.0\r\n\r\n")},
        MalformedInput{"WrongMagic", header(MessageFrame::kMagic ^ 0xFF, 1) + "a"},
        MalformedInput{"HugeLength", header(MessageFrame::kMagic, 0xFFFFFFFFu)},
        MalformedInput{"InvalidUtf8", header(MessageFrame::kMagic, 2) + "\xc3\x28"},
        MalformedInput{"StalledInHeader", frameOf(QStringLiteral("stalled")).first(6)},
        MalformedInput{"StalledInPayload", frameOf(QStringLiteral("stalled")).chopped(3)},
        MalformedInput{"Silent", QByteArray()}),
    [](const ::testing::TestParamInfo<MalformedInput>& peer) { return peer.param.name; });

namespace {

const char* const kHelperDirVariable = "KV_SINGLE_INSTANCE_HELPER_DIR";
const QByteArray kHelperReady = "kv-helper-ready\n";

} // namespace

// Not a check of its own: the crash test starts this program again with only
// this case selected, to get a primary in another process that it can kill.
TEST(SingleInstanceCrashHelper, HoldPrimaryUntilKilled)
{
    const QString dir = qEnvironmentVariable(kHelperDirVariable);
    if (dir.isEmpty())
        GTEST_SKIP() << "runs only when started by the crash test";
    InstanceGuard primary(dir);
    ASSERT_EQ(primary.role(), InstanceGuard::Role::Primary);
    ASSERT_NE(primary.server(), nullptr);
    std::fputs(kHelperReady.constData(), stdout);
    std::fflush(stdout);
    QTest::qWait(60000);
}

TEST_F(SingleInstanceTest, KilledPrimaryLeavesNothingThatBlocksTheNextStart)
{
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kHelperDirVariable), m_dir.path());
    helper.setProcessEnvironment(environment);
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=SingleInstanceCrashHelper.HoldPrimaryUntilKilled")});
    QByteArray output;
    while (!output.contains(kHelperReady) && helper.waitForReadyRead(kGenerousMs))
        output += helper.readAllStandardOutput();
    ASSERT_TRUE(output.contains(kHelperReady)) << output.constData();

    InstanceGuard whileAlive(m_dir.path());
    EXPECT_EQ(whileAlive.role(), InstanceGuard::Role::Secondary);
    helper.kill();
    ASSERT_TRUE(helper.waitForFinished(kGenerousMs));
    ASSERT_EQ(helper.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(QFile::exists(whileAlive.lockPath()));
    ASSERT_TRUE(QFile::exists(whileAlive.socketPath()));

    InstanceGuard next(m_dir.path());
    ASSERT_EQ(next.role(), InstanceGuard::Role::Primary);
    ASSERT_NE(next.server(), nullptr);
    QSignalSpy received(next.server(), &MessageServer::messageReceived);
    EXPECT_TRUE(sendWhileServing(next.socketPath(), kNonAscii));
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.at(0).at(0).toString(), kNonAscii);
}
