#pragma once

#include <QString>

class MainWindowForm;
class Model_Customize;
class QAction;
class QFrame;

// The main window's look: brand colours, the object names and one-line style
// sheets that select each widget's picture, and every text from the language
// table.
namespace MainWindowLook {

// The picture of the stay-on-top button for a mode; empty for unknown modes.
QString stickPicture(int windowFlag);

void ApplyStyles(MainWindowForm& form, QFrame& window, const Model_Customize& customize);

struct Actions {
    QAction* singlePlay = nullptr;
    QAction* listPlay = nullptr;
    QAction* singleCircle = nullptr;
    QAction* listCircle = nullptr;
    QAction* openFile = nullptr;
    QAction* openFolder = nullptr;
};

void ApplyTexts(MainWindowForm& form, const Actions& actions, const Model_Customize& customize);

}
