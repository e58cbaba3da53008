#include "Model_Language.h"

#include <gtest/gtest.h>

namespace {

// The English texts from the source tree, so that menu entries and the
// invalid-file mark read real words.
class ViewEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        Model_Language::setFallbackPath(QStringLiteral(KV_SOURCE_DIR "/resources/Language/ENU.xml"));
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ViewEnvironment);

}
