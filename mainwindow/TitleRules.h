#pragma once

#include <QString>

class Model_Customize;

// What the title bar shows under the configured brand: the title text, or a
// brand logo in its place or beside it.
struct TitleRules {
    QString title;
    bool showTitle = true;
    QString logoFile; // a picture in the program folder; empty: no logo
    int leadingSpace = 0;
};

TitleRules titleRulesFor(const Model_Customize& customize);
