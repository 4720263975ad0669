#include "tests/e2e/driver/harness.h"

#include "store/install_directory.h"
#include "tests/e2e/driver/wait.h"

#include <algorithm>
#include <sstream>

namespace e2e
{

namespace
{

struct StartRecord
{
    std::string kind;
    std::string name;
    long value = 0;
    unsigned long long time = 0;
};

std::vector<StartRecord> ReadStartRecords()
{
    std::vector<StartRecord> records;
    std::istringstream lines(ReadBytes(HarnessPath("starts.log")).value_or(""));
    StartRecord record;
    while (lines >> record.kind >> record.name >> record.value >> record.time)
        records.push_back(record);
    return records;
}

bool IsProgramFile(const std::string& name)
{
    for (const char* program :
         {"CorvaneBackup.exe", "Uninstall.exe", "Load.exe", "vd.exe", "config.bat"})
        if (name == program)
            return true;
    return false;
}

} // namespace

std::string InstalledPath(const std::string& name)
{
    return std::string(kInstallDirectory) + "\\" + name;
}

std::string HarnessPath(const std::string& name)
{
    return "C:\\e2e\\" + name;
}

FileTree StoreSnapshot()
{
    FileTree store = ReadTree(kInstallDirectory);
    for (auto file = store.begin(); file != store.end();)
        file = IsProgramFile(file->first) ? store.erase(file) : std::next(file);
    return store;
}

void ClearStartLog()
{
    Remove(HarnessPath("starts.log"));
}

std::vector<std::string> StartsInOrder()
{
    std::vector<StartRecord> records = ReadStartRecords();
    std::stable_sort(records.begin(), records.end(),
                     [](const StartRecord& a, const StartRecord& b) { return a.time < b.time; });
    std::vector<std::string> starts;
    for (const StartRecord& record : records)
        if (record.kind == "started")
            starts.push_back(record.name + ":" + std::to_string(record.value));
    return starts;
}

long WaitForBatchEnd(const std::string& name, DWORD timeoutMs)
{
    long status = -1;
    WaitFor(
        [&] {
            for (const StartRecord& record : ReadStartRecords())
                if (record.kind == "ended" && record.name == name)
                    status = record.value;
            return status != -1;
        },
        timeoutMs);
    return status;
}

std::string BatchAsStarted(const std::string& name)
{
    return ReadBytes(HarnessPath("started\\" + name)).value_or("<never started>");
}

std::string Join(const std::vector<std::string>& items)
{
    std::string joined;
    for (const std::string& item : items)
        joined += (joined.empty() ? "" : ", ") + item;
    return joined;
}

} // namespace e2e
