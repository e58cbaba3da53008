#include "KeyboardShortcuts.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

KeyboardShortcuts::KeyboardShortcuts(std::function<bool(const QWidget*)> serves, QObject* parent)
    : QObject(parent)
    , m_serves(std::move(serves))
{
    qApp->installEventFilter(this);
}

KeyboardShortcuts::~KeyboardShortcuts()
{
    qApp->removeEventFilter(this);
}

bool KeyboardShortcuts::isTextInput(const QWidget* widget)
{
    if (!widget)
        return false;
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
        qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(widget);
    return combo && combo->isEditable();
}

bool KeyboardShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    // A press reaches the window system's window first and then each widget
    // up from the focus: the first widget that sees it decides.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(watched);
    if (!m_serves(widget->window()) || isTextInput(QApplication::focusWidget()) || isTextInput(widget))
        return false;
    const std::optional<ShortcutMap::Command> command = ShortcutMap::commandFor(ShortcutMap::keyOf(*static_cast<QKeyEvent*>(event)));
    if (!command)
        return false;
    event->accept();
    emit triggered(*command);
    return true;
}
