// The coverage timeline without a player: time to pixels and back, zoom
// around the mouse within its limits, the rows built from windows and their
// lists, the lookup of the spans in view, and the strip's intent signals.

#include "CoverageRow.h"
#include "CoverageRules.h"
#include "TimelineScale.h"
#include "Widget_Timeline.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int64_t kSecond = 1'000'000;
// 2025-03-14 09:26:53 UTC.
constexpr int64_t kMorning = 1'741'944'413 * kSecond;

TEST(TimelineScaleTest, TimesAndPixelsMapBothWays)
{
    TimelineScale scale;
    scale.setWidth(1000);
    scale.setView(kMorning, 100 * kSecond);
    EXPECT_DOUBLE_EQ(scale.xAt(kMorning), 0.0);
    EXPECT_DOUBLE_EQ(scale.xAt(kMorning + 50 * kSecond), 500.0);
    EXPECT_DOUBLE_EQ(scale.xAt(kMorning - 10 * kSecond), -100.0) << "outside the view maps beside it";
    EXPECT_EQ(scale.timeAt(250.0), kMorning + 25 * kSecond);
    for (const int64_t t : {kMorning + 1, kMorning + 33'333'333, kMorning + 99 * kSecond})
        EXPECT_NEAR(static_cast<double>(scale.timeAt(scale.xAt(t)) - t), 0.0, 1.0);
    scale.setWidth(0);
    EXPECT_EQ(scale.width(), 1) << "no division by a zero width";
}

TEST(TimelineScaleTest, ZoomKeepsTheTimeUnderTheMouseAndStopsAtItsLimits)
{
    TimelineScale scale;
    scale.setWidth(800);
    scale.setView(kMorning, 3600 * kSecond);
    const int64_t under = scale.timeAt(200.0);
    scale.zoomAround(200.0, 0.5);
    EXPECT_EQ(scale.span(), 1800 * kSecond);
    EXPECT_NEAR(static_cast<double>(scale.timeAt(200.0) - under), 0.0, 1.0);
    for (int i = 0; i < 40; ++i)
        scale.zoomAround(200.0, 0.5);
    EXPECT_EQ(scale.span(), TimelineScale::kMinSpanUs) << "about ten seconds at the most";
    EXPECT_NEAR(static_cast<double>(scale.timeAt(200.0) - under), 0.0, 1.0);
    for (int i = 0; i < 40; ++i)
        scale.zoomAround(700.0, 2.0);
    EXPECT_EQ(scale.span(), TimelineScale::kMaxSpanUs) << "a whole day at the least";
    scale.zoomAround(700.0, 0.0);
    EXPECT_EQ(scale.span(), TimelineScale::kMaxSpanUs) << "a factor that is no zoom changes nothing";
    scale.setView(kMorning, 1);
    EXPECT_EQ(scale.span(), TimelineScale::kMinSpanUs);
}

TEST(TimelineScaleTest, FitAndFollowKeepTimesInView)
{
    TimelineScale scale;
    scale.setWidth(500);
    scale.fit(kMorning, kMorning + 100 * kSecond);
    EXPECT_LT(scale.start(), kMorning);
    EXPECT_GT(scale.end(), kMorning + 100 * kSecond);
    EXPECT_LT(scale.span(), 120 * kSecond);
    scale.fit(kMorning, kMorning + kSecond);
    EXPECT_EQ(scale.span(), TimelineScale::kMinSpanUs);
    EXPECT_LE(scale.start(), kMorning);
    EXPECT_GE(scale.end(), kMorning + kSecond);

    scale.setView(kMorning, 10 * kSecond);
    scale.follow(kMorning + 25 * kSecond);
    EXPECT_EQ(scale.start(), kMorning + 20 * kSecond) << "on by whole spans";
    scale.follow(kMorning + 10 * kSecond);
    EXPECT_EQ(scale.start(), kMorning + 10 * kSecond) << "back to the span that holds it, boundary included";
    scale.follow(kMorning + 15 * kSecond);
    EXPECT_EQ(scale.start(), kMorning + 10 * kSecond) << "a time in view moves nothing";
}

std::vector<CoverageSpan> minuteSegments(int count)
{
    std::vector<CoverageSpan> spans;
    for (int i = count - 1; i >= 0; --i)
        spans.push_back({kMorning + i * 60 * kSecond, kMorning + i * 60 * kSecond + 50 * kSecond,
                         QStringLiteral("ch01_%1.mp4").arg(i)});
    return spans;
}

TEST(CoverageRowTest, OnlyTheSpansInViewAreLookedUpAmongAThousand)
{
    const CoverageRow row(0, QStringLiteral("Channel 1"), minuteSegments(1000));
    ASSERT_EQ(row.spans().size(), 1000u);
    EXPECT_EQ(row.spans().front().start, kMorning) << "kept in start order";
    const auto [first, last] = row.visible(kMorning + 500 * 60 * kSecond + 55 * kSecond, kMorning + 503 * 60 * kSecond);
    EXPECT_EQ(first, 501u) << "the span that ended before the view is left out";
    EXPECT_EQ(last, 503u);
    const auto none = row.visible(kMorning - 100 * kSecond, kMorning - 10 * kSecond);
    EXPECT_EQ(none.first, none.second);
    ASSERT_NE(row.spanAt(kMorning + 60 * kSecond + 10 * kSecond), nullptr);
    EXPECT_EQ(row.spanAt(kMorning + 60 * kSecond + 10 * kSecond)->path, QStringLiteral("ch01_1.mp4"));
    EXPECT_EQ(row.spanAt(kMorning + 55 * kSecond), nullptr) << "a gap between segments";
    EXPECT_EQ(row.extent(), (std::pair{kMorning, kMorning + 999 * 60 * kSecond + 50 * kSecond}));
}

TEST(CoverageRowTest, ALongFileOverlappingLaterOnesStaysInViewAndEmptyOnesGo)
{
    const CoverageRow row(2, QStringLiteral("Window 3"),
                          {{kMorning, kMorning + 3600 * kSecond, QStringLiteral("long")},
                           {kMorning + 10 * kSecond, kMorning + 20 * kSecond, QStringLiteral("short")},
                           {kMorning + 30 * kSecond, kMorning + 30 * kSecond, QStringLiteral("empty")}});
    ASSERT_EQ(row.spans().size(), 2u);
    const auto [first, last] = row.visible(kMorning + 1000 * kSecond, kMorning + 1010 * kSecond);
    EXPECT_EQ(first, 0u) << "the hour-long file still covers the view";
    EXPECT_EQ(row.spanAt(kMorning + 15 * kSecond)->path, QStringLiteral("short")) << "the later file wins";
    EXPECT_EQ(row.spanAt(kMorning + 25 * kSecond)->path, QStringLiteral("long"));
    EXPECT_EQ(CoverageRow().extent(), (std::pair<int64_t, int64_t>{0, 0}));
}

TEST(CoverageRulesTest, ChannelPrefixesOfFileNames)
{
    const std::pair<const char*, std::optional<int>> table[] = {
        {"/rec/ch03_20250314092653.mp4", 3},   {"/rec/CH03-2025-03-14_09-26-53.avi", 3},
        {"/rec/Ch7 2025-03-14 09.26.53.264", 7}, {"ch12.20250314.rf", 12},
        {"/rec/20250314_092653.mp4", std::nullopt}, {"/rec/branch03_x.mp4", std::nullopt},
        {"/ch01_day/camera.mp4", std::nullopt}, {"/rec/chapter_1.mp4", std::nullopt},
    };
    for (const auto& [name, channel] : table)
        EXPECT_EQ(CoverageRules::channelFromName(QString::fromUtf8(name)), channel) << name;
}

TEST(CoverageRulesTest, ARowHoldsTheListsFilesOfItsChannelWithKnownRanges)
{
    const QStringList list{QStringLiteral("/r/ch01_a.mp4"), QStringLiteral("/r/ch02_a.mp4"),
                           QStringLiteral("/r/ch01_b.mp4"), QStringLiteral("/r/ch01_unmeasured.mp4"),
                           QStringLiteral("/r/camera.mp4"), QStringLiteral("/r/other.mp4")};
    const CoverageRules::RangeOf rangeOf = [&list](const QString& path) -> std::optional<std::pair<int64_t, int64_t>> {
        if (path.contains(QStringLiteral("unmeasured")))
            return std::nullopt;
        const auto at = kMorning + static_cast<int64_t>(list.indexOf(path)) * 100 * kSecond;
        return std::pair{at, at + 50 * kSecond};
    };
    const std::vector<CoverageRules::WindowFiles> windows{
        {0, list[2], std::nullopt, list}, {1, list[4], 5, list}, {3, list[5], std::nullopt, list}};
    const std::vector<CoverageRow> rows =
        CoverageRules::buildRows(windows, rangeOf, {QStringLiteral("Window"), QStringLiteral("Channel")});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].label(), QStringLiteral("Channel 1"));
    ASSERT_EQ(rows[0].spans().size(), 2u) << "both measured segments of channel 1, not channel 2's";
    EXPECT_EQ(rows[0].spans()[0].path, list[0]);
    EXPECT_EQ(rows[0].spans()[1].path, list[2]);
    EXPECT_EQ(rows[1].label(), QStringLiteral("Channel 5")) << "from the file information";
    ASSERT_EQ(rows[1].spans().size(), 1u) << "without a channel in its name, the window's own file alone";
    EXPECT_EQ(rows[2].label(), QStringLiteral("Window 4"));
    EXPECT_EQ(rows[2].window(), 3);
}

class TimelineWidgetTest : public ::testing::Test
{
protected:
    Widget_Timeline strip;

    void SetUp() override
    {
        strip.resize(Widget_Timeline::kLabelWidth + 1000, 60);
        strip.setRows({CoverageRow(0, QStringLiteral("Channel 1"), minuteSegments(3))});
        strip.setView(kMorning, 100 * kSecond);
        strip.show();
    }
    QPoint at(int64_t time) const
    {
        return {static_cast<int>(std::lround(strip.xAt(time))), Widget_Timeline::kAxisHeight + 5};
    }
    void wheel(const QPoint& position, int delta)
    {
        QWheelEvent event(position, strip.mapToGlobal(position), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&strip, &event);
    }
};

TEST_F(TimelineWidgetTest, APressAndADragAskToSeekAndTheLabelsDoNot)
{
    QSignalSpy seeks(&strip, &Widget_Timeline::seekRequested);
    QTest::mousePress(&strip, Qt::LeftButton, {}, at(kMorning + 20 * kSecond));
    ASSERT_EQ(seeks.count(), 1);
    EXPECT_EQ(seeks.last().at(0).toLongLong(), kMorning + 20 * kSecond);
    EXPECT_EQ(strip.cursorTime(), kMorning + 20 * kSecond) << "the cursor goes there at once";
    QTest::mouseMove(&strip, at(kMorning + 30 * kSecond));
    ASSERT_EQ(seeks.count(), 2);
    EXPECT_EQ(seeks.last().at(0).toLongLong(), kMorning + 30 * kSecond);
    QTest::mouseRelease(&strip, Qt::LeftButton, {}, at(kMorning + 30 * kSecond));
    QTest::mouseMove(&strip, at(kMorning + 40 * kSecond));
    EXPECT_EQ(seeks.count(), 2) << "moving without the button held only hovers";
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(10, 20));
    EXPECT_EQ(seeks.count(), 2);
}

TEST_F(TimelineWidgetTest, TheWheelZoomsAroundTheMouse)
{
    const QPoint mouse = at(kMorning + 70 * kSecond);
    wheel(mouse, 120);
    EXPECT_LT(strip.scale().span(), 100 * kSecond);
    EXPECT_NEAR(static_cast<double>(strip.timeAt(mouse.x()) - (kMorning + 70 * kSecond)), 0.0,
                static_cast<double>(strip.scale().span()) / 1000.0);
    for (int i = 0; i < 30; ++i)
        wheel(mouse, 120);
    EXPECT_EQ(strip.scale().span(), TimelineScale::kMinSpanUs);
    for (int i = 0; i < 80; ++i)
        wheel(mouse, -120);
    EXPECT_EQ(strip.scale().span(), TimelineScale::kMaxSpanUs);
}

TEST_F(TimelineWidgetTest, HoveringNamesTheDateTimeAndACursorOutOfViewTurnsThePage)
{
    EXPECT_TRUE(strip.hoverText(QPoint(10, 20)).isEmpty()) << "over the labels";
    const QString text = strip.hoverText(at(kMorning));
    EXPECT_TRUE(text.contains(QStringLiteral("26:53"))) << text.toStdString();
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(Widget_Timeline::dateTimeText(kMorning, german), QStringLiteral("14.03.25 09:26:53"));

    strip.setCursorTime(kMorning + 150 * kSecond);
    EXPECT_EQ(strip.scale().start(), kMorning + 100 * kSecond);
    strip.setCursorTime(std::nullopt);
    EXPECT_FALSE(strip.cursorTime());
}

TEST_F(TimelineWidgetTest, RowsSetTheHeightAndTheFirstCoverageTheView)
{
    Widget_Timeline fresh;
    fresh.resize(600, 40);
    fresh.setRows({CoverageRow(0, {}, {}), CoverageRow(1, {}, {})});
    EXPECT_EQ(fresh.height(), Widget_Timeline::kAxisHeight + 2 * Widget_Timeline::kRowHeight + 2);
    fresh.setRows({CoverageRow(0, {}, minuteSegments(2))});
    EXPECT_LE(fresh.scale().start(), kMorning);
    EXPECT_GE(fresh.scale().end(), kMorning + 110 * kSecond) << "the view takes in all the coverage";
}


// Marks are recording times, so with synchronisation they hold for every
// window: each row shows them at the same column.
TEST_F(TimelineWidgetTest, TheMarksCrossEveryRowAtTheirTimes)
{
    strip.setRows({CoverageRow(0, QStringLiteral("Channel 1"), minuteSegments(3)),
                   CoverageRow(1, QStringLiteral("Channel 2"), minuteSegments(2)),
                   CoverageRow(2, QStringLiteral("Channel 3"), {})});
    strip.setView(kMorning, 100 * kSecond);
    strip.setMarks(kMorning + 20 * kSecond, kMorning + 60 * kSecond);
    const QImage picture = strip.grab().toImage();
    const int in = static_cast<int>(std::lround(strip.xAt(kMorning + 20 * kSecond)));
    const int out = static_cast<int>(std::lround(strip.xAt(kMorning + 60 * kSecond)));
    for (int row = 0; row < 3; ++row) {
        const int y = Widget_Timeline::kAxisHeight + row * Widget_Timeline::kRowHeight + Widget_Timeline::kRowHeight / 2;
        EXPECT_EQ(QColor(picture.pixel(in, y)), QColor(80, 200, 120)) << "In, row " << row;
        EXPECT_EQ(QColor(picture.pixel(out, y)), QColor(220, 80, 80)) << "Out, row " << row;
        EXPECT_NE(picture.pixel((in + out) / 2, y), picture.pixel(out + 20, y)) << "the span is shaded, row " << row;
    }
    strip.setMarks(std::nullopt, std::nullopt);
    const QImage cleared = strip.grab().toImage();
    EXPECT_NE(QColor(cleared.pixel(in, Widget_Timeline::kAxisHeight + 7)), QColor(80, 200, 120));
}

}
