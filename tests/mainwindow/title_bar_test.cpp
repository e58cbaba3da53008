#include "LanguageActions.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "TitleRules.h"
#include "UserSettings.h"
#include "Widget_About.h"
#include "Widget_Settings.h"
#include "Widget_TitleBar.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr unsigned kEnglish = 1U;
constexpr unsigned kGerman = 8U;
constexpr unsigned kJapanese = 32U;

QStringList textsOf(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        texts.append(action->text());
    return texts;
}

QList<bool> checksOf(const QList<QAction*>& actions)
{
    QList<bool> checks;
    for (const QAction* action : actions)
        checks.append(action->isChecked());
    return checks;
}

TEST(LanguageActionsTest, OffersTheSetBitsInOrder)
{
    EXPECT_EQ(LanguageActions::bitsOf(0x69U), (QList<int>{0, 3, 5, 6}));
    EXPECT_TRUE(LanguageActions::bitsOf(0U).isEmpty());
    EXPECT_EQ(LanguageActions::bitsOf(0xFFFFFFFFU), (QList<int>{0, 1, 2, 3, 4, 5, 6}))
        << "only the seven languages that exist";
}

TEST(LanguageActionsTest, NamesEachEntryByItsBitAndChecksTheCurrentLanguage)
{
    QMenu menu;
    const QList<QAction*> actions = LanguageActions::addTo(&menu, 0x69U, kGerman);
    EXPECT_EQ(textsOf(actions), (QStringList{Model_Language::Text(2), Model_Language::Text(5),
                                             Model_Language::Text(7), Model_Language::Text(8)}));
    EXPECT_EQ(actions.first()->text(), QStringLiteral("English"));
    EXPECT_EQ(actions.at(1)->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(checksOf(actions), (QList<bool>{false, true, false, false}));
    EXPECT_EQ(menu.actions(), actions);
}

TEST(LanguageActionsTest, ChoosingChecksOnlyTheChosenEntry)
{
    QMenu menu;
    const QList<QAction*> actions = LanguageActions::addTo(&menu, 0x69U, kGerman);
    EXPECT_EQ(LanguageActions::choose(actions, actions.at(2)), 2);
    EXPECT_EQ(checksOf(actions), (QList<bool>{false, false, true, false}));
    EXPECT_EQ(LanguageActions::choose(actions, actions.at(2)), 2);
    EXPECT_EQ(checksOf(actions), (QList<bool>{false, false, true, false}));
}

TEST(LanguageActionsTest, AForeignActionIsReportedAsMinusOneAndChangesNothing)
{
    QMenu menu;
    const QList<QAction*> actions = LanguageActions::addTo(&menu, 0x69U, kGerman);
    QAction stranger;
    EXPECT_EQ(LanguageActions::choose(actions, &stranger), -1);
    EXPECT_EQ(checksOf(actions), (QList<bool>{false, true, false, false}));
}

class TitleRulesTest : public ::testing::Test
{
protected:
    TitleRules rulesFor(const char* brand)
    {
        QSettings settings(dir.filePath(QStringLiteral("brand.ini")), QSettings::IniFormat);
        Model_Customize customize(settings, dir.path(), QStringLiteral("KvPlayer"));
        customize.identifyBrand(QString::fromLatin1(brand), QStringLiteral("1.0"), false);
        return titleRulesFor(customize);
    }

    QTemporaryDir dir;
};

TEST_F(TitleRulesTest, PlainBuildsShowTheProgramNameWithoutLogo)
{
    const TitleRules rules = rulesFor("");
    EXPECT_EQ(rules.title, QStringLiteral("KvPlayer"));
    EXPECT_TRUE(rules.showTitle);
    EXPECT_TRUE(rules.logoFile.isEmpty());
    EXPECT_EQ(rules.leadingSpace, 0);
}

TEST_F(TitleRulesTest, TalvikShowsItsWindowPictureBesideTheTitle)
{
    const TitleRules rules = rulesFor("TALVIK");
    EXPECT_EQ(rules.logoFile, QStringLiteral("window.png"));
    EXPECT_TRUE(rules.showTitle);
}

TEST_F(TitleRulesTest, VantorelHasItsOwnTitle)
{
    EXPECT_EQ(rulesFor("VANTOREL").title, QStringLiteral("Vantorel Video Player"));
}

TEST_F(TitleRulesTest, OrbentaReplacesTheTitleByItsIndentedLogo)
{
    const TitleRules rules = rulesFor("ORBENTA");
    EXPECT_EQ(rules.logoFile, QStringLiteral("logo_small.png"));
    EXPECT_FALSE(rules.showTitle);
    EXPECT_EQ(rules.leadingSpace, 16);
}

class TitleBarTest : public ::testing::Test
{
protected:
    TitleBarTest()
    {
        UserSettings::settings().setValue(QStringLiteral("function-customize/LanguageMask"), 0x69U);
        Model_Customize::instance().setLanguageCurrent(kEnglish);
    }

    static void send(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButtons buttons,
                     Qt::MouseButton button = Qt::NoButton)
    {
        QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), button, buttons, {});
        QApplication::sendEvent(widget, &event);
    }
};

TEST_F(TitleBarTest, BuildsTheLanguageMenuFromTheMask)
{
    Model_Customize::instance().setLanguageCurrent(kJapanese);
    Widget_TitleBar bar;
    const QList<QAction*>& languages = bar.languageActions();
    ASSERT_EQ(languages.size(), 4);
    EXPECT_EQ(textsOf(languages), (QStringList{Model_Language::Text(2), Model_Language::Text(5),
                                               Model_Language::Text(7), Model_Language::Text(8)}));
    EXPECT_EQ(checksOf(languages), (QList<bool>{false, false, true, false}));
    EXPECT_EQ(bar.languageAction()->menu(), bar.languageMenu());
    EXPECT_EQ(bar.applicationMenu()->actions(),
              (QList<QAction*>{bar.languageAction(), bar.settingsAction(), bar.aboutAction()}));
}

TEST_F(TitleBarTest, AnEmptyMaskStillOffersTheLanguageEntry)
{
    UserSettings::settings().setValue(QStringLiteral("function-customize/LanguageMask"), 0U);
    Widget_TitleBar bar;
    EXPECT_TRUE(bar.languageActions().isEmpty());
    EXPECT_TRUE(bar.languageAction()->isVisible());
    EXPECT_EQ(bar.languageAction()->menu(), bar.languageMenu());
}

TEST_F(TitleBarTest, ChoosingTheThirdLanguageRequestsPositionTwo)
{
    Widget_TitleBar bar;
    QSignalSpy requested(&bar, &Widget_TitleBar::ChangeLanguageRequest);
    bar.languageActions().at(2)->trigger();
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.at(0).at(0).toInt(), 2);
    EXPECT_EQ(checksOf(bar.languageActions()), (QList<bool>{false, false, true, false}));
}

TEST_F(TitleBarTest, ChoosingTheCheckedLanguageKeepsItCheckedAndStillRequests)
{
    Widget_TitleBar bar;
    QSignalSpy requested(&bar, &Widget_TitleBar::ChangeLanguageRequest);
    bar.languageActions().at(0)->trigger();
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(bar.languageActions().at(0)->isChecked());
}

TEST_F(TitleBarTest, ApplyTextsNamesTheMenuEntries)
{
    Widget_TitleBar bar;
    bar.languageActions().at(1)->setText(QString());
    bar.ApplyTexts();
    EXPECT_EQ(bar.languageAction()->text(), Model_Language::Text(32));
    EXPECT_EQ(bar.settingsAction()->text(), Model_Language::Text(33));
    EXPECT_EQ(bar.aboutAction()->text(), Model_Language::Text(34));
    EXPECT_EQ(bar.languageActions().at(1)->text(), Model_Language::Text(5));
}

TEST_F(TitleBarTest, ADragRequestsMovesByThePointerOffsets)
{
    Widget_TitleBar bar;
    bar.resize(900, 30);
    QSignalSpy moves(&bar, &Widget_TitleBar::moveWindowRequest);
    send(&bar, QEvent::MouseButtonPress, QPoint(300, 15), Qt::LeftButton, Qt::LeftButton);
    send(&bar, QEvent::MouseMove, QPoint(330, 35), Qt::LeftButton);
    send(&bar, QEvent::MouseMove, QPoint(325, 36), Qt::LeftButton);
    send(&bar, QEvent::MouseButtonRelease, QPoint(325, 36), Qt::NoButton, Qt::LeftButton);
    send(&bar, QEvent::MouseMove, QPoint(400, 80), Qt::NoButton);
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.at(0).at(0).toPoint(), QPoint(30, 20));
    EXPECT_EQ(moves.at(1).at(0).toPoint(), QPoint(-5, 1));
}

TEST_F(TitleBarTest, AMoveWithoutTheLeftButtonHeldIsNoDrag)
{
    Widget_TitleBar bar;
    QSignalSpy moves(&bar, &Widget_TitleBar::moveWindowRequest);
    send(&bar, QEvent::MouseButtonPress, QPoint(300, 15), Qt::RightButton, Qt::RightButton);
    send(&bar, QEvent::MouseMove, QPoint(330, 35), Qt::RightButton);
    send(&bar, QEvent::MouseButtonPress, QPoint(300, 15), Qt::LeftButton, Qt::LeftButton);
    send(&bar, QEvent::MouseMove, QPoint(310, 15), Qt::NoButton);
    EXPECT_EQ(moves.count(), 0);
}

TEST_F(TitleBarTest, ADoubleClickRequestsMaximiseAndTogglesTheButton)
{
    Widget_TitleBar bar;
    QSignalSpy maximise(&bar, &Widget_TitleBar::maxWindowRequest);
    send(&bar, QEvent::MouseButtonDblClick, QPoint(100, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(maximise.count(), 1);
    EXPECT_TRUE(bar.maximizeButton()->isChecked());
    send(&bar, QEvent::MouseButtonDblClick, QPoint(100, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(maximise.count(), 2);
    EXPECT_FALSE(bar.maximizeButton()->isChecked());
}

TEST_F(TitleBarTest, HasTheTitleAndTheFourButtons)
{
    Widget_TitleBar bar;
    EXPECT_EQ(bar.objectName(), QStringLiteral("widget_titlebar"));
    EXPECT_EQ(bar.height(), 30);
    EXPECT_EQ(bar.titleLabel()->objectName(), QStringLiteral("TitleLabel"));
    EXPECT_EQ(bar.titleLabel()->text(), QStringLiteral("KvPlayer"));
    EXPECT_EQ(bar.minimizeButton()->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/min.png)"));
    EXPECT_EQ(bar.closeButton()->styleSheet(), QStringLiteral("background-image:url(:/icons/gray1/exit.png)"));
    EXPECT_EQ(bar.menuButton()->objectName(), QStringLiteral("ToolButton0"));
    EXPECT_EQ(bar.maximizeButton()->objectName(), QStringLiteral("ToolButtonMax"));
    EXPECT_TRUE(bar.maximizeButton()->isCheckable());
    EXPECT_EQ(bar.menuButton()->menu(), bar.applicationMenu());
}

TEST_F(TitleBarTest, TheSettingsEntryOpensOneSettingsWindowLoadedEachTime)
{
    Widget_TitleBar bar;
    EXPECT_EQ(bar.settingsWindow(), nullptr);
    Model_Customize::instance().setWindowFlag(1);
    bar.settingsAction()->trigger();
    Widget_Settings* settings = bar.settingsWindow();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_TRUE(settings->isWindow());
    EXPECT_EQ(settings->windowFlags() & (Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
              Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(settings->neverOnTop()->isChecked());
    EXPECT_FALSE(settings->testAttribute(Qt::WA_QuitOnClose)) << "closing the main window still ends the program";
    EXPECT_FALSE(bar.aboutBox()->testAttribute(Qt::WA_QuitOnClose));

    settings->alwaysOnTop()->setChecked(true);
    settings->cancelButton()->click();
    Model_Customize::instance().setWindowFlag(0);
    bar.settingsAction()->trigger();
    EXPECT_EQ(bar.settingsWindow(), settings) << "created once";
    EXPECT_TRUE(settings->onTopWhilePlaying()->isChecked()) << "loaded before every show";
}

TEST_F(TitleBarTest, OkAndApplyArePassedOnOnceEach)
{
    Widget_TitleBar bar;
    QSignalSpy refreshed(&bar, &Widget_TitleBar::refreshSettings);
    for (int i = 0; i < 3; ++i)
        bar.settingsAction()->trigger();
    Widget_Settings* settings = bar.settingsWindow();
    ASSERT_NE(settings, nullptr);
    settings->applyButton()->click();
    EXPECT_EQ(refreshed.count(), 1);
    settings->okButton()->click();
    EXPECT_EQ(refreshed.count(), 2);
    EXPECT_FALSE(settings->isVisible());
}

TEST_F(TitleBarTest, TheAboutEntryOpensTheAboutBoxAndItsCloseButtonHidesIt)
{
    Widget_TitleBar bar;
    ASSERT_NE(bar.aboutBox(), nullptr);
    EXPECT_FALSE(bar.aboutBox()->isVisible());
    EXPECT_TRUE(bar.aboutBox()->isWindow());
    EXPECT_TRUE(bar.aboutBox()->windowFlags() & Qt::WindowStaysOnTopHint);
    bar.aboutAction()->trigger();
    EXPECT_TRUE(bar.aboutBox()->isVisible());
    QTest::mouseClick(bar.aboutBox()->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(bar.aboutBox()->isVisible());
}

}
