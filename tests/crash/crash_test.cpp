// Kills a process that saves a selection over and over, at random moments,
// and checks after each kill that every store file holds its old text or its
// new text, byte for byte, and that nothing else but leftover temporary files
// lies beside them. A leftover temporary file shows that the kill struck
// inside a write: at least a tenth of the kills must.
//   crash_test KILLS      the test: prints the counts, fails on a torn file or
//                         too few kills inside a write
//   crash_test save DIR   the saver it starts and kills
#include "flows/save_store.h"
#include "tests/crash/killed_process.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

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
        KillAWorkerAfter({"save", store.Path()}, moment(random));
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
