#pragma once

#include <stdexcept>
#include <string>

namespace e2e
{

// Thrown by Require: the case cannot go on meaningfully.
struct CaseAborted : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Collects the failed expectations of one case and prints each as it fails.
class Checker
{
  public:
    void Expect(bool ok, const std::string& what);
    void ExpectEqual(const std::string& actual, const std::string& expected,
                     const std::string& what);
    void ExpectEqual(long long actual, long long expected, const std::string& what);
    // Like Expect, but ends the case when it fails.
    void Require(bool ok, const std::string& what);
    void Note(const std::string& what);

    int Failures() const { return m_failures; }

  private:
    int m_failures = 0;
};

} // namespace e2e
