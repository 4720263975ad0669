#include "companions/load_role.h"

#include <gtest/gtest.h>
#include <tuple>

// Each start of Load.exe finds its one job from how it was started.
TEST(LoadRole, ChosenFromTheArgumentsTheShowStateAndTheCatalogRequest)
{
    using companions::LoadRole;
    // The arguments, whether it was started shown, whether a catalog is asked.
    const std::tuple<const char*, bool, bool, LoadRole> cases[] = {
        {"", true, false, LoadRole::Monitor},
        {"", true, true, LoadRole::Monitor},
        {"", false, true, LoadRole::Catalog},
        {"", false, false, LoadRole::Resident},
        {" /logon ", true, true, LoadRole::Resident},
        {"/logon /relayed", false, true, LoadRole::Resident},
        {"/stop", true, false, LoadRole::Stop},
        {"/other", false, false, LoadRole::Resident},
        {" /restore  /quiet C:\\Docs", true, true, LoadRole::QuietRestore},
        {"/restore /quiet", false, false, LoadRole::QuietRestore},
        {"/restore /relayed", true, true, LoadRole::RestoreWindow},
        {"/restore", false, false, LoadRole::RestoreWindow},
    };
    for (const auto& [arguments, shown, catalog, role] : cases)
        EXPECT_EQ(role, companions::ChooseLoadRole(arguments, shown, catalog)) << arguments;
}
