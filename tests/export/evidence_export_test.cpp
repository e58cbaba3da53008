// Whole exports: what they write, and that a failure or a cancel leaves
// nothing behind.
#include "EvidenceExport.h"
#include "ExportFixture.h"
#include "ExportPlan.h"
#include "ExportRunner.h"
#include "Manifest.h"
#include "VerifyFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

using namespace exporttest;

namespace {

// Everything in a folder, hidden entries included.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

ExportRequest twoWindows(const QString& parent)
{
    ExportRequest request;
    request.sources = {{1, recording("cam1.mp4")}, {2, recording("cam2.mp4")}};
    request.in = kCam1Start + 5300000;
    request.out = kCam1Start + 7500000;
    request.note = QStringLiteral("van at the gate");
    request.parentFolder = parent;
    return request;
}

QJsonObject manifestOf(const QString& folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("manifest.json")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The copy's pictures are one unbroken run of the source's packets, from a
// keyframe at or before In to the first picture after Out.
void expectLossless(const QString& source, const QString& copy, int64_t inRel, int64_t outRel)
{
    const QList<VideoPacket> from = videoPackets(source);
    const QList<VideoPacket> to = videoPackets(copy);
    ASSERT_FALSE(to.isEmpty()) << "ffprobe cannot read " << copy.toStdString();
    qsizetype at = -1;
    for (qsizetype i = 0; at < 0 && i + to.size() <= from.size(); ++i) {
        bool same = true;
        for (qsizetype j = 0; same && j < to.size(); ++j)
            same = from[i + j].hash == to[j].hash;
        at = same ? i : -1;
    }
    ASSERT_GE(at, 0) << "the copy's packets are not the source's";
    EXPECT_TRUE(from[at].key);
    EXPECT_LE(from[at].ptsUs, inRel);
    int64_t last = 0;
    for (qsizetype j = 0; j < to.size(); ++j)
        last = std::max(last, from[at + j].ptsUs);
    EXPECT_GT(last, outRel);
}

TEST(EvidenceExport, TwoWindowsGoLosslesslyIntoOneCheckableFolder)
{
    const QString parent = freshFolder("two-windows");
    EvidenceExport job(twoWindows(parent));
    qint64 lastDone = -1;
    qint64 lastTotal = 0;
    bool monotonic = true;
    const ExportOutcome outcome = job.run([&](qint64 done, qint64 total) {
        monotonic = monotonic && done >= lastDone && done <= total;
        lastDone = done;
        lastTotal = total;
    });
    ASSERT_EQ(outcome.error, ExportError::None) << outcome.detail.toStdString();
    EXPECT_EQ(outcome.folder, QDir(parent).filePath(QStringLiteral("20250314T092658Z")));
    EXPECT_EQ(entries(parent), QStringList{QStringLiteral("20250314T092658Z")}) << "no hidden folder left";
    EXPECT_TRUE(monotonic);
    EXPECT_EQ(lastDone, lastTotal) << "the bar ends full";

    expectLossless(recording("cam1.mp4"), outcome.folder + QStringLiteral("/window01_cam1.mp4"), 5300000, 7500000);
    expectLossless(recording("cam2.mp4"), outcome.folder + QStringLiteral("/window02_cam2.mp4"), 2300000, 4500000);

    const QJsonObject manifest = manifestOf(outcome.folder);
    EXPECT_EQ(manifest.value(QStringLiteral("note")).toString(), QStringLiteral("van at the gate"));
    EXPECT_EQ(manifest.value(QStringLiteral("program")).toString(), QStringLiteral("KvPlayer"));
    for (const QJsonValue& value : manifest.value(QStringLiteral("outputs")).toArray()) {
        const QJsonObject output = value.toObject();
        const QString path = QDir(outcome.folder).filePath(output.value(QStringLiteral("name")).toString());
        EXPECT_EQ(output.value(QStringLiteral("sha256")).toString(), sha256sum(path));
        EXPECT_EQ(output.value(QStringLiteral("container")).toString(), QStringLiteral("mp4"));
        EXPECT_EQ(output.value(QStringLiteral("audio_codec")).toString(), QStringLiteral("aac"));
        EXPECT_LE(output.value(QStringLiteral("first_frame_us")).toDouble(), static_cast<double>(kCam1Start + 5300000));
        EXPECT_GT(output.value(QStringLiteral("last_frame_us")).toDouble(), static_cast<double>(kCam1Start + 7500000));
        const QJsonObject snapshot = output.value(QStringLiteral("snapshot")).toObject();
        EXPECT_EQ(snapshot.value(QStringLiteral("sha256")).toString(),
                  sha256sum(QDir(outcome.folder).filePath(snapshot.value(QStringLiteral("name")).toString())));
    }
    for (const QJsonValue& value : manifest.value(QStringLiteral("sources")).toArray()) {
        const QJsonObject source = value.toObject();
        EXPECT_EQ(source.value(QStringLiteral("sha256")).toString(),
                  sha256sum(source.value(QStringLiteral("path")).toString()));
        EXPECT_EQ(source.value(QStringLiteral("recording_time_source")).toString(), QStringLiteral("creation_time"));
    }
    EXPECT_EQ(run(QStringLiteral("sha256sum"), {QStringLiteral("-c"), QStringLiteral("manifest.json.sha256")},
                  outcome.folder)
                  .status,
              0);
    const Ran pdf = run(QStringLiteral("pdfinfo"), {QDir(outcome.folder).filePath(QStringLiteral("report.pdf"))});
    EXPECT_TRUE(pdf.out.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << pdf.out.toStdString();
    EXPECT_TRUE(VerifyFolder::verify(outcome.folder).allMatch());
}

TEST(EvidenceExport, AStreamWithoutCreationTimeIsPlacedByItsNameAndKeepsItsContainer)
{
    const QString parent = freshFolder("by-name");
    ExportRequest request;
    request.sources = {{5, recording("gate_20250314_092653.ts")}};
    const uint64_t start = static_cast<uint64_t>(QDateTime(QDate(2025, 3, 14), QTime(9, 26, 53)).toMSecsSinceEpoch()) * 1000;
    request.in = start + 1200000;
    request.out = start + 3000000;
    request.parentFolder = parent;
    const ExportOutcome outcome = EvidenceExport(request).run({});
    ASSERT_EQ(outcome.error, ExportError::None) << outcome.detail.toStdString();
    expectLossless(recording("gate_20250314_092653.ts"), outcome.folder + QStringLiteral("/window05_gate_20250314_092653.ts"),
                   1200000, 3000000);
    const QJsonObject manifest = manifestOf(outcome.folder);
    EXPECT_EQ(manifest.value(QStringLiteral("sources")).toArray().at(0).toObject().value(QStringLiteral("recording_time_source")),
              QStringLiteral("file_name"));
    EXPECT_EQ(manifest.value(QStringLiteral("outputs")).toArray().at(0).toObject().value(QStringLiteral("container")),
              QStringLiteral("mpegts"));
}

TEST(EvidenceExport, RefusedRequestsWriteNothing)
{
    const QString parent = freshFolder("refused");
    ExportRequest before = twoWindows(parent);
    before.in = kCam1Start - 60 * kUsPerSecond;
    before.out = kCam1Start - 30 * kUsPerSecond;
    EXPECT_EQ(EvidenceExport(before).run({}).error, ExportError::OutsideFiles);
    ExportRequest reversed = twoWindows(parent);
    std::swap(reversed.in, reversed.out);
    EXPECT_EQ(EvidenceExport(reversed).run({}).error, ExportError::InAfterOut);
    ExportRequest none = twoWindows(parent);
    none.sources.clear();
    EXPECT_EQ(EvidenceExport(none).run({}).error, ExportError::NoSources);
    ExportRequest unreadable = twoWindows(parent);
    unreadable.sources.append({3, recording("missing.mp4")});
    const ExportOutcome outcome = EvidenceExport(unreadable).run({});
    EXPECT_EQ(outcome.error, ExportError::ReadFailed);
    EXPECT_EQ(outcome.detail, recording("missing.mp4"));
    EXPECT_TRUE(entries(parent).isEmpty());
}

TEST(EvidenceExport, ACancelHalfWayLeavesNothing)
{
    const QString parent = freshFolder("cancelled");
    EvidenceExport job(twoWindows(parent));
    bool sawTemporary = false;
    const ExportOutcome outcome = job.run([&](qint64 done, qint64 total) {
        sawTemporary = sawTemporary || !entries(parent).isEmpty();
        if (done * 2 >= total)
            job.cancel();
    });
    EXPECT_EQ(outcome.error, ExportError::Cancelled);
    EXPECT_TRUE(sawTemporary) << "the export was under way";
    EXPECT_TRUE(entries(parent).isEmpty());
}

TEST(EvidenceExport, AFullDiskLeavesNothing)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    const QString disk = freshFolder("full-disk");
    if (mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=96k") != 0)
        GTEST_SKIP() << "no tmpfs here";
    const ExportOutcome outcome = EvidenceExport(twoWindows(disk)).run({});
    const QStringList left = entries(disk);
    umount(disk.toLocal8Bit().constData());
    EXPECT_EQ(outcome.error, ExportError::WriteFailed);
    EXPECT_TRUE(left.isEmpty()) << left.join(u' ').toStdString();
}

TEST(ExportRunner, ReportsProgressAndItsEndOnTheOwnersThread)
{
    const QString parent = freshFolder("runner");
    ExportRunner runner;
    QSignalSpy progressed(&runner, &ExportRunner::progressed);
    QSignalSpy finished(&runner, &ExportRunner::finished);
    ASSERT_TRUE(runner.start(twoWindows(parent)));
    EXPECT_TRUE(runner.isRunning());
    EXPECT_FALSE(runner.start(twoWindows(parent))) << "one at a time";
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_FALSE(runner.isRunning());
    EXPECT_GT(progressed.count(), 1);
    const auto outcome = finished.at(0).at(0).value<ExportOutcome>();
    EXPECT_EQ(outcome.error, ExportError::None);

    ASSERT_TRUE(runner.start(twoWindows(parent)));
    runner.cancel();
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_EQ(finished.at(1).at(0).value<ExportOutcome>().error, ExportError::Cancelled);
    EXPECT_EQ(entries(parent).size(), 1) << "the first export only";
}

}
