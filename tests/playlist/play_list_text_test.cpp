#include "PlayListText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace PlayListText;

TEST(PlayListTextTest, FileSizesChangeUnitAtEachPowerOf1024)
{
    const struct {
        quint64 bytes;
        const char* text;
    } cases[] = {
        {0, "0.0B"},
        {1023, "1023.0B"},
        {1024, "1.0KB"},
        {1536, "1.5KB"},
        {1048575, "1024.0KB"},  // the test is on the full value, the print rounds
        {1048576, "1.00MB"},
        {1073741823, "1024.00MB"},
        {1073741824, "1.00GB"},
        {3221225472ULL, "3.00GB"},
        {5ULL << 40, "5120.00GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFileSize(c.bytes), QString::fromLatin1(c.text)) << c.bytes;
    EXPECT_TRUE(FormatFileSize(std::numeric_limits<quint64>::max()).endsWith(QStringLiteral("GB")));
}

TEST(PlayListTextTest, NamesComeAfterTheLastSlashAndLongOnesAreShortened)
{
    EXPECT_EQ(fileNameOf(QStringLiteral("/rec/day 1/cam1.264")), QStringLiteral("cam1.264"));
    EXPECT_EQ(fileNameOf(QStringLiteral("cam1.264")), QStringLiteral("cam1.264"));
    EXPECT_EQ(fileNameOf(QStringLiteral("/rec/")), QString());

    const QString twenty = QStringLiteral("ABCDEFGHIJKLMNOP.264");
    ASSERT_EQ(twenty.size(), 20);
    EXPECT_EQ(shortName(twenty), twenty);

    const QString twentyOne = QStringLiteral("ABCDEFGHIJKLMNOPQ.264");
    ASSERT_EQ(twentyOne.size(), 21);
    EXPECT_EQ(shortName(twentyOne), QStringLiteral("ABCDEFGH...OPQ.264"));
    EXPECT_EQ(shortName(twentyOne).size(), 18);
}

TEST(PlayListTextTest, LengthsAndTimeTextsCountWholeSeconds)
{
    EXPECT_EQ(LengthText(1'000'000'000, 1'000'000'000 + 3'725'900'000), QStringLiteral("01:02:05"));
    EXPECT_EQ(LengthText(0, 999'999), QStringLiteral("00:00:00"));
    EXPECT_EQ(LengthText(5'000'000, 1'000'000), QStringLiteral("00:00:00")) << "a backwards range";
    EXPECT_EQ(LengthText(0, 101LL * 3600 * 1'000'000 + 59'000'000), QStringLiteral("101:00:59"));

    const struct {
        const char* text;
        qint64 seconds;
    } cases[] = {
        {"01:02:05", 3725}, {"00:00:00", 0}, {"101:00:59", 363659},
        {"", 0},            {"01:02", 0},    {"aa:00:01", 0},
        {"00:-1:00", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeTextToSeconds(QString::fromLatin1(c.text)), c.seconds) << c.text;
}

TEST(PlayListTextTest, ProgressShowsTheFurthestWindowAndShortensTheBar)
{
    const QString total = QStringLiteral("00:10:00");
    EXPECT_EQ(progressText({}, total), total);
    EXPECT_EQ(progressText({QStringLiteral("00:01:00"), QStringLiteral("00:03:00")}, total),
              QStringLiteral("00:03:00/00:10:00"));
    EXPECT_EQ(furthestPlayTime({QStringLiteral("00:10:00"), QStringLiteral("00:09:59")}), QStringLiteral("00:10:00"));
    EXPECT_EQ(furthestPlayTime({}), QString());

    const struct {
        const char* current;
        const char* total;
        std::optional<int> shortening;
    } cases[] = {
        {"00:00:00", "00:10:00", 265},
        {"00:05:00", "00:10:00", 132},  // 132.5 truncated
        {"00:00:01", "00:00:03", 176},
        {"00:10:00", "00:10:00", 0},
        {"00:11:00", "00:10:00", 0},
        {"00:00:01", "00:00:00", std::nullopt},
        {"00:00:01", "", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressBarShortening(QString::fromLatin1(c.current), QString::fromLatin1(c.total)), c.shortening)
            << c.current << " of " << c.total;
}

TEST(PlayListTextTest, SearchLooksAtTheFileNameIgnoringCase)
{
    const QString cam = QStringLiteral("CAM");
    EXPECT_TRUE(matchesSearch(QStringLiteral("/rec/cam1.264"), cam));
    EXPECT_TRUE(matchesSearch(QStringLiteral("/rec/Cam2.avi"), cam));
    EXPECT_FALSE(matchesSearch(QStringLiteral("/rec/door.264"), cam));
    EXPECT_FALSE(matchesSearch(QStringLiteral("/cam/door.264"), cam)) << "a folder name does not count";
    EXPECT_TRUE(matchesSearch(QStringLiteral("/rec/door.264"), QString()));
    EXPECT_TRUE(matchesSearch(QStringLiteral("/rec/Überfahrt.264"), QStringLiteral("üBER")));
}

TEST(PlayListTextTest, DropsAddAcceptedNewNamesUntilTheFirstRefusal)
{
    const QStringList extensions = {QStringLiteral(".rf"), QStringLiteral(".264"), QStringLiteral(".avi"),
                                    QStringLiteral(".mp4")};
    const QStringList entries = {QStringLiteral("old.264")};
    const struct {
        const char* why;
        QStringList dropped;
        QStringList added;
    } cases[] = {
        {"the second is refused, so the third is not looked at",
         {QStringLiteral("/a/one.264"), QStringLiteral("/a/two.txt"), QStringLiteral("/a/three.264")},
         {QStringLiteral("/a/one.264")}},
        {"a name already listed from another folder is passed over",
         {QStringLiteral("/other/old.264"), QStringLiteral("/a/new.avi")},
         {QStringLiteral("/a/new.avi")}},
        {"an empty name ends the drop", {QStringLiteral("/a/one.264"), QString(), QStringLiteral("/a/two.264")},
         {QStringLiteral("/a/one.264")}},
        {"the same name twice in one drop is added once",
         {QStringLiteral("/a/cam.mp4"), QStringLiteral("/b/cam.mp4")},
         {QStringLiteral("/a/cam.mp4")}},
        {"the extension test is case-sensitive", {QStringLiteral("/a/CAM.AVI")}, {}},
        {"the extension may stand anywhere", {QStringLiteral("/a/clip.264.txt")}, {QStringLiteral("/a/clip.264.txt")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(listDropAdditions(c.dropped, entries, extensions), c.added) << c.why;
}

}
