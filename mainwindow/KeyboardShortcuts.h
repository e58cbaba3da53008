#pragma once

#include "ShortcutMap.h"

#include <QObject>

#include <functional>

class QWidget;

// Turns the key presses of the player's own windows into the commands of
// the shortcut map, before any widget sees them, so they work whatever has
// the focus there and in full screen. Keys typed into a text field stay the
// field's, and other windows (dialogs, menus) keep their keys.
class KeyboardShortcuts : public QObject
{
    Q_OBJECT

public:
    // serves(window): whether presses in that top-level window are the player's.
    KeyboardShortcuts(std::function<bool(const QWidget*)> serves, QObject* parent);
    ~KeyboardShortcuts() override;

    static bool isTextInput(const QWidget* widget);

signals:
    void triggered(ShortcutMap::Command command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(const QWidget*)> m_serves;
};
