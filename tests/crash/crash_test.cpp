// Kills a process that saves a selection over and over, at random moments,
// and checks after each kill that every store file holds its old text or its
// new text, byte for byte, and that nothing else but leftover temporary files
// lies beside them. A leftover temporary file shows that the kill struck
// inside a write: at least a tenth of the kills must.
//   crash_test KILLS      the test: prints the counts, fails on a torn file or
//                         too few kills inside a write
//   crash_test save DIR   the saver it starts and kills
#include "flows/save_store.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace
{

// Two selections that differ in every store file the save writes.
const BackupSelection kSelections[2] = {
    Selection({"C:\\Documents", "D:\\Photos"}, "E:\\Backup", "1111000010"),
    Selection({"C:\\Work"}, "F:\\Elsewhere\\Copies", "0110111001"),
};

void Save(const BackupSelection& selection, const std::string& folder)
{
    RecordingPrompt prompt;
    flows::SaveStore(selection, InstallDirectory(folder), prompt, platform::LocalFiles());
}

// The saver makes this beside the folder once its first save is done, so
// that each kill's moment counts from the saving, not from a start that a
// busy machine or a sanitizer makes slow.
std::string StartedMarkOf(const std::string& folder)
{
    return folder + ".started";
}

void WaitUntilSaving(const std::string& folder)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(StartedMarkOf(folder)) &&
           std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

// Starts a process that saves into `folder` over and over, and kills it
// `micros` microseconds after its first save; ten times as long on Windows,
// where a save under Wine takes far longer.
void KillASaverAfter(const std::string& folder, int micros)
{
    std::filesystem::remove(StartedMarkOf(folder));
#ifdef _WIN32
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"" + std::string(self) + "\" save \"" + folder + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &process);
    WaitUntilSaving(folder);
    std::this_thread::sleep_for(std::chrono::microseconds(10 * micros));
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
#else
    const pid_t process = fork();
    if (process == 0)
    {
        execl("/proc/self/exe", "crash_test", "save", folder.c_str(), nullptr);
        _exit(127);
    }
    WaitUntilSaving(folder);
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
    kill(process, SIGKILL);
    waitpid(process, nullptr, 0);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "save")
    {
        Save(kSelections[0], argv[2]);
        std::ofstream(StartedMarkOf(argv[2])).flush();
        for (int i = 1;; i = 1 - i)
            Save(kSelections[i], argv[2]);
    }
    const int kills = argc == 2 ? std::stoi(argv[1]) : 100;

    // What each selection leaves, as the save writes it undisturbed.
    const Install old, made, store;
    Save(kSelections[0], old.Path());
    Save(kSelections[1], made.Path());
    const FileMap before = old.Files(), after = made.Files();
    Save(kSelections[0], store.Path());

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> moment(0, 30000);
    int torn = 0, inWrite = 0;
    for (int kill = 0; kill < kills; ++kill)
    {
        KillASaverAfter(store.Path(), moment(random));
        bool temporaryLeft = false;
        for (const auto& [name, bytes] : store.Files())
        {
            const bool temporary = name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0;
            // Removed once seen, so that each one found was being written
            // when this kill struck.
            if (temporary)
                std::remove(store.PathOf(name).c_str());
            temporaryLeft |= temporary;
            if (!temporary && (!before.count(name) || before.at(name) != bytes) &&
                (!after.count(name) || after.at(name) != bytes))
            {
                std::printf("kill %d: %s is torn: %s\n", kill, name.c_str(), bytes.c_str());
                ++torn;
            }
        }
        inWrite += temporaryLeft;
        for (const auto& [name, bytes] : before)
            if (!store.Exists(name) && after.count(name))
            {
                std::printf("kill %d: %s is lost\n", kill, name.c_str());
                ++torn;
            }
    }
    std::filesystem::remove(StartedMarkOf(store.Path()));
    // Kills that miss every write prove nothing: a tenth at least must
    // strike while a temporary file is being written.
    const bool enough = inWrite * 10 >= kills;
    std::printf("%d kills of a saving process: %d torn or lost store files, %d kills struck "
                "while a temporary file was being written%s\n",
                kills, torn, inWrite, enough ? "" : " (too few: at least a tenth must)");
    return torn == 0 && enough ? 0 : 1;
}
