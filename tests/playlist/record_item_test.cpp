#include "Model_Language.h"
#include "PlayListText.h"
#include "RecordFileItems.h"
#include "TestMedia.h"
#include "Widget_Record_Item_TitleBar.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QLabel* nameLabel(const Widget_Record_Item_TitleBar& entry)
{
    return entry.findChild<QLabel*>(QStringLiteral("m_pLabFileName"));
}

// The length label comes before the size label; both carry the small font's name.
QLabel* lengthLabel(const Widget_Record_Item_TitleBar& entry)
{
    return entry.findChildren<QLabel*>(QStringLiteral("SizeLabel")).value(0);
}

QLabel* sizeLabel(const Widget_Record_Item_TitleBar& entry)
{
    return entry.findChildren<QLabel*>(QStringLiteral("SizeLabel")).value(1);
}

TEST(RecordItemTest, ShowsTheNameShortenedPastTwentyCharacters)
{
    RecordFileItems items;
    items.AddEntries({QStringLiteral("/rec/ABCDEFGHIJKLMNOP.264"), QStringLiteral("/rec/ABCDEFGHIJKLMNOPQ.264")});
    const Widget_Record_Item_TitleBar* twenty = items.entry(0);
    const Widget_Record_Item_TitleBar* twentyOne = items.entry(1);
    ASSERT_NE(twentyOne, nullptr);

    EXPECT_EQ(nameLabel(*twenty)->text(), QStringLiteral("ABCDEFGHIJKLMNOP.264"));
    EXPECT_EQ(nameLabel(*twentyOne)->text(), QStringLiteral("ABCDEFGH...OPQ.264"));
    EXPECT_EQ(twentyOne->fileName(), QStringLiteral("ABCDEFGHIJKLMNOPQ.264"));
    EXPECT_EQ(twentyOne->toolTip(), QStringLiteral("ABCDEFGHIJKLMNOPQ.264")) << "the tooltip has the whole name";
    EXPECT_EQ(twentyOne->fullPath(), QStringLiteral("/rec/ABCDEFGHIJKLMNOPQ.264"));
    EXPECT_EQ(twentyOne->index(), 1);
    EXPECT_FALSE(twentyOne->findChild<QLabel*>(QStringLiteral("m_pLabIcon"))->pixmap().isNull());
}

TEST(RecordItemTest, LengthsArriveFromTheBackgroundAndUnreadableFilesTurnRed)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.mp4"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QString missing = dir.filePath(QStringLiteral("missing.mp4"));
    const QString recording = testRecording("long.mp4");

    RecordFileItems items;
    QSignalSpy settled(&items, &RecordFileItems::lengthsSettled);
    items.AddEntries({recording, junk, missing});
    const Widget_Record_Item_TitleBar& good = *items.entry(0);
    EXPECT_EQ(sizeLabel(good)->text(), PlayListText::FormatFileSize(static_cast<quint64>(QFileInfo(recording).size())));
    EXPECT_EQ(sizeLabel(*items.entry(1))->text(), QStringLiteral("4.0KB"));
    EXPECT_EQ(sizeLabel(*items.entry(2))->text(), QStringLiteral("0.0B"));
    ASSERT_TRUE(settled.wait(60000));

    EXPECT_TRUE(good.lengthKnown());
    EXPECT_FALSE(good.fileInvalid());
    EXPECT_EQ(good.totalLength(), QStringLiteral("00:00:20"));
    EXPECT_EQ(lengthLabel(good)->text(), QStringLiteral("00:00:20"));
    EXPECT_TRUE(lengthLabel(good)->styleSheet().isEmpty());
    for (int i : {1, 2}) {
        const Widget_Record_Item_TitleBar& bad = *items.entry(i);
        EXPECT_TRUE(bad.fileInvalid()) << i;
        EXPECT_EQ(lengthLabel(bad)->text(), Model_Language::Text(78)) << i;
        EXPECT_EQ(lengthLabel(bad)->styleSheet(), QStringLiteral("color:rgb(255, 0, 0);")) << i;
    }
    EXPECT_FALSE(Model_Language::Text(78).isEmpty());
}

TEST(RecordItemTest, AnUnmeasuredEntryShowsNoLength)
{
    RecordFileItems items;
    items.AddEntry(QStringLiteral("/nowhere/cam1.264"));
    const Widget_Record_Item_TitleBar& entry = *items.entry(0);
    EXPECT_FALSE(entry.lengthKnown());
    EXPECT_FALSE(entry.fileInvalid()) << "not an error before the library has answered";
    EXPECT_TRUE(lengthLabel(entry)->text().isEmpty());
    EXPECT_TRUE(lengthLabel(entry)->styleSheet().isEmpty());
}

TEST(RecordItemTest, PlayProgressShowsTheFurthestWindowAndItsBar)
{
    RecordFileItems items;
    items.AddEntries({QStringLiteral("/rec/cam1.264"), QStringLiteral("/rec/cam2.264")});
    Widget_Record_Item_TitleBar& entry = *items.entry(0);
    entry.setLength(600);
    EXPECT_EQ(lengthLabel(entry)->text(), QStringLiteral("00:10:00"));
    const QImage idle = entry.grab().toImage();

    entry.setPlayTimes({QStringLiteral("00:03:00"), QStringLiteral("00:01:00")});
    const QImage playing = entry.grab().toImage();
    items.RefreshPlayProgress();
    EXPECT_EQ(lengthLabel(entry)->text(), QStringLiteral("00:03:00/00:10:00"));

    // 180 s of 600: the bar stops 185 pixels short of the right edge.
    const int barEnd = entry.width() - 185;
    bool leftChanged = false;
    bool rightChanged = false;
    for (int y = 0; y < idle.height(); ++y) {
        for (int x = 0; x < idle.width(); ++x) {
            const bool differs = idle.pixel(x, y) != playing.pixel(x, y);
            (x < barEnd ? leftChanged : rightChanged) |= differs;
        }
    }
    EXPECT_TRUE(leftChanged) << "the bar is drawn";
    EXPECT_FALSE(rightChanged) << "nothing right of the bar's end";

    entry.setPlayTimes({});
    items.RefreshPlayProgress();
    EXPECT_EQ(lengthLabel(entry)->text(), QStringLiteral("00:10:00"));

    Widget_Record_Item_TitleBar& invalid = *items.entry(1);
    invalid.setLength(-1);
    invalid.setPlayTimes({QStringLiteral("00:00:05")});
    items.RefreshPlayProgress();
    EXPECT_EQ(lengthLabel(invalid)->text(), Model_Language::Text(78)) << "an invalid file shows no progress";
}

TEST(RecordItemTest, PressesDoubleClicksAndDeleteReachAnyContainerAsSignals)
{
    QWidget container;
    Widget_Record_Item_TitleBar entry(QStringLiteral("/rec/cam.264"), &container, 4);
    QSignalSpy selects(&entry, &Widget_Record_Item_TitleBar::selectRequested);
    QSignalSpy deletes(&entry, &Widget_Record_Item_TitleBar::deleteRequested);
    QSignalSpy doubleClicks(&entry, &Widget_Record_Item_TitleBar::doubleClicked);

    QTest::mousePress(&entry, Qt::RightButton, {}, QPoint(30, 30));
    ASSERT_EQ(selects.count(), 1);
    EXPECT_EQ(selects.at(0).at(0).toInt(), 4);
    EXPECT_TRUE(entry.isSelected());

    entry.setIndex(2);
    QTest::mouseDClick(&entry, Qt::RightButton, {}, QPoint(30, 30));
    EXPECT_EQ(doubleClicks.count(), 0) << "only a left double click plays";
    QTest::mouseDClick(&entry, Qt::LeftButton, {}, QPoint(30, 30));
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks.at(0).at(0).toInt(), 2) << "the index as it is now";

    entry.findChild<QToolButton*>(QStringLiteral("BtnDelete"))->click();
    ASSERT_EQ(deletes.count(), 1);
    EXPECT_EQ(deletes.at(0).at(0).toInt(), 2);
}

}
