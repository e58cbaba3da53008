#pragma once

#include <QList>

class QAction;
class QMenu;

// The language entries of the application menu. A language is a bit of the
// configured mask; its entry shows the language's name, text 2 + bit number,
// and a choice is reported by the entry's position among the offered ones.
namespace LanguageActions {

// The set bits of mask among the languages that exist, lowest first: the
// offered languages in menu order. Bits beyond them name no language.
QList<int> bitsOf(unsigned mask);

// Adds one checkable entry per offered language to menu, in bit order, each
// keeping its bit number as data; the entry whose bit value equals current is
// checked.
QList<QAction*> addTo(QMenu* menu, unsigned mask, unsigned current);

// Re-reads each entry's name from the language table.
void retranslate(const QList<QAction*>& actions);

// Checks the chosen entry alone and gives its position; -1, with every entry
// left as it was, when it is not one of them.
int choose(const QList<QAction*>& actions, const QAction* chosen);

}
