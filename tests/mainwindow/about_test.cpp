#include "CustomWidget.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "Widget_About.h"

#include <QImage>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool near(QRgb a, QRgb b)
{
    constexpr int kTolerance = 6;
    return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance
           && std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
}

TEST(AboutTest, ShowsTheAboutTextFollowedDirectlyByTheVersion)
{
    Model_Customize::instance().identifyBrand(QString(), QStringLiteral("2.1.0"), false);
    Widget_About about;
    EXPECT_EQ(about.versionText(), Model_Language::Text(77) + QStringLiteral("2.1.0"));
    EXPECT_TRUE(about.versionText().endsWith(QStringLiteral("V2.1.0")));
}

TEST(AboutTest, CreditsTheLibrariesWithTheirLicences)
{
    Widget_About about;
    const QString credit = about.creditText();
    EXPECT_TRUE(credit.contains(QStringLiteral("Qt 6 (LGPL v3)")));
    EXPECT_TRUE(credit.contains(QStringLiteral("FFmpeg (LGPL v2.1+)")));
    EXPECT_TRUE(credit.contains(QStringLiteral("SDL 2 (zlib licence)")));
}

TEST(AboutTest, IsAFixedSizeBoxThatTheThemeColoursByName)
{
    Widget_About about;
    EXPECT_EQ(about.objectName(), QStringLiteral("AboutWidget"));
    EXPECT_EQ(about.minimumSize(), QSize(400, 300));
    EXPECT_EQ(about.maximumSize(), QSize(400, 300));
    EXPECT_EQ(about.closeButton()->objectName(), QStringLiteral("ToolButton0"));
    EXPECT_EQ(about.closeButton()->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/exit.png)"));
}

TEST(CustomWidgetTest, StretchesTheBackgroundOverItsWholeArea)
{
    const QImage background(QStringLiteral(":/icons/gray1/background.png"));
    ASSERT_FALSE(background.isNull());
    CustomWidget widget;
    widget.resize(background.width() * 2, background.height() / 2);
    const QImage shown = widget.grab().toImage();
    const QPoint shownCorner(shown.width() - 1, shown.height() - 1);
    EXPECT_TRUE(near(shown.pixel(shownCorner), background.pixel(background.width() - 1, background.height() - 1)));
    const QPoint shownMiddle(shown.width() / 2, shown.height() / 2);
    EXPECT_TRUE(near(shown.pixel(shownMiddle), background.pixel(background.width() / 2, background.height() / 2)));
}

}
