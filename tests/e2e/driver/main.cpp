// Works the installed program's real window from outside, one case per run:
// `e2e_driver CASE` exits with status 0 when every check of the case held.
#include "tests/e2e/driver/checks.h"

#include <cstdio>
#include <stdexcept>

int main(int argc, char** argv)
{
    for (auto group : {e2e::StoreCases, e2e::RefusalCases, e2e::BackupCases, e2e::CatalogCases,
                       e2e::InstallCases})
        for (const e2e::Case& item : group())
        {
            if (argc != 2 || item.name != argv[1])
                continue;
            try
            {
                item.run();
            }
            catch (const std::runtime_error&)
            {
                std::printf("case %s stopped at the first failure above\n", argv[1]);
            }
            std::printf("case %s: %s\n", argv[1], e2e::Failures() == 0 ? "passed" : "FAILED");
            return e2e::Failures() == 0 ? 0 : 1;
        }
    std::fprintf(stderr, "usage: e2e_driver CASE\n");
    return 2;
}
