#include "Widget_LayoutMenu.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(LayoutMenuTest, EachButtonReportsItsGridDimension)
{
    Widget_LayoutMenu menu;
    QSignalSpy chosen(&menu, &Widget_LayoutMenu::currentIndexChanged);
    for (int dimension = 1; dimension <= 4; ++dimension)
        QTest::mouseClick(menu.button(dimension), Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(chosen.at(i).at(0).toInt(), i + 1);
}

TEST(LayoutMenuTest, TheNineWindowButtonReportsThree)
{
    Widget_LayoutMenu menu;
    QSignalSpy chosen(&menu, &Widget_LayoutMenu::currentIndexChanged);
    QTest::mouseClick(menu.button(3), Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 3);
}

TEST(LayoutMenuTest, IsAPopupOfFourPictureButtons)
{
    Widget_LayoutMenu menu;
    EXPECT_EQ(menu.windowType(), Qt::Popup);
    EXPECT_EQ(menu.size(), QSize(250, 60));
    EXPECT_EQ(menu.button(0), nullptr);
    EXPECT_EQ(menu.button(5), nullptr);
    EXPECT_EQ(menu.button(4)->objectName(), QStringLiteral("LayoutButton"));
    EXPECT_EQ(menu.button(4)->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/4x4.png)"));
    EXPECT_EQ(menu.button(1)->size(), QSize(17, 17));
}

TEST(LayoutMenuTest, OpensJustAboveAndLeftOfItsButton)
{
    const QRect place = layoutMenuGeometry(QPoint(600, 500));
    EXPECT_EQ(place.size(), QSize(250, 60));
    EXPECT_EQ(place.bottomRight(), QPoint(599, 499));
}

TEST(LayoutMenuTest, AChoiceClosesThePopup)
{
    QWidget anchor;
    anchor.setGeometry(400, 300, 26, 26);
    anchor.show();
    Widget_LayoutMenu menu;
    menu.popupAbove(&anchor);
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.geometry().bottomRight(), anchor.mapToGlobal(QPoint(0, 0)) - QPoint(1, 1));

    QTest::mouseClick(menu.button(2), Qt::LeftButton);
    EXPECT_FALSE(menu.isVisible());
}

}
