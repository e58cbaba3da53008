#include "PlayModeMenu.h"

#include "KvVideoScreen.h"
#include "Model_Customize.h"

#include <QAction>
#include <QMenu>

PlayModeMenu::PlayModeMenu(Model_Customize& customize, KvVideoScreen& screen, QWidget* parent)
    : QObject(parent)
    , m_customize(customize)
    , m_screen(screen)
    , m_menu(new QMenu(parent))
{
    for (int mode = 0; mode < kModeCount; ++mode) {
        QAction* action = m_menu->addAction(QString());
        action->setCheckable(true);
        action->setChecked(mode == 0);
        m_actions[static_cast<size_t>(mode)] = action;
    }
}

QAction* PlayModeMenu::action(int mode) const
{
    if (mode < 0 || mode >= kModeCount)
        return nullptr;
    return m_actions[static_cast<size_t>(mode)];
}

void PlayModeMenu::choose(int mode)
{
    if (mode < 0 || mode >= kModeCount)
        return;
    m_customize.setPlayMode(mode);
    apply(mode);
}

void PlayModeMenu::OnPlayModeChanged(int mode)
{
    m_customize.setPlayMode(mode);
    if (mode >= 0 && mode < kModeCount)
        apply(mode);
}

void PlayModeMenu::apply(int mode)
{
    m_screen.setPlayMode(mode);
    for (int i = 0; i < kModeCount; ++i)
        m_actions[static_cast<size_t>(i)]->setChecked(i == mode);
}
