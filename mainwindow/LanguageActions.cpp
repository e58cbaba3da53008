#include "LanguageActions.h"

#include "Diagnostics.h"
#include "LanguageSelection.h"
#include "Model_Language.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr int kFirstLanguageName = 2;

}

namespace LanguageActions {

QList<int> bitsOf(unsigned mask)
{
    QList<int> bits;
    for (int bit = 0; bit < LanguageSelection::kLanguageCount; ++bit) {
        if (mask & (1U << bit))
            bits.append(bit);
    }
    return bits;
}

QList<QAction*> addTo(QMenu* menu, unsigned mask, unsigned current)
{
    QList<QAction*> actions;
    for (int bit : bitsOf(mask)) {
        auto* action = new QAction(Model_Language::Text(kFirstLanguageName + bit), menu);
        KV_DIAG() << action->text();
        action->setCheckable(true);
        action->setChecked(current == (1U << bit));
        action->setData(bit);
        menu->addAction(action);
        actions.append(action);
    }
    return actions;
}

void retranslate(const QList<QAction*>& actions)
{
    for (QAction* action : actions)
        action->setText(Model_Language::Text(kFirstLanguageName + action->data().toInt()));
}

int choose(const QList<QAction*>& actions, const QAction* chosen)
{
    int position = -1;
    for (int i = 0; i < actions.size(); ++i) {
        if (actions[i] == chosen)
            position = i;
    }
    if (position < 0)
        return -1;
    for (QAction* action : actions)
        action->setChecked(action == chosen);
    return position;
}

}
