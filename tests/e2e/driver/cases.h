#pragma once

#include "tests/e2e/driver/checker.h"

#include <vector>

namespace e2e
{

// One end-to-end case, chosen by name on the command line.
struct Case
{
    const char* name;
    void (*run)(Checker& checker);
};

std::vector<Case> StoreCases();
std::vector<Case> RefusalCases();
std::vector<Case> BackupCases();
std::vector<Case> CatalogCases();
std::vector<Case> InstallCases();

} // namespace e2e
