#pragma once

#include <QObject>

#include <array>

class KvVideoScreen;
class Model_Customize;
class QAction;
class QMenu;
class QWidget;

// The play mode: what a video window does when its file ends (0 single play,
// 1 list play, 2 single circle, 3 list circle). One setting for the whole
// player, handed to every video window and shown by the check marks of the
// play mode button's menu.
class PlayModeMenu : public QObject
{
    Q_OBJECT

public:
    static constexpr int kModeCount = 4;

    PlayModeMenu(Model_Customize& customize, KvVideoScreen& screen, QWidget* parent);

    QMenu* menu() const { return m_menu; }
    QAction* action(int mode) const;

    // A mode chosen from this menu: stored, handed to the windows, checked.
    void choose(int mode);
    // A mode reported from elsewhere (the stored value at start, the video
    // screen's menu). It is stored whatever it is; a value outside 0..3
    // changes neither the windows nor the check marks.
    void OnPlayModeChanged(int mode);

private:
    // Hands a known mode to the windows and checks its action.
    void apply(int mode);

    Model_Customize& m_customize;
    KvVideoScreen& m_screen;
    QMenu* m_menu = nullptr;
    std::array<QAction*, kModeCount> m_actions{};
};
