#include "companions/backup_folder.h"
#include "model/backup_folders.h"
#include "platform/path_text.h"
#include "store/store_file.h"
#include "store/store_formats.h"
#include "tests/fuzz/fuzz_store.h"

// The backup's id file as a share others write to may hold it. Whatever it
// holds, this computer is added without losing an id another computer reads
// there, and the folder is then this computer's.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FakeFiles files;
    const std::string destination = P("/d");
    const std::string reports = platform::JoinPath(destination, kReportsFolder);
    const std::string held(reinterpret_cast<const char*>(data), size);
    files.MakeFolders(reports);
    const std::string idFile = platform::JoinPath(reports, companions::kBackupIdFile);
    files.Replace(idFile, held);
    // The lines as every reader of the file sees them.
    const std::vector<std::string> lines = store::ParseSourceList(store::Read(idFile, files).text);

    const platform::Computer computer{"{ours}", "HERE"};
    companions::MarkOf(destination, computer.id, files);
    Expect(companions::MarkAsOurs(destination, computer, files), "the folder is marked");
    for (size_t id = 0; id < lines.size(); id += 2)
        Expect(lines[id].empty() || companions::MarkOf(destination, lines[id], files) ==
                                        companions::FolderMark::Ours,
               "every other computer's id is kept");
    Expect(companions::MarkOf(destination, computer.id, files) == companions::FolderMark::Ours,
           "the folder is this computer's");
    return 0;
}
