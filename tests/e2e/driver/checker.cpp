#include "tests/e2e/driver/checker.h"

#include "tests/e2e/driver/text.h"

#include <cstdio>

namespace e2e
{

void Checker::Expect(bool ok, const std::string& what)
{
    if (ok)
        return;
    ++m_failures;
    std::printf("FAILED: %s\n", what.c_str());
    std::fflush(stdout);
}

void Checker::ExpectEqual(const std::string& actual, const std::string& expected,
                          const std::string& what)
{
    Expect(actual == expected, what + "\n    expected: \"" + Printable(expected) +
                                   "\"\n    actual:   \"" + Printable(actual) + "\"");
}

void Checker::ExpectEqual(long long actual, long long expected, const std::string& what)
{
    Expect(actual == expected, what + " (expected " + std::to_string(expected) + ", actual " +
                                   std::to_string(actual) + ")");
}

void Checker::Require(bool ok, const std::string& what)
{
    Expect(ok, what);
    if (!ok)
        throw CaseAborted(what);
}

void Checker::Note(const std::string& what)
{
    std::printf("  %s\n", what.c_str());
    std::fflush(stdout);
}

} // namespace e2e
