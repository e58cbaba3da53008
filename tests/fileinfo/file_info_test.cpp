#include "FileInfoFrame.h"
#include "FileInfoText.h"
#include "Model_Language.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

TEST(FileInfoText, TimesRoundToTheNearestSecondInUtc)
{
    EXPECT_EQ(FileInfoText::timeText(1700000000400000ULL), QStringLiteral("2023-11-14 22:13:20"));
    EXPECT_EQ(FileInfoText::timeText(1700000000500000ULL), QStringLiteral("2023-11-14 22:13:21"));
    EXPECT_EQ(FileInfoText::timeText(0), QStringLiteral("1970-1-1 00:00:00"));
}

TEST(FileInfoText, FieldsEndAtTheirZeroOrTheirFieldsEnd)
{
    FileInfoRecord record{};
    record.channel = 0;
    std::memcpy(record.mac, "00:11:22:33:44:55", 17);
    std::memset(record.serial, 'S', sizeof record.serial);
    std::strcpy(record.device_type, "NVR-16");
    record.time = 1700000000400000ULL;
    const FileInfoText::Fields fields = FileInfoText::fields(record);
    EXPECT_EQ(fields.channel, QStringLiteral("1")) << "channels count from 1 on screen";
    EXPECT_EQ(fields.mac, QStringLiteral("00:11:22:33:44:55"));
    EXPECT_EQ(fields.serial, QString(32, u'S')) << "an unterminated field stops at its end";
    EXPECT_EQ(fields.deviceType, QStringLiteral("NVR-16"));
    EXPECT_EQ(fields.time, QStringLiteral("2023-11-14 22:13:20"));
}

TEST(FileInfoFrame, AnEmptyRecordAndTheCloseButton)
{
    FileInfoFrame frame;
    QAction entry;
    entry.setCheckable(true);
    entry.setChecked(true);
    frame.setShowAction(&entry);
    frame.showRecord(FileInfoRecord{});
    frame.show();
    EXPECT_EQ(frame.macText(), QString());
    EXPECT_EQ(frame.serialText(), QString());
    EXPECT_EQ(frame.deviceTypeText(), QString());
    EXPECT_EQ(frame.channelText(), QStringLiteral("1"));
    EXPECT_EQ(frame.timeText(), QStringLiteral("1970-1-1 00:00:00"));
    EXPECT_TRUE(frame.findChild<QLabel*>(QStringLiteral("m_pFrameCountInfo"))->isHidden());

    frame.showTime(1700000000500000ULL);
    EXPECT_EQ(frame.timeText(), QStringLiteral("2023-11-14 22:13:21"));

    frame.closeButton()->click();
    EXPECT_FALSE(entry.isChecked()) << "the menu entry shows the panel again next time";
    EXPECT_TRUE(frame.isHidden());
}

}

namespace {

TEST(FileInfoText, EachTimeSourceHasItsOwnText)
{
    Model_Language::setFallbackPath(QStringLiteral(KV_SOURCE_DIR "/resources/Language/ENU.xml"));
    const std::pair<int32_t, const char*> cases[] = {
        {TimeSourceCreation, "Container creation time"},
        {TimeSourceStream, "Time stamp in the stream"},
        {TimeSourceFileName, "Date and time in the file name"},
        {TimeSourceModified, "Modification time minus length"},
        {TimeSourceUnknown, ""},
        {17, ""},
    };
    for (const auto& [source, text] : cases) {
        FileInfoRecord record{};
        record.time_source = source;
        EXPECT_EQ(FileInfoText::fields(record).timeSource, QString::fromUtf8(text)) << source;
    }

    FileInfoFrame frame;
    FileInfoRecord named{};
    named.time_source = TimeSourceFileName;
    frame.showRecord(named);
    EXPECT_EQ(frame.timeSourceCaption(), QStringLiteral("Time From"));
    EXPECT_EQ(frame.timeSourceText(), QStringLiteral("Date and time in the file name"));
    frame.retranslate();
    EXPECT_EQ(frame.timeSourceText(), QStringLiteral("Date and time in the file name")) << "kept over a language change";
}

}
