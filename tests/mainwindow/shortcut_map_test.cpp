// The shortcut map as a table, the key filter that turns presses into its
// commands, and the help list that shows it.

#include "KeyboardShortcuts.h"
#include "ShortcutMap.h"
#include "Widget_ShortcutHelp.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <set>

namespace {

using ShortcutMap::Command;
using ShortcutMap::Entry;

TEST(ShortcutMapTest, EveryKeyIsListedOnceAndReachesItsOwnCommand)
{
    std::set<int> keys;
    std::set<int> commands;
    for (const Entry& entry : ShortcutMap::table()) {
        EXPECT_TRUE(keys.insert(entry.key.toCombined()).second) << qPrintable(ShortcutMap::keyText(entry));
        EXPECT_TRUE(commands.insert(static_cast<int>(entry.command)).second);
        const std::optional<Command> command = ShortcutMap::commandFor(entry.key);
        if (entry.dispatched)
            EXPECT_EQ(command, entry.command) << qPrintable(ShortcutMap::keyText(entry));
        else
            EXPECT_EQ(command, std::nullopt) << "handled by its own widget: " << qPrintable(ShortcutMap::keyText(entry));
    }
    EXPECT_EQ(ShortcutMap::commandFor(QKeyCombination(Qt::Key_Comma)), Command::FrameBack);
    EXPECT_EQ(ShortcutMap::commandFor(QKeyCombination(Qt::ControlModifier, Qt::Key_Comma)), Command::Settings);
    EXPECT_EQ(ShortcutMap::commandFor(QKeyCombination(Qt::ShiftModifier, Qt::Key_S)), Command::SnapshotAll);
    EXPECT_EQ(ShortcutMap::commandFor(QKeyCombination(Qt::Key_Q)), std::nullopt);
    EXPECT_EQ(ShortcutMap::commandFor(QKeyCombination(Qt::ControlModifier, Qt::Key_S)), std::nullopt)
        << "the stay-on-top button keeps its own key";
}

TEST(ShortcutMapTest, PressesAreReadAsTheTableWritesThem)
{
    const QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(ShortcutMap::keyOf(backtab), QKeyCombination(Qt::ShiftModifier, Qt::Key_Tab));
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(ShortcutMap::keyOf(keypad), QKeyCombination(Qt::Key_Period));
    const QKeyEvent altTwo(QEvent::KeyPress, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(ShortcutMap::commandFor(ShortcutMap::keyOf(altTwo)), Command::Layout4);
    EXPECT_EQ(ShortcutMap::layoutOf(Command::Layout16), 4);
    EXPECT_EQ(ShortcutMap::layoutOf(Command::Snapshot), 0);
    EXPECT_EQ(ShortcutMap::seekOf(Command::SeekBackLong), -60'000'000);
    EXPECT_EQ(ShortcutMap::seekOf(Command::SeekForward), 5'000'000);
    EXPECT_EQ(ShortcutMap::seekOf(Command::FrameBack), 0);
}

TEST(ShortcutMapTest, DescriptionsComeFromTheLanguageTable)
{
    for (const Entry& entry : ShortcutMap::table()) {
        EXPECT_FALSE(ShortcutMap::description(entry).isEmpty()) << qPrintable(ShortcutMap::keyText(entry));
        EXPECT_FALSE(ShortcutMap::description(entry).contains(u':') && ShortcutMap::layoutOf(entry.command) == 0);
    }
    const Entry layout{QKeyCombination(Qt::AltModifier, Qt::Key_3), Command::Layout9, 61, true};
    EXPECT_EQ(ShortcutMap::description(layout), QStringLiteral("Layout: 9-Window"));
    const Entry back{QKeyCombination(Qt::Key_Comma), Command::FrameBack, 11, true};
    EXPECT_EQ(ShortcutMap::description(back), QStringLiteral("Previous Frame"));
}

// A window of the player's with a button and the text fields of a dialog.
class KeyboardShortcutsTest : public ::testing::Test
{
protected:
    QWidget window;
    QPushButton* button = new QPushButton(QStringLiteral("b"), &window);
    QLineEdit* search = new QLineEdit(&window);
    QPlainTextEdit* note = new QPlainTextEdit(&window);
    QSpinBox* spin = new QSpinBox(&window);
    QWidget other;
    KeyboardShortcuts shortcuts{[this](const QWidget* w) { return w == &window; }, nullptr};
    QSignalSpy triggered{&shortcuts, &KeyboardShortcuts::triggered};

    void SetUp() override
    {
        auto* box = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{button, search, note, spin})
            box->addWidget(w);
        window.show();
        other.show();
    }
    static void press(QWidget* target, QKeyCombination key)
    {
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
};

TEST_F(KeyboardShortcutsTest, EachKeyReachesItsCommandWhateverHasTheFocusAndNoWidgetSeesIt)
{
    button->setFocus();
    QSignalSpy clicked(button, &QPushButton::clicked);
    for (const Entry& entry : ShortcutMap::table()) {
        if (!entry.dispatched)
            continue;
        const qsizetype before = triggered.count();
        press(button, entry.key);
        ASSERT_EQ(triggered.count(), before + 1) << qPrintable(ShortcutMap::keyText(entry));
        EXPECT_EQ(triggered.last().at(0).value<Command>(), entry.command) << qPrintable(ShortcutMap::keyText(entry));
    }
    EXPECT_EQ(clicked.count(), 0) << "Space went to the player, not to the button";
    press(&window, QKeyCombination(Qt::Key_F1));
    EXPECT_EQ(triggered.last().at(0).value<Command>(), Command::Help);
}

TEST_F(KeyboardShortcutsTest, NoneFiresInATextFieldOrInAnotherWindow)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (QWidget* field : std::initializer_list<QWidget*>{search, note, spin}) {
        field->setFocus();
        for (const Entry& entry : ShortcutMap::table())
            press(field, entry.key);
        EXPECT_EQ(triggered.count(), 0) << field->metaObject()->className();
    }
    search->clear();
    QTest::keyClicks(search, QStringLiteral("cam s,.[]"));
    EXPECT_EQ(search->text(), QStringLiteral("cam s,.[]")) << "typing goes to the field";
    EXPECT_EQ(triggered.count(), 0);
    press(&other, QKeyCombination(Qt::Key_Space));
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_TRUE(KeyboardShortcuts::isTextInput(search));
    EXPECT_FALSE(KeyboardShortcuts::isTextInput(button));
    EXPECT_FALSE(KeyboardShortcuts::isTextInput(nullptr));
}

TEST(ShortcutHelpTest, ListsEveryShortcutOverItsHostAndToggles)
{
    QWidget host;
    host.resize(400, 300);
    host.show();
    Widget_ShortcutHelp help;
    help.toggleOver(&host);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.parentWidget(), &host);
    EXPECT_EQ(help.geometry(), host.rect());
    host.resize(500, 360);
    EXPECT_EQ(help.geometry(), host.rect()) << "covers the host as it grows";
    const auto rows = help.rows();
    ASSERT_EQ(rows.size(), ShortcutMap::table().size());
    EXPECT_EQ(rows.at(6).second, QStringLiteral("Previous Frame"));
    EXPECT_EQ(rows.at(6).first, QStringLiteral(","));
    help.toggleOver(&host);
    EXPECT_FALSE(help.isVisible());
}

}
