// Works the installed program's real window from outside, one case per run:
//   e2e_driver CASE     runs the case, exit status 0 when every check held
//   e2e_driver --list   names every case
#include "tests/e2e/driver/cases.h"

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<e2e::Case> cases;
    for (auto group : {e2e::StoreCases, e2e::RefusalCases, e2e::BackupCases, e2e::CatalogCases,
                       e2e::InstallCases})
        for (const e2e::Case& item : group())
            cases.push_back(item);

    if (argc == 2 && std::strcmp(argv[1], "--list") == 0)
    {
        for (const e2e::Case& item : cases)
            std::printf("%s\n", item.name);
        return 0;
    }
    for (const e2e::Case& item : cases)
    {
        if (argc != 2 || std::strcmp(argv[1], item.name) != 0)
            continue;
        e2e::Checker checker;
        try
        {
            item.run(checker);
        }
        catch (const e2e::CaseAborted&)
        {
            std::printf("case %s stopped at the first failure above\n", item.name);
        }
        std::printf("case %s: %s\n", item.name, checker.Failures() == 0 ? "passed" : "FAILED");
        return checker.Failures() == 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: e2e_driver CASE | --list\n");
    return 2;
}
