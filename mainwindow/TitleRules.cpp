#include "TitleRules.h"

#include "Model_Customize.h"

namespace {

constexpr int kLogoIndent = 16;

}

TitleRules titleRulesFor(const Model_Customize& customize)
{
    TitleRules rules;
    rules.title = customize.isBrand(Model_Customize::VANTOREL) ? QStringLiteral("Vantorel Video Player")
                                                                : QStringLiteral("KvPlayer");
    if (customize.isBrand(Model_Customize::TALVIK))
        rules.logoFile = QStringLiteral("window.png");
    // This brand's logo carries its name, so it replaces the title.
    if (customize.isBrand(Model_Customize::ORBENTA)) {
        rules.logoFile = QStringLiteral("logo_small.png");
        rules.showTitle = false;
        rules.leadingSpace = kLogoIndent;
    }
    return rules;
}
