#include "LanguageSelection.h"
#include "Model_Customize.h"
#include "Model_Language.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList parseText(const QByteArray& xml)
{
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    return Model_Language::parse(buffer);
}

TEST(LanguageParseTest, PositionAloneCountsAtAnyDepth)
{
    EXPECT_EQ(parseText("<root><string>one</string><group><string id=\"9\">two</string></group>"
                        "<string>three</string><other>skip</other></root>"),
              (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));
}

TEST(LanguageParseTest, MalformedXmlKeepsWhatWasReadBeforeTheError)
{
    EXPECT_EQ(parseText("<root><string>one</string><string>two</string><string>thr"),
              (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(parseText("<root><string>one</string></wrong><string>two</string></root>"),
              QStringList{QStringLiteral("one")});
    EXPECT_TRUE(parseText("").isEmpty());
    EXPECT_TRUE(parseText("\xff\xfe garbage").isEmpty());
}

TEST(LanguageParseTest, HonoursTheDeclaredEncodingAndEntityLimits)
{
    EXPECT_EQ(parseText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r><string>K\xf6ln</string></r>"),
              QStringList{QStringLiteral("Köln")});
    const QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">"
                            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                            "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>"
                            "<r><string>ok</string><string>&e;</string></r>";
    const QStringList texts = parseText(bomb);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), QStringLiteral("ok"));
    if (texts.size() > 1) {
        EXPECT_LT(texts.at(1).size(), 100000);
    }
}

class LanguageTableTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;

    void SetUp() override
    {
        QDir(dir.path()).mkpath(QStringLiteral("Language"));
        write(QStringLiteral("Language/ENU.xml"), "<l><string>Play List</string><string>Stopped</string>"
                                                  "<string>English</string></l>");
        write(QStringLiteral("Language/GER_Dorvex.xml"), "<l><string>Wiedergabeliste</string></l>");
        write(QStringLiteral("Language/JAP.xml"), "<l><string>JA0</string></l>");
        Model_Language::setFallbackPath(dir.filePath(QStringLiteral("Language/ENU.xml")));
    }

    void TearDown() override { Model_Language::Destroy(); }

    void write(const QString& name, const QByteArray& contents) const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
};

TEST_F(LanguageTableTest, MissingIndicesFallBackToEnglish)
{
    Model_Language::Load(dir.filePath(QStringLiteral("Language/GER_Dorvex.xml")));
    EXPECT_EQ(Model_Language::instance()->count(), 1);
    EXPECT_EQ(Model_Language::Text(0), QStringLiteral("Wiedergabeliste"));
    EXPECT_EQ(Model_Language::Text(1), QStringLiteral("Stopped")) << "past the table's end";
    EXPECT_EQ(Model_Language::Text(3), QString()) << "English lacks it too";
    EXPECT_EQ(Model_Language::Text(-1), QString());
}

TEST_F(LanguageTableTest, AnEmptyTableAnswersInEnglish)
{
    Model_Language::Load(dir.path());  // the program folder itself: no language chosen
    EXPECT_EQ(Model_Language::instance()->count(), 0);
    EXPECT_EQ(Model_Language::Text(0), QStringLiteral("Play List"));
    Model_Language::Destroy();
    EXPECT_EQ(Model_Language::instance(), nullptr);
    EXPECT_EQ(Model_Language::Text(2), QStringLiteral("English")) << "no table at all";
}

TEST_F(LanguageTableTest, StartupFilesFollowTheCurrentValueAndTheBrand)
{
    QSettings settings(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    Model_Customize generic(settings, dir.path(), QStringLiteral("KvPlayer"));
    Model_Customize skarven(settings, dir.path(), QStringLiteral("KvPlayer"));
    skarven.identifyBrand(QStringLiteral("SKARVEN"), {}, false);
    Model_Customize holdra(settings, dir.path(), QStringLiteral("KvPlayer"));
    holdra.identifyBrand(QStringLiteral("HOLDRA"), {}, false);
    Model_Customize quelm(settings, dir.path(), QStringLiteral("KvPlayer"));
    quelm.identifyBrand(QStringLiteral("Quelm"), {}, false);

    using LanguageSelection::startupFiles;
    const auto expect = [](const LanguageSelection::StartupFiles& f, const char* xml, const char* qm) {
        EXPECT_EQ(f.xml, QString::fromLatin1(xml));
        EXPECT_EQ(f.translator, QString::fromLatin1(qm));
    };
    expect(startupFiles(1, generic), "/Language/ENU.xml", "");
    expect(startupFiles(1, holdra), "/Language/ENU_HOLDRA.xml", "");
    expect(startupFiles(2, generic), "/Language/CHS.xml", "/qt_zh_CN.qm");
    expect(startupFiles(4, generic), "", "/qt_ru.qm");
    expect(startupFiles(4, skarven), "/Language/RUS_SKARVEN.xml", "/qt_ru.qm");
    expect(startupFiles(8, generic), "/Language/GER_Dorvex.xml", "/qt_de.qm");
    expect(startupFiles(16, generic), "/Language/CH-T.xml", "");
    expect(startupFiles(32, generic), "/Language/JAP.xml", "");
    expect(startupFiles(64, generic), "", "/qt_pt.qm");
    expect(startupFiles(64, quelm), "/Language/PTB_QUELM.xml", "/qt_pt.qm");
    for (const unsigned other : {0U, 3U, 127U, 128U, 0xffffffffU})
        expect(startupFiles(other, generic), "", "");
}

TEST(LanguagePositionTest, PositionsCountOnlyOfferedLanguages)
{
    EXPECT_EQ(LanguageSelection::valueAtPosition(0x69, 0), 1U);
    EXPECT_EQ(LanguageSelection::valueAtPosition(0x69, 1), 8U);
    EXPECT_EQ(LanguageSelection::valueAtPosition(0x69, 2), 32U);
    EXPECT_EQ(LanguageSelection::valueAtPosition(0x69, 3), 64U);
    EXPECT_FALSE(LanguageSelection::valueAtPosition(0x69, 4));
    EXPECT_FALSE(LanguageSelection::valueAtPosition(0x69, -1));
    EXPECT_FALSE(LanguageSelection::valueAtPosition(0x80, 0)) << "bits past the seventh language";
}

TEST_F(LanguageTableTest, ChangeReloadsAndStoresOnlyWhenTheLanguageDiffers)
{
    write(QStringLiteral("user.ini"), "[function-customize]\nLanguageMask=105\nLanguageCurrent=1\n");
    QSettings settings(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    Model_Customize customize(settings, dir.path(), QStringLiteral("KvPlayer"));
    Model_Language table(dir.filePath(QStringLiteral("Language/ENU.xml")));

    EXPECT_FALSE(LanguageSelection::change(0, dir.path(), customize, table)) << "already current";
    EXPECT_EQ(table.text(0), QStringLiteral("Play List"));
    EXPECT_FALSE(LanguageSelection::change(9, dir.path(), customize, table)) << "no such position";
    EXPECT_EQ(customize.languageCurrent(), 1U);

    EXPECT_TRUE(LanguageSelection::change(2, dir.path(), customize, table));
    EXPECT_EQ(customize.languageCurrent(), 32U);
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.text(0), QStringLiteral("JA0"));

    EXPECT_TRUE(LanguageSelection::change(3, dir.path(), customize, table)) << "a missing file still switches";
    EXPECT_EQ(customize.languageCurrent(), 64U);
    EXPECT_EQ(table.count(), 0);
}

}
