#pragma once

#include "tests/e2e/driver/files.h"

#include <string>
#include <vector>
#include <windows.h>

// The test prefix as the cases find it: the program installed by its
// installer, the stand-in companions beside it, and the harness folder
// C:\e2e with the batch recorder and the start log.
namespace e2e
{

std::string InstalledPath(const std::string& name);
std::string HarnessPath(const std::string& name);

// The files the program reads and writes in its install directory (every file
// there but the programs), to compare before and after an action.
FileTree StoreSnapshot();

void ClearStartLog();
// Starts recorded by the companions and the batch recorder, as "name:show",
// in the order the processes were created.
std::vector<std::string> StartsInOrder();
// Waits until the batch `name` has ended; its exit status, or -1 on timeout.
long WaitForBatchEnd(const std::string& name, DWORD timeoutMs);
// The text of the last batch `name` that was run, as it was when it started.
std::string BatchAsStarted(const std::string& name);

std::string Join(const std::vector<std::string>& items);

} // namespace e2e
