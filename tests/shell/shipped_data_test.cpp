// Checks the data files that ship beside the program.

#include "Model_Language.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

const QString kLanguageDir = QStringLiteral(KV_SOURCE_DIR "/resources/Language/");
constexpr int kTextCount = 126;

TEST(ShippedDataTest, EveryLanguageFileHoldsEveryTextInItsPlace)
{
    const Model_Language english(kLanguageDir + QStringLiteral("ENU.xml"));
    ASSERT_EQ(english.count(), kTextCount);
    for (const char* name : {"ENU.xml", "ENU_HOLDRA.xml", "CHS.xml", "RUS_SKARVEN.xml", "GER_Dorvex.xml",
                             "CH-T.xml", "JAP.xml", "PTB_QUELM.xml"}) {
        const Model_Language table(kLanguageDir + QString::fromLatin1(name));
        ASSERT_EQ(table.count(), kTextCount) << name;
        for (int i = 0; i < kTextCount; ++i)
            EXPECT_FALSE(table.text(i).trimmed().isEmpty()) << name << " text " << i;
        // Language names are written in their own language, the same in every file,
        // so a user finds his language in any menu.
        for (int i = 2; i <= 8; ++i)
            EXPECT_EQ(table.text(i), english.text(i)) << name << " language name " << i;
        const bool isEnglish = QString::fromLatin1(name).startsWith(QStringLiteral("ENU"));
        if (!isEnglish) {
            EXPECT_NE(table.text(0), english.text(0)) << name << " is not translated";
        }
    }
}

TEST(ShippedDataTest, DefaultIniOffersEveryLanguageAndSavesThePlayList)
{
    const QSettings ini(QStringLiteral(KV_SOURCE_DIR "/resources/default.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.status(), QSettings::NoError);
    EXPECT_EQ(ini.value(QStringLiteral("function-customize/company_name")).toString(), QStringLiteral("zandrix"));
    EXPECT_FALSE(ini.value(QStringLiteral("function-customize/version")).toString().isEmpty());
    EXPECT_EQ(ini.value(QStringLiteral("function-customize/LanguageMask")).toUInt(), 127U);
    EXPECT_EQ(ini.value(QStringLiteral("function-customize/LanguageCurrent")).toUInt(), 1U);
    EXPECT_EQ(ini.value(QStringLiteral("function-customize/SaveFileFlag")).toInt(), 1);
}

}
