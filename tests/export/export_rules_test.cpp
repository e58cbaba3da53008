// The export's plain rules: names, spans, hashes, the command line's words
// and the marks.
#include "CommandLineOptions.h"
#include "EvidenceHash.h"
#include "ExportFixture.h"
#include "ExportPlan.h"
#include "Manifest.h"
#include "SpanMarks.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

TEST(ExportPlan, NamesComeFromTheInTimeAndTheWindow)
{
    EXPECT_EQ(ExportPlan::folderName(kCam1Start + 999999), QStringLiteral("20250314T092653Z"));
    EXPECT_EQ(ExportPlan::outputName(3, QStringLiteral("/rec/ch03_20250314.rf"), QStringLiteral("mp4")),
              QStringLiteral("window03_ch03_20250314.mp4"));
    EXPECT_EQ(ExportPlan::snapshotName(12, QStringLiteral("/rec/a.b.264")), QStringLiteral("window12_a.b_in.png"));

    const QString parent = freshFolder("taken");
    EXPECT_EQ(ExportPlan::freeFolder(parent, QStringLiteral("x")), parent + QStringLiteral("/x"));
    QDir(parent).mkdir(QStringLiteral("x"));
    QDir(parent).mkdir(QStringLiteral("x_2"));
    EXPECT_EQ(ExportPlan::freeFolder(parent, QStringLiteral("x")), parent + QStringLiteral("/x_3"));
}

TEST(ExportPlan, SpansAndTheirShareOfAFile)
{
    struct Case {
        uint64_t start, end, in, out;
        bool overlaps;
    };
    const Case cases[] = {
        {10, 20, 12, 15, true}, {10, 20, 5, 10, true}, {10, 20, 20, 30, true},
        {10, 20, 0, 9, false},  {10, 20, 21, 30, false}, {10, 20, 0, 100, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportPlan::overlaps(c.start, c.end, c.in, c.out), c.overlaps) << c.in << ".." << c.out;
    EXPECT_EQ(ExportPlan::spanBytes(1000, 0, 100, 25, 75), 500);
    EXPECT_EQ(ExportPlan::spanBytes(1000, 0, 100, 50, 500), 500) << "clipped to the file";
    EXPECT_EQ(ExportPlan::spanBytes(1000, 0, 100, 200, 300), 1) << "never nothing";
    EXPECT_EQ(ExportPlan::spanBytes(1000, 50, 50, 0, 100), 1000) << "no length: the whole file";
}

TEST(EvidenceHash, AgreesWithSha256sumAndItsLineFormat)
{
    const QString path = recording("cam1.mp4");
    qint64 read = 0;
    const QByteArray hex = EvidenceHash::sha256File(path, [&read](qint64 n) {
        read += n;
        return true;
    });
    EXPECT_EQ(QString::fromLatin1(hex), sha256sum(path));
    EXPECT_EQ(read, QFile(path).size());
    EXPECT_TRUE(EvidenceHash::sha256File(path, [](qint64) { return false; }).isEmpty()) << "stopped";
    EXPECT_TRUE(EvidenceHash::sha256File(recording("missing.mp4")).isEmpty());

    const QByteArray line = EvidenceHash::sumLine(hex, QStringLiteral("manifest.json"));
    EXPECT_EQ(line, hex + "  manifest.json\n");
    EXPECT_EQ(EvidenceHash::hashInLine(line, QStringLiteral("manifest.json")), hex);
    EXPECT_TRUE(EvidenceHash::hashInLine(line, QStringLiteral("other.json")).isEmpty());
    EXPECT_TRUE(EvidenceHash::hashInLine("xyz  manifest.json\n", QStringLiteral("manifest.json")).isEmpty());
    EXPECT_TRUE(EvidenceHash::hashInLine(QByteArray(64, 'g') + "  manifest.json", QStringLiteral("manifest.json"))
                    .isEmpty());
}

TEST(CommandLineOptions, TheWordsOfBothCommands)
{
    const auto parse = [](const char* text) {
        return CommandLineOptions::parse(QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts));
    };
    const CommandLineOptions::Parsed full =
        parse("--export --in 5s --out 9s --note x --to /out a.mp4 -- --odd.mp4");
    ASSERT_TRUE(full.exportSpan);
    EXPECT_EQ(full.exportSpan->in, QStringLiteral("5s"));
    EXPECT_EQ(full.exportSpan->note, QStringLiteral("x"));
    EXPECT_EQ(full.exportSpan->files, QStringList({QStringLiteral("a.mp4"), QStringLiteral("--odd.mp4")}));
    ASSERT_TRUE(parse("--verify /some/folder").verify);

    const char* const bad[] = {
        "--export --in 5s --out 9s --to /out",          // no file
        "--export --out 9s --to /out a.mp4",            // no In
        "--export --in 5s --out 9s a.mp4",              // no folder
        "--export --in 5s --in 6s --out 9s --to /o a",  // twice
        "--export --in 5s --out 9s --to /o --speed 2 a",
        "--export --in",
        "--verify",
        "--verify a b",
    };
    for (const char* text : bad) {
        const CommandLineOptions::Parsed parsed = parse(text);
        EXPECT_FALSE(parsed.exportSpan || parsed.verify) << text;
        EXPECT_FALSE(parsed.error.isEmpty()) << text;
    }
}

TEST(CommandLineOptions, TimesAreRecordingTimesOrSecondsIntoTheFirstFile)
{
    const uint64_t start = kCam1Start;
    EXPECT_EQ(CommandLineOptions::parseTime(QStringLiteral("90s"), start), start + 90 * kUsPerSecond);
    EXPECT_EQ(CommandLineOptions::parseTime(QStringLiteral("2.5s"), start), start + 2500000);
    EXPECT_EQ(CommandLineOptions::parseTime(QStringLiteral("2025-03-14T09:26:55Z"), 0), kCam1Start + 2 * kUsPerSecond);
    EXPECT_EQ(CommandLineOptions::parseTime(QStringLiteral("2025-03-14T10:26:55.250+01:00"), 0),
              kCam1Start + 2 * kUsPerSecond + 250000);
    const QDateTime local(QDate(2025, 3, 14), QTime(9, 26, 53));
    EXPECT_EQ(CommandLineOptions::parseTime(QStringLiteral("2025-03-14T09:26:53"), 0),
              static_cast<uint64_t>(local.toMSecsSinceEpoch()) * 1000)
        << "without a zone: local time";
    for (const char* text : {"", "s", "-5s", "abc", "5m", "2025-13-14T09:26:53Z", "yesterday", "nans", "1e99s"})
        EXPECT_FALSE(CommandLineOptions::parseTime(QString::fromLatin1(text), start)) << text;
}

TEST(SpanMarks, AMarkPastTheOtherDropsItAndTheSliderShowsBoth)
{
    SpanMarks marks;
    QSignalSpy changed(&marks, &SpanMarks::changed);
    marks.setIn(100);
    marks.setOut(200);
    EXPECT_TRUE(marks.isComplete());
    marks.setIn(300);
    EXPECT_EQ(marks.in(), 300u);
    EXPECT_FALSE(marks.out()) << "Out before the new In is dropped";
    marks.setOut(250);
    EXPECT_FALSE(marks.in()) << "In after the new Out is dropped";
    marks.clear();
    EXPECT_FALSE(marks.in() || marks.out());
    EXPECT_EQ(changed.count(), 5);

    EXPECT_EQ(SpanMarks::sliderValue(1500, 1000, 1000, 10000), 5000);
    EXPECT_EQ(SpanMarks::sliderValue(1000, 1000, 1000, 10000), 0);
    EXPECT_EQ(SpanMarks::sliderValue(2000, 1000, 1000, 10000), 10000);
    EXPECT_EQ(SpanMarks::sliderValue(999, 1000, 1000, 10000), -1);
    EXPECT_EQ(SpanMarks::sliderValue(2001, 1000, 1000, 10000), -1);
    EXPECT_EQ(SpanMarks::sliderValue(std::nullopt, 1000, 1000, 10000), -1);
    EXPECT_EQ(SpanMarks::sliderValue(1000, 1000, 0, 10000), -1) << "no file";
}

TEST(ManifestJson, TimesAndWhatVerifyReadsBack)
{
    EXPECT_EQ(ManifestJson::timeText(kCam1Start + 40000), QStringLiteral("2025-03-14T09:26:53.040000Z"));
    EXPECT_EQ(ManifestJson::timeSourceName(3), QStringLiteral("file_name"));
    EXPECT_EQ(ManifestJson::timeSourceName(9), QStringLiteral("unknown"));
    Manifest manifest;
    manifest.program = QStringLiteral("KvPlayer");
    manifest.note = QStringLiteral("gate \"2\" \u00e9");
    manifest.exported = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
    ManifestOutput output;
    output.window = 4;
    output.file = {QStringLiteral("window04_a.mp4"), 1234, "ab"};
    output.snapshot = {QStringLiteral("window04_a_in.png"), 56, "cd"};
    manifest.outputs.append(output);
    Manifest back;
    ASSERT_TRUE(ManifestJson::read(ManifestJson::write(manifest), back));
    EXPECT_EQ(back.note, manifest.note);
    EXPECT_EQ(back.exported, manifest.exported);
    ASSERT_EQ(back.outputs.size(), 1);
    EXPECT_EQ(back.outputs[0].window, 4);
    EXPECT_EQ(back.outputs[0].file.size, 1234);
    EXPECT_EQ(back.outputs[0].snapshot.sha256, QByteArray("cd"));
    EXPECT_FALSE(ManifestJson::read("{\"outputs\": 3}", back));
    EXPECT_FALSE(ManifestJson::read("not json", back));
}

}
