#include "Model_MsgHelper.h"
#include "Picture_label.h"
#include "Widget_Popup.h"

#include <QApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PopupTest : public ::testing::Test
{
protected:
    Model_MsgHelper helper;
};

TEST_F(PopupTest, EmptyTextsAndUnknownKindsShowNothing)
{
    EXPECT_EQ(Model_MsgHelper::instance(), &helper);
    EXPECT_EQ(helper.ShowMessage(QString()), nullptr);
    EXPECT_EQ(helper.ShowPopup(QStringLiteral("/tmp/a.png"), 4), nullptr);
    EXPECT_EQ(helper.ShowPopup(QStringLiteral("/tmp/a.png"), -1), nullptr);
}

TEST_F(PopupTest, NoticesShowAtTheLowerRightAndCloseThemselves)
{
    Widget_Popup* shownFirst = helper.ShowMessage(QStringLiteral("Capture Failed"));
    Widget_Popup* shownSecond = helper.ShowPopup(QStringLiteral("/home/u/KvPlayer/picture/x.png"), 1);
    ASSERT_TRUE(shownFirst && shownSecond);
    const QPointer<Widget_Popup> first = shownFirst;
    const QPointer<Widget_Popup> second = shownSecond;
    EXPECT_EQ(shownFirst->text(), QStringLiteral("Capture Failed"));
    EXPECT_EQ(shownFirst->pos(), shownSecond->pos()) << "stacked at the same place";
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(shownFirst->pos(), QPoint(area.x() + area.width() - 201, area.y() + area.height() - 150));
    EXPECT_EQ(shownFirst->size(), QSize(200, 150));
    EXPECT_TRUE(shownFirst->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!first && !second, Widget_Popup::kCloseAfterMs + 2000);
}

TEST_F(PopupTest, LongPathsAreGreenLinksCutAtTheRight)
{
    Widget_Popup popup;
    const QString path = QStringLiteral("/home/someone/KvPlayer/video/") + QString(80, u'x') + QStringLiteral(".mp4");
    ASSERT_TRUE(popup.SetContent(path, Widget_Popup::kClip));
    const QString text = popup.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("<a style=\"color:green;\" href = \"") + path + u'"')) << qPrintable(text);
    EXPECT_TRUE(text.contains(QChar(0x2026))) << "an ellipsis ends the shown part";
    EXPECT_FALSE(text.contains(path + QStringLiteral("</a>")));

    Widget_Popup quoted;
    ASSERT_TRUE(quoted.SetContent(QStringLiteral("/tmp/a\"<b>.png"), Widget_Popup::kPicture));
    EXPECT_FALSE(quoted.text().contains(QStringLiteral("<b>"))) << "a path never becomes markup";
}

TEST_F(PopupTest, ThePointerKeepsANoticeOpen)
{
    Widget_Popup* shown = helper.ShowMessage(QStringLiteral("dir is Empty"));
    ASSERT_NE(shown, nullptr);
    const QPointer<Widget_Popup> popup = shown;
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(shown, &enter);
    QTest::qWait(Widget_Popup::kCloseAfterMs + 300);
    ASSERT_TRUE(popup) << "open while the pointer is over it";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(shown, &leave);
    QTRY_VERIFY_WITH_TIMEOUT(!popup, Widget_Popup::kCloseAfterMs + 2000);
}

TEST_F(PopupTest, ClickingALinkShowsTheFileAndAMessageOpensNothing)
{
    QStringList opened;
    const FolderOpener opener(
        [] { return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/kvtest-bus"),
                                                  QStringLiteral("kvtest-popup-no-bus")); },
        [&opened](const QString& folder) { opened.append(folder); });
    Widget_Popup clip;
    clip.setFolderOpener(opener);
    ASSERT_TRUE(clip.SetContent(QStringLiteral("/tmp/clips/a.mp4"), Widget_Popup::kClip));
    QTest::mouseClick(clip.findChildren<Picture_label*>().last(), Qt::LeftButton);
    QTRY_COMPARE(opened, QStringList{QStringLiteral("/tmp/clips")});

    Widget_Popup message;
    message.setFolderOpener(opener);
    ASSERT_TRUE(message.SetContent(QStringLiteral("Capture Failed"), Widget_Popup::kMessage));
    QTest::mouseClick(message.findChildren<Picture_label*>().last(), Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(opened.size(), 1);
}

}
