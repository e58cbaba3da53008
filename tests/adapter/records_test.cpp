// The request records, the clip kind rule, the zoom arithmetic and the data
// copies of the adapter events.
#include "PlayerRecords.h"
#include "ViewArea.h"
#include "events/QAlaramEvent.h"
#include "events/QDevDataEvent.h"
#include "events/QInAnalysisEvent.h"
#include "events/QQueryLogEvent.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstring>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

template <typename Record>
const char* bytesAt(const Record& record, size_t offset)
{
    return reinterpret_cast<const char*>(&record) + offset;
}

uint32_t wordAt(const void* record, size_t offset)
{
    uint32_t word = 0;
    std::memcpy(&word, static_cast<const char*>(record) + offset, sizeof word);
    return word;
}

TEST(ClipKind, FollowsTheExtensionCaseSensitively)
{
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a_1.rf"_s), 1);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.264"_s), 1);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.265"_s), 1);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.lf"_s), 1);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.avi"_s), 2);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.mp4"_s), 4);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/X.AVI"_s), 0);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.MP4"_s), 0);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.Qzip"_s), 0);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/a.mp4.bak"_s), 0);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out.avi/noext"_s), 0);
    EXPECT_EQ(PlayerRecords::clipKind(u"/out/noext"_s), 0);
}

TEST(ClipRequest, CarriesKindAndBothPathsInTheirFields)
{
    const ClipRequest request = PlayerRecords::clipRequest(u"/clips/c.avi"_s, u"/clips/c.png"_s);
    EXPECT_EQ(wordAt(&request, 0), 2U);
    EXPECT_EQ(wordAt(&request, 4), 0U);
    EXPECT_EQ(wordAt(&request, 8), 0U);
    EXPECT_EQ(wordAt(&request, 12), 0U);
    EXPECT_STREQ(bytesAt(request, 16), "/clips/c.avi");
    EXPECT_STREQ(bytesAt(request, 276), "/clips/c.png");
}

TEST(CaptureRequest, HasPathUserAndFormat256)
{
    const CaptureRequest request = PlayerRecords::captureRequest(u"/pics/p.png"_s, 77);
    EXPECT_EQ(wordAt(&request, 0), 0U);
    EXPECT_EQ(wordAt(&request, 4), 77U);
    EXPECT_STREQ(bytesAt(request, 8), "/pics/p.png");
    EXPECT_EQ(wordAt(&request, 268), 0U);
    EXPECT_EQ(wordAt(&request, 272), 0U);
    EXPECT_EQ(wordAt(&request, 276), 256U);
}

TEST(RequestPaths, GoInWholeOrNotAtAll)
{
    const QString longPath = u"/"_s + QString(400, u'a');
    EXPECT_FALSE(PlayerRecords::pathFits(longPath));
    const CaptureRequest capture = PlayerRecords::captureRequest(longPath, 0);
    EXPECT_STREQ(capture.record.path, "") << "a cut path would name another file";
    EXPECT_EQ(wordAt(&capture, 276), 256U);

    const FileInfoRecord info = PlayerRecords::fileInfoRecord(longPath);
    EXPECT_STREQ(info.path, "");
    EXPECT_EQ(info.time, 0U);

    const ClipRequest clip = PlayerRecords::clipRequest(longPath, longPath);
    EXPECT_STREQ(clip.clip_path, "");
    EXPECT_STREQ(clip.picture_path, "");

    // 259 bytes fit with the NUL; multi-byte text is measured in UTF-8 bytes.
    const QString fits = u"/"_s + QString(258, u'b');
    EXPECT_TRUE(PlayerRecords::pathFits(fits));
    EXPECT_EQ(std::strlen(PlayerRecords::captureRequest(fits, 0).record.path), 259U);
    const QString wide = u"/"_s + QString(130, QChar(0x00e9)); // 261 bytes in UTF-8
    EXPECT_FALSE(PlayerRecords::pathFits(wide));
    EXPECT_STREQ(PlayerRecords::clipRequest(wide, u"/p.png"_s).clip_path, "");
}

TEST(ViewArea, ZeroSizeSurfacePassesTheRegionUnchanged)
{
    const ViewArea::Insets insets = ViewArea::unchanged(ViewRegion{-1, -1, 0, 0});
    EXPECT_EQ(insets.left, -1);
    EXPECT_EQ(insets.right, 0);
    EXPECT_EQ(insets.top, -1);
    EXPECT_EQ(insets.bottom, 0);
}

TEST(ViewArea, ScalesTheRegionToPictureInsets)
{
    ViewArea::Insets insets = ViewArea::zoomed(ViewRegion{10, 20, 50, 60}, 100, 100, 320, 240);
    EXPECT_EQ(insets.left, 32);
    EXPECT_EQ(insets.right, 160);
    EXPECT_EQ(insets.top, 48);
    EXPECT_EQ(insets.bottom, 96);

    insets = ViewArea::zoomed(ViewRegion{0, 0, 100, 80}, 100, 80, 320, 240);
    EXPECT_EQ(insets.left, 0);
    EXPECT_EQ(insets.right, 0);
    EXPECT_EQ(insets.top, 0);
    EXPECT_EQ(insets.bottom, 0);
}

TEST(ViewArea, TruncatesTowardZero)
{
    // 320 x 1/3 = 106.7 and 320 x 2/3 = 213.3; 320 x -0.03 = -9.6; 240 x -0.5 = -120.
    ViewArea::Insets insets = ViewArea::zoomed(ViewRegion{1, 1, 1, 1}, 3, 3, 320, 320);
    EXPECT_EQ(insets.left, 106);
    EXPECT_EQ(insets.right, 213);
    insets = ViewArea::zoomed(ViewRegion{-3, -3, 100, 150}, 100, 100, 320, 240);
    EXPECT_EQ(insets.left, -9);
    EXPECT_EQ(insets.top, -7);
    EXPECT_EQ(insets.right, 0);
    EXPECT_EQ(insets.bottom, -120);
}

TEST(EventData, LargeReportsAreCopiedBelowOneMebibyte)
{
    const std::vector<char> data(1048576, 'x');
    const QAlaramEvent below(AdapterEventType::Alarm, 12, 9, data.data(), 1048575);
    EXPECT_EQ(below.type(), AdapterEventType::Alarm);
    EXPECT_EQ(below.length(), 1048575);
    EXPECT_EQ(below.data().size(), 1048575);
    EXPECT_EQ(below.user(), 9U);
    EXPECT_EQ(below.alarmType(), 12);

    const QAlaramEvent at(AdapterEventType::RemoteTest, 12, 9, data.data(), 1048576);
    EXPECT_EQ(at.length(), 0);
    EXPECT_TRUE(at.data().isEmpty());
    EXPECT_EQ(at.user(), 0U);

    const QInAnalysisEvent missing(566, 9, nullptr, 10);
    EXPECT_EQ(missing.type(), AdapterEventType::InAnalysis);
    EXPECT_EQ(missing.length(), 0);
    EXPECT_EQ(missing.user(), 0U);

    const QQueryLogEvent log(nullptr, data.data(), 1048576);
    EXPECT_EQ(log.length(), 0);
    EXPECT_TRUE(log.data().isEmpty());
}

TEST(EventData, DeviceReportsAreCopiedBelow1024Bytes)
{
    const std::vector<char> data(1024, 'd');
    const QDevDataEvent search(AdapterEventType::DeviceSearch, data.data(), 448, 3);
    EXPECT_EQ(search.length(), 448);
    EXPECT_EQ(search.data(), QByteArray(448, 'd'));
    EXPECT_EQ(search.user(), 3U);

    const QDevDataEvent tooLong(AdapterEventType::RecordQuery, data.data(), 1024, 3);
    EXPECT_EQ(tooLong.length(), 0);
    EXPECT_TRUE(tooLong.data().isEmpty());
    EXPECT_EQ(tooLong.user(), 0U);
}

TEST(EventData, AnEmptyCopyHoldsNoBuffer)
{
    const char byte = 'z';
    const QAlaramEvent empty(AdapterEventType::Alarm, 1, 5, &byte, 0);
    EXPECT_EQ(empty.length(), 0);
    EXPECT_EQ(empty.user(), 5U) << "a report of length 0 is still accepted";
    EXPECT_EQ(empty.data().capacity(), 0);
}

}
