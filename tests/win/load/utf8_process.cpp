// Load.exe holds its paths in UTF-8 from its first line: so do its windows
// and watches here.
#include "platform/path_code.h"

#include <gtest/gtest.h>

namespace
{

struct Utf8Process : testing::Environment
{
    void SetUp() override { platform::SetProcessPathCode(platform::PathCode::Utf8); }
};

testing::Environment* const g_utf8 = testing::AddGlobalTestEnvironment(new Utf8Process);

} // namespace
