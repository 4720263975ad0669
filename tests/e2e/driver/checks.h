#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>
#include <windows.h>

// The driver's checks and the text and file access they read through. Texts
// are UTF-8; wide for window messages and file calls, ANSI for the bytes the
// program stores.
namespace e2e
{

// One end-to-end case, chosen by name on the command line.
struct Case
{
    std::string name;
    std::function<void()> run;
};
std::vector<Case> StoreCases();
std::vector<Case> RefusalCases();
std::vector<Case> BackupCases();
std::vector<Case> CatalogCases();
std::vector<Case> InstallCases();

// Each failed check is printed as it fails and counted.
int Failures();
void Expect(bool ok, const std::string& what);
void ExpectEqual(const std::string& actual, const std::string& expected, const std::string& what);
// Like Expect, but ends the case (by an exception) when it fails.
void Require(bool ok, const std::string& what);

// Everything the driver waits for happens in another process, so a bounded
// poll is the only honest wait.
template <class Condition> bool WaitFor(Condition condition, DWORD timeoutMs = 15000)
{
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs; !condition(); Sleep(50))
        if (GetTickCount64() >= deadline)
            return false;
    return true;
}

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// The 8-bit text the program holds for `utf8`, in the system's ANSI code page.
std::string Ansi(const std::string& utf8);
std::string Join(const std::vector<std::string>& items);

// The file's bytes, or "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

// Every file below a folder, by its relative path, with its bytes.
using FileTree = std::map<std::string, std::string>;
FileTree ReadTree(const std::string& root);
// Checks that the trees are equal, listing each difference when not.
void ExpectTree(const FileTree& actual, const FileTree& expected, const std::string& what);

} // namespace e2e
