#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

// The video screen's context menu: its items, their texts from the language
// table, and their enabled states and check marks, refreshed before it opens.
class VideoScreenMenu : public QObject
{
    Q_OBJECT

public:
    struct State {
        bool selectedPlays = false;
        bool selectedRecords = false;
        bool selectedZooms = false;
        int windowFlag = 0;
        int playMode = 0;
        int layout = 1;
        bool synced = false;
    };

    VideoScreenMenu(bool withFileInformation, QWidget* parent);

    QMenu* menu() const { return m_menu; }
    QMenu* stickMenu() const { return m_stickMenu; }
    QMenu* playModeMenu() const { return m_playModeMenu; }
    QMenu* layoutMenu() const { return m_layoutMenu; }

    // Stay-on-top mode (0..2), play mode (0..3) or layout (1..4) of an action
    // of the choice submenus; -1 for any other action.
    int stickOf(const QAction* action) const;
    int playModeOf(const QAction* action) const;
    int layoutOf(const QAction* action) const;

    void update(const State& state);
    void retranslate();

    QAction* fullScreen = nullptr;
    QAction* playOrPause = nullptr;
    QAction* stop = nullptr;
    QAction* frameStep = nullptr;
    QAction* fast = nullptr;
    QAction* slow = nullptr;
    QAction* syncPlayback = nullptr;
    QAction* sound = nullptr;
    QAction* fileInformation = nullptr; // null unless the brand shows file information
    QAction* snapshot = nullptr;
    QAction* record = nullptr;
    QAction* zoom = nullptr;
    QAction* settings = nullptr;
    QAction* aspect = nullptr;
    QAction* exportSpan = nullptr;

private:
    QAction* addCheckable(QMenu* menu);
    void buildChoices();
    static int indexIn(const QAction* action, const QList<QAction*>& actions);
    static void check(const QList<QAction*>& actions, int index);

    QMenu* m_menu = nullptr;
    QMenu* m_stickMenu = nullptr;
    QMenu* m_controlMenu = nullptr;
    QMenu* m_playModeMenu = nullptr;
    QMenu* m_layoutMenu = nullptr;
    QList<QAction*> m_stickActions;
    QList<QAction*> m_playModeActions;
    QList<QAction*> m_layoutActions;
};
