#include "Model_Language.h"
#include "UserSettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A private home, so that the settings and output folders the widgets create
// never touch the user's, and the English texts from the source tree, so that
// menu entries and the about box read real words.
class WidgetsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        qputenv("HOME", m_dir->path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toUtf8());
        UserSettings::configure(QStringLiteral("kvtest"), QStringLiteral("widgets_test/widgets_test"));
        Model_Language::setFallbackPath(QStringLiteral(KV_SOURCE_DIR "/resources/Language/ENU.xml"));
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new WidgetsEnvironment);

}
