#include "FileLengthReader.h"
#include "TestMedia.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(FileLengthReaderTest, CancelledJobsReportNothingButStillSettle)
{
    FileLengthReader reader;
    QSignalSpy lengths(&reader, &FileLengthReader::lengthRead);
    QSignalSpy settled(&reader, &FileLengthReader::settled);
    reader.request(testRecording("long.mp4"));
    reader.cancelAll();
    EXPECT_EQ(settled.count(), 1) << "nothing had started, so nothing is left";
    EXPECT_EQ(reader.pending(), 0);

    for (int i = 0; i < 20; ++i)
        reader.request(testRecording("long.mp4"));
    QCoreApplication::processEvents();
    reader.cancelAll();
    reader.request(testRecording("red.mp4"));
    ASSERT_TRUE(QTest::qWaitFor([&reader] { return reader.pending() == 0; }, 60000));
    ASSERT_EQ(lengths.count(), 1) << "only the request made after the cancel";
    EXPECT_EQ(lengths.at(0).at(0).toString(), testRecording("red.mp4"));
}

TEST(FileLengthReaderTest, AReadableFileReportsItsRangeAndAnUnreadableOneNone)
{
    FileLengthReader reader;
    QSignalSpy lengths(&reader, &FileLengthReader::lengthRead);
    QSignalSpy ranges(&reader, &FileLengthReader::rangeRead);
    reader.request(testRecording("long.mp4"));
    reader.request(QStringLiteral("/nonexistent/ch01_missing.mp4"));
    ASSERT_TRUE(QTest::qWaitFor([&reader] { return reader.pending() == 0; }, 60000));
    ASSERT_EQ(lengths.count(), 2);
    ASSERT_EQ(ranges.count(), 1) << "the missing file has no range";
    EXPECT_EQ(ranges.at(0).at(0).toString(), testRecording("long.mp4"));
    const quint64 start = ranges.at(0).at(1).toULongLong();
    const quint64 end = ranges.at(0).at(2).toULongLong();
    EXPECT_NEAR(static_cast<double>(end - start), 20e6, 0.5e6) << "the green recording lasts 20 s";
}

TEST(FileLengthReaderTest, NothingArrivesAfterTheReaderIsGone)
{
    int delivered = 0;
    {
        FileLengthReader reader;
        QObject::connect(&reader, &FileLengthReader::lengthRead, [&delivered] { ++delivered; });
        for (int i = 0; i < 10; ++i)
            reader.request(testRecording("long.mp4"));
        // Lets the jobs start, so that some are running when the reader goes.
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, 0);
}

}
