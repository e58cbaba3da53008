#include "LanguageSelection.h"

#include "Diagnostics.h"
#include "Model_Customize.h"
#include "Model_Language.h"

namespace LanguageSelection {

StartupFiles startupFiles(unsigned languageCurrent, const Model_Customize& customize)
{
    switch (languageCurrent) {
    case 1:
        return {customize.isBrand(Model_Customize::HOLDRA) ? QStringLiteral("/Language/ENU_HOLDRA.xml")
                                                           : QStringLiteral("/Language/ENU.xml"),
                {}};
    case 2:
        return {QStringLiteral("/Language/CHS.xml"), QStringLiteral("/qt_zh_CN.qm")};
    case 4:
        return {customize.isBrand(Model_Customize::SKARVEN) ? QStringLiteral("/Language/RUS_SKARVEN.xml")
                                                            : QString(),
                QStringLiteral("/qt_ru.qm")};
    case 8:
        return {QStringLiteral("/Language/GER_Dorvex.xml"), QStringLiteral("/qt_de.qm")};
    case 16:
        return {QStringLiteral("/Language/CH-T.xml"), {}};
    case 32:
        return {QStringLiteral("/Language/JAP.xml"), {}};
    case 64:
        return {customize.isBrand(Model_Customize::Quelm) ? QStringLiteral("/Language/PTB_QUELM.xml")
                                                          : QString(),
                QStringLiteral("/qt_pt.qm")};
    default:
        return {};
    }
}

QStringList runtimeFiles()
{
    return {QStringLiteral("/Language/ENU.xml"),         QStringLiteral("/Language/CHS.xml"),
            QStringLiteral("/Language/RUS_SKARVEN.xml"), QStringLiteral("/Language/GER_Dorvex.xml"),
            QStringLiteral("/Language/CH-T.xml"),        QStringLiteral("/Language/JAP.xml"),
            QStringLiteral("/Language/PTB_QUELM.xml")};
}

std::optional<unsigned> valueAtPosition(unsigned mask, int position)
{
    int seen = 0;
    for (int bit = 0; bit < kLanguageCount; ++bit) {
        if ((mask & (1U << bit)) == 0)
            continue;
        if (seen++ == position)
            return 1U << bit;
    }
    return std::nullopt;
}

bool change(int position, const QString& programDir, Model_Customize& customize, Model_Language& table)
{
    const QStringList files = runtimeFiles();
    const unsigned mask = customize.languageMask();
    QStringList offered;
    for (int bit = 0; bit < kLanguageCount; ++bit) {
        if (mask & (1U << bit))
            offered.append(files.at(bit));
    }
    const std::optional<unsigned> value = valueAtPosition(mask, position);
    if (!value || customize.languageCurrent() == *value)
        return false;

    KV_DIAG() << "languageList = " << offered.join(u", ") << " nLanguageMsk =" << mask
              << " languageIndex =" << *value;
    table.fill(programDir + offered.at(position));
    customize.setLanguageCurrent(*value);
    return true;
}

}
