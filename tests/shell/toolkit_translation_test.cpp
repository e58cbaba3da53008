#include "ToolkitTranslation.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(ToolkitTranslationTest, TakesTheProgramFolderFirstThenTheSystemAndRegionalFiles)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString system = dir.filePath(QStringLiteral("system"));
    touch(system + QStringLiteral("/qt_de.qm"));
    touch(system + QStringLiteral("/qt_pt_PT.qm"));
    touch(system + QStringLiteral("/qt_pt_BR.qm"));
    touch(system + QStringLiteral("/qtbase_ru.qm"));
    const QStringList folders{program, system};

    EXPECT_EQ(ToolkitTranslation::locate(QStringLiteral("/qt_de.qm"), folders), system + QStringLiteral("/qt_de.qm"));
    EXPECT_EQ(ToolkitTranslation::locate(QStringLiteral("/qt_pt.qm"), folders),
              system + QStringLiteral("/qt_pt_BR.qm"));
    EXPECT_EQ(ToolkitTranslation::locate(QStringLiteral("/qt_ru.qm"), folders), QString())
        << "another catalogue is not the language's";
    EXPECT_EQ(ToolkitTranslation::locate(QString(), folders), QString());

    touch(program + QStringLiteral("/qt_de.qm"));
    touch(program + QStringLiteral("/qt_pt_XX.qm"));
    EXPECT_EQ(ToolkitTranslation::locate(QStringLiteral("/qt_de.qm"), folders), program + QStringLiteral("/qt_de.qm"));
    EXPECT_EQ(ToolkitTranslation::locate(QStringLiteral("qt_pt.qm"), folders),
              program + QStringLiteral("/qt_pt_XX.qm"));
}

TEST(ToolkitTranslationTest, TheSystemFilesTranslateTheStandardDialogs)
{
    QTemporaryDir program;
    const QStringList folders = ToolkitTranslation::folders(program.path());
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders.last(), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    const QString german = ToolkitTranslation::locate(QStringLiteral("/qt_de.qm"), folders);
    if (german.isEmpty())
        GTEST_SKIP() << "the toolkit's translations are not installed";
    QTranslator translator;
    ASSERT_TRUE(translator.load(german));
    EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    const QString portuguese = ToolkitTranslation::locate(QStringLiteral("/qt_pt.qm"), folders);
    EXPECT_TRUE(portuguese.endsWith(QStringLiteral("/qt_pt_BR.qm"))) << qPrintable(portuguese);
    EXPECT_TRUE(translator.load(portuguese));
}

}
