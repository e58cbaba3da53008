// The settings window on its own: its form, what it loads and writes, its
// buttons and dragging, offscreen.

#include "Model_Customize.h"
#include "Model_Language.h"
#include "PlayerApi.h"
#include "SettingsChoice.h"
#include "Widget_Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class SettingsDialogTest : public ::testing::Test
{
protected:
    Model_Customize& customize = Model_Customize::instance();

    void SetUp() override { store({0, true, QStringLiteral("/tmp/pictures"), 0, 1, 5, 7}); }

    void store(const SettingsChoice& choice) { SettingsChoices::write(customize, choice); }
    SettingsChoice stored() const { return SettingsChoices::read(customize); }
};

void dragBy(Widget_Settings& dialog, const QPoint& start, const QPoint& delta)
{
    const QPoint local(100, 60);
    QMouseEvent press(QEvent::MouseButtonPress, local, start, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &press);
    QMouseEvent move(QEvent::MouseMove, local, start + delta, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local, start + delta, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &release);
}

TEST_F(SettingsDialogTest, TheFormHasItsFixedSizesNamesContentsAndTexts)
{
    Widget_Settings dialog;
    EXPECT_EQ(dialog.minimumSize(), QSize(560, 480));
    EXPECT_EQ(dialog.maximumSize(), QSize(560, 480));
    const auto* frame = dialog.findChild<QFrame*>(QStringLiteral("TitleFrame"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->maximumSize(), QSize(560, 125));
    EXPECT_EQ(dialog.pages()->maximumSize(), QSize(560, 315));
    EXPECT_EQ(dialog.pages()->currentIndex(), 0);
    EXPECT_EQ(dialog.pathEdit()->objectName(), QStringLiteral("PathEdit"));
    EXPECT_EQ(dialog.basicButton()->objectName(), QStringLiteral("SettingBtn"));
    EXPECT_EQ(dialog.closeButton()->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/exit.png)"));
    for (const QPushButton* button : {dialog.browseButton(), dialog.restoreButton(), dialog.okButton(),
                                      dialog.cancelButton(), dialog.applyButton()})
        EXPECT_EQ(button->objectName(), QStringLiteral("PushButton"));
    EXPECT_EQ(dialog.okButton()->maximumSize(), QSize(80, 30));

    EXPECT_EQ(dialog.formatBox()->count(), 1);
    EXPECT_EQ(dialog.formatBox()->itemText(0), QStringLiteral("PNG"));
    EXPECT_EQ(dialog.modeBox()->itemText(1), QStringLiteral("By Frame"));
    EXPECT_EQ(dialog.numberBox()->minimum(), 1);
    EXPECT_EQ(dialog.numberBox()->maximum(), 99);
    for (const QWidget* hidden : std::initializer_list<const QWidget*>{dialog.modeBox(), dialog.intervalBox(),
                                                                       dialog.numberBox()})
        EXPECT_TRUE(hidden->isHidden());
    EXPECT_TRUE(dialog.hardDecode()->isChecked());
    EXPECT_TRUE(dialog.basicButton()->isChecked());
    EXPECT_TRUE(dialog.basicButton()->styleSheet().contains(QStringLiteral("rgb(255, 255, 255)")));

    const auto* title = dialog.findChild<QLabel*>(QStringLiteral("TitleLab"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), Model_Language::Text(33));
    EXPECT_EQ(dialog.alwaysOnTop()->text(), Model_Language::Text(39));
    EXPECT_EQ(dialog.softDecode()->text(), Model_Language::Text(82));
    EXPECT_FALSE(dialog.softDecode()->text().isEmpty());
}

TEST_F(SettingsDialogTest, ShowsTheStoredSettingsAndKeepsTheHiddenOnes)
{
    Widget_Settings dialog;
    EXPECT_TRUE(dialog.onTopWhilePlaying()->isChecked());
    EXPECT_TRUE(dialog.saveFileBox()->isChecked());
    EXPECT_EQ(dialog.pathEdit()->text(), QStringLiteral("/tmp/pictures"));
    EXPECT_EQ(dialog.modeBox()->currentIndex(), 1);
    EXPECT_EQ(dialog.intervalBox()->value(), 5);
    EXPECT_EQ(dialog.numberBox()->value(), 7);

    store({1, false, QStringLiteral("/srv/shots"), 0, 0, 0, 0});
    dialog.LoadSettings();
    EXPECT_TRUE(dialog.neverOnTop()->isChecked());
    EXPECT_FALSE(dialog.saveFileBox()->isChecked());
    EXPECT_EQ(dialog.intervalBox()->value(), 1) << "a stored 0 is held as the minimum";
    dialog.applyButton()->click();
    EXPECT_EQ(stored(), (SettingsChoice{1, false, QStringLiteral("/srv/shots"), 0, 0, 1, 1}));
}

TEST_F(SettingsDialogTest, CancelWritesNothingAndTheNextLoadShowsTheStoredChoice)
{
    Widget_Settings dialog;
    dialog.show();
    dialog.alwaysOnTop()->setChecked(true);
    dialog.pathEdit()->setText(QStringLiteral("/elsewhere"));
    dialog.cancelButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(customize.windowFlag(), 0);
    dialog.LoadSettings();
    EXPECT_TRUE(dialog.onTopWhilePlaying()->isChecked());
    EXPECT_EQ(dialog.pathEdit()->text(), QStringLiteral("/tmp/pictures"));

    dialog.show();
    dialog.closeButton()->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SettingsDialogTest, AnOutOfRangeModeShowsAlwaysOnTopAndApplyWritesTwo)
{
    customize.setWindowFlag(5);
    Widget_Settings dialog;
    EXPECT_TRUE(dialog.alwaysOnTop()->isChecked());
    dialog.applyButton()->click();
    EXPECT_EQ(customize.windowFlag(), 2);
}

TEST_F(SettingsDialogTest, RestoreThenApplyWritesTheDefaultsAndLeavesTheDecodingAlone)
{
    Widget_Settings dialog;
    dialog.softDecode()->setChecked(true);
    dialog.restoreButton()->click();
    EXPECT_EQ(customize.windowFlag(), 0) << "restore alone writes nothing";
    EXPECT_TRUE(dialog.softDecode()->isChecked());
    dialog.applyButton()->click();
    EXPECT_EQ(stored(), (SettingsChoice{1, true, customize.defaultPicturePath(), 0, 0, 1, 99}));
    EXPECT_TRUE(customize.defaultPicturePath().endsWith(QStringLiteral("/picture")));
}

TEST_F(SettingsDialogTest, EveryApplyPassesTheDecodingToTheLibraryAndReportsOnce)
{
    Widget_Settings dialog;
    QSignalSpy refreshed(&dialog, &Widget_Settings::refreshSettings);
    dialog.softDecode()->setChecked(true);
    dialog.applyButton()->click();
    EXPECT_EQ(PlayerApi::GetMaxHardwareDecodeNumber(), 0);
    PlayerApi::SetMaxHardwareDecodeNumber(3);
    dialog.applyButton()->click();
    EXPECT_EQ(PlayerApi::GetMaxHardwareDecodeNumber(), 0) << "every Apply calls the library";
    EXPECT_EQ(refreshed.count(), 2);

    dialog.hardDecode()->setChecked(true);
    dialog.show();
    dialog.okButton()->click();
    EXPECT_EQ(PlayerApi::GetMaxHardwareDecodeNumber(), PlayerApi::kDefaultHardwareDecodeNumber);
    EXPECT_EQ(refreshed.count(), 3);
    EXPECT_FALSE(dialog.isVisible());
    dialog.softDecode()->setChecked(true);
    dialog.cancelButton()->click();
    EXPECT_EQ(refreshed.count(), 3);
    EXPECT_EQ(PlayerApi::GetMaxHardwareDecodeNumber(), PlayerApi::kDefaultHardwareDecodeNumber)
        << "cancel passes nothing on";
}

TEST_F(SettingsDialogTest, ThePageButtonsSwitchPagesAndPictures)
{
    Widget_Settings dialog;
    dialog.captureButton()->click();
    EXPECT_EQ(dialog.pages()->currentIndex(), 1);
    EXPECT_TRUE(dialog.captureButton()->isChecked());
    EXPECT_FALSE(dialog.basicButton()->isChecked());
    EXPECT_EQ(dialog.basicButton()->styleSheet(),
              QStringLiteral("font-size:13px;font-weight:bold;color:rgb(40, 44, 75);"
                             "background-image:url(:/icons/gray1/basic.png);"));
    EXPECT_EQ(dialog.captureButton()->styleSheet(),
              QStringLiteral("font-size:13px;font-weight:bold;color:rgb(255, 255, 255);"
                             "background-image:url(:/icons/gray1/capture2.png);"));
    dialog.LoadSettings();
    EXPECT_EQ(dialog.pages()->currentIndex(), 1) << "a load keeps the page";
    dialog.basicButton()->click();
    EXPECT_EQ(dialog.pages()->currentIndex(), 0);
    EXPECT_FALSE(dialog.captureButton()->isChecked());
}

TEST_F(SettingsDialogTest, BrowseTakesAChosenFolderAndKeepsThePathOtherwise)
{
    Widget_Settings dialog;
    QString answer = QStringLiteral("/media/camera shots");
    dialog.setFolderChooser([&] { return answer; });
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.pathEdit()->text(), QStringLiteral("/media/camera shots"));
    answer.clear();
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.pathEdit()->text(), QStringLiteral("/media/camera shots"));
}

TEST_F(SettingsDialogTest, DraggingStopsAtTheTopAndInsideTheRightEdge)
{
    Widget_Settings dialog;
    dialog.show();
    dialog.move(100, 50);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    dragBy(dialog, QPoint(200, 110), QPoint(30, -400));
    EXPECT_EQ(dialog.pos(), QPoint(130, 0));
    dragBy(dialog, QPoint(200, 110), QPoint(5000, 20));
    EXPECT_EQ(dialog.pos(), QPoint(area.right() - 3, 20));
    dragBy(dialog, QPoint(200, 110), QPoint(-5000, 0));
    EXPECT_EQ(dialog.pos().x(), area.right() - 3 - 5000) << "the left edge is free";

    QMouseEvent move(QEvent::MouseMove, QPoint(10, 10), QPoint(900, 900), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    const QPoint before = dialog.pos();
    QCoreApplication::sendEvent(&dialog, &move);
    EXPECT_EQ(dialog.pos(), before) << "no move without a press";
}

}
