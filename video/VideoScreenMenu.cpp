#include "VideoScreenMenu.h"

#include "Model_Language.h"
#include "SyncTexts.h"

#include <QAction>
#include <QMenu>

namespace {

// Language table indices of the menu's texts.
enum Text {
    TextSingle = 28,
    TextStick = 36,
    TextOnTopWhilePlaying = 37,
    TextSettings = 33,
    TextSnapshot = 53,
    TextFullScreen = 57,
    TextControl = 58,
    TextPlayMode = 59,
    TextSound = 60,
    TextLayout = 61,
    TextRecord = 62,
    TextZoom = 63,
    TextPlay = 64,
    TextStop = 65,
    TextFrameStep = 66,
    TextFast = 67,
    TextSlow = 68,
    TextWindow = 69,
    TextFileInformation = 79,
    TextAspect = 80,
    TextExportSpan = 90,
};

QString text(int index)
{
    return Model_Language::Text(index);
}

}

VideoScreenMenu::VideoScreenMenu(bool withFileInformation, QWidget* parent)
    : QObject(parent)
    , m_menu(new QMenu(parent))
{
    fullScreen = addCheckable(m_menu);
    m_stickMenu = m_menu->addMenu(QString());
    m_controlMenu = m_menu->addMenu(QString());
    playOrPause = m_controlMenu->addAction(QString());
    stop = m_controlMenu->addAction(QString());
    frameStep = m_controlMenu->addAction(QString());
    fast = m_controlMenu->addAction(QString());
    slow = m_controlMenu->addAction(QString());
    m_playModeMenu = m_menu->addMenu(QString());
    syncPlayback = addCheckable(m_menu);
    sound = addCheckable(m_menu);
    if (withFileInformation)
        fileInformation = addCheckable(m_menu);
    m_layoutMenu = m_menu->addMenu(QString());
    snapshot = m_menu->addAction(QString());
    record = addCheckable(m_menu);
    zoom = addCheckable(m_menu);
    settings = m_menu->addAction(QString());
    aspect = m_menu->addAction(QString());
    exportSpan = m_menu->addAction(QString());
    buildChoices();
    retranslate();
}

QAction* VideoScreenMenu::addCheckable(QMenu* menu)
{
    QAction* action = menu->addAction(QString());
    action->setCheckable(true);
    return action;
}

void VideoScreenMenu::buildChoices()
{
    for (int i = 0; i < 3; ++i)
        m_stickActions.append(addCheckable(m_stickMenu));
    for (int i = 0; i < 4; ++i)
        m_playModeActions.append(addCheckable(m_playModeMenu));
    for (int i = 0; i < 4; ++i)
        m_layoutActions.append(addCheckable(m_layoutMenu));
}

void VideoScreenMenu::retranslate()
{
    fullScreen->setText(text(TextFullScreen));
    m_stickMenu->setTitle(text(TextStick).remove(u':'));
    for (int i = 0; i < m_stickActions.size(); ++i)
        m_stickActions[i]->setText(text(TextOnTopWhilePlaying + i));
    m_controlMenu->setTitle(text(TextControl));
    playOrPause->setText(text(TextPlay));
    stop->setText(text(TextStop));
    frameStep->setText(text(TextFrameStep));
    fast->setText(text(TextFast));
    slow->setText(text(TextSlow));
    m_playModeMenu->setTitle(text(TextPlayMode));
    for (int i = 0; i < m_playModeActions.size(); ++i)
        m_playModeActions[i]->setText(text(TextSingle + i));
    syncPlayback->setText(text(SyncTexts::kSyncPlayback));
    sound->setText(text(TextSound));
    if (fileInformation)
        fileInformation->setText(text(TextFileInformation));
    m_layoutMenu->setTitle(text(TextLayout));
    const char* const counts[] = {"1-", "4-", "9-", "16-"};
    for (int i = 0; i < m_layoutActions.size(); ++i)
        m_layoutActions[i]->setText(QString::fromLatin1(counts[i]) + text(TextWindow));
    snapshot->setText(text(TextSnapshot));
    record->setText(text(TextRecord));
    zoom->setText(text(TextZoom));
    settings->setText(text(TextSettings));
    aspect->setText(text(TextAspect));
    exportSpan->setText(text(TextExportSpan) + QStringLiteral("\tCtrl+E"));
}

void VideoScreenMenu::update(const State& state)
{
    for (QAction* action : {fullScreen, stop, frameStep, fast, slow, snapshot, record, zoom})
        action->setEnabled(state.selectedPlays);
    if (fileInformation)
        fileInformation->setEnabled(state.selectedPlays);
    record->setChecked(state.selectedRecords);
    zoom->setChecked(state.selectedZooms);
    syncPlayback->setChecked(state.synced);
    check(m_stickActions, state.windowFlag);
    check(m_playModeActions, state.playMode);
    check(m_layoutActions, state.layout - 1);
}

void VideoScreenMenu::check(const QList<QAction*>& actions, int index)
{
    if (index < 0 || index >= actions.size())
        return;
    for (int i = 0; i < actions.size(); ++i)
        actions[i]->setChecked(i == index);
}

int VideoScreenMenu::indexIn(const QAction* action, const QList<QAction*>& actions)
{
    for (int i = 0; i < actions.size(); ++i) {
        if (actions[i] == action)
            return i;
    }
    return -1;
}

int VideoScreenMenu::stickOf(const QAction* action) const
{
    return indexIn(action, m_stickActions);
}

int VideoScreenMenu::playModeOf(const QAction* action) const
{
    return indexIn(action, m_playModeActions);
}

int VideoScreenMenu::layoutOf(const QAction* action) const
{
    const int index = indexIn(action, m_layoutActions);
    return index < 0 ? -1 : index + 1;
}
