#include "tests/e2e/driver/fixtures.h"

#include "model/install_directory.h"

#include <algorithm>
#include <shlobj.h>
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
    std::istringstream lines(ReadBytes(HarnessPath("starts.log")));
    for (StartRecord record; lines >> record.kind >> record.name >> record.value >> record.time;)
        records.push_back(record);
    return records;
}

// The boxes in the order settings.dat keeps them.
constexpr int kStoredBoxes[] = {kAllFileTypes, kAutoOnShutdown, kBackupOnModify, kPictures,
                                kAudio,        kVideo,          kDocuments,      kHidden,
                                kSystemState,  kModifiedOnly};

bool Contains(const std::vector<int>& boxes, int box)
{
    return std::find(boxes.begin(), boxes.end(), box) != boxes.end();
}

struct SampleFile
{
    int source;
    const char* relative;
    Kind kind;
};

// The one hidden sample.
constexpr const char* kHiddenSample = "secret.txt";
constexpr SampleFile kSampleFiles[] = {
    {0, "beach.jpg", Kind::Picture},
    {0, "logo.PNG", Kind::Picture},
    {0, "letter.doc", Kind::Document},
    {0, "song.mp3", Kind::Audio},
    {0, "clip.avi", Kind::Video},
    {0, "raw.xyz", Kind::Other},
    {0, "Trip\\sunset.jpg", Kind::Picture},
    {0, "Trip\\diary.txt", Kind::Document},
    {1, "report.doc", Kind::Document},
    {1, "todo.txt", Kind::Document},
    {1, kHiddenSample, Kind::Document},
    {1, "tune.mp3", Kind::Audio},
    {1, "data.bin", Kind::Other},
    {1, "Archive 2%\\old.doc", Kind::Document},
    {1, "Archive 2%\\scan.png", Kind::Picture},
};

std::string SampleContent(const SampleFile& file)
{
    return "sample " + std::to_string(file.source) + " " + file.relative + "\r\n";
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
    for (const char* program :
         {"CorvaneBackup.exe", "Uninstall.exe", "Load.exe", "vd.exe", "config.bat"})
        store.erase(program);
    return store;
}

void ClearStartLog()
{
    DeleteFileW(Wide(HarnessPath("starts.log")).c_str());
}

std::string StartsInOrder()
{
    std::vector<StartRecord> records = ReadStartRecords();
    std::stable_sort(records.begin(), records.end(),
                     [](const StartRecord& a, const StartRecord& b) { return a.time < b.time; });
    std::vector<std::string> starts;
    for (const StartRecord& record : records)
        if (record.kind == "started")
            starts.push_back(record.name + ":" + std::to_string(record.value));
    return Join(starts);
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
    return ReadBytes(HarnessPath("started\\" + name));
}

std::string SettingsFor(const std::vector<int>& tickedBoxes)
{
    std::string settings;
    for (int box : kStoredBoxes)
        settings += Contains(tickedBoxes, box) ? "1;" : "0;";
    return settings;
}

std::string SourceListFor(const std::vector<std::string>& sources)
{
    std::string list;
    for (const std::string& source : sources)
        list += Ansi(source) + "\r\n";
    return list;
}

std::string ModBatchFor(const std::string& destination)
{
    const std::string quoted = "\"" + Ansi(destination) + "\"";
    std::string batch = "xcopy /m /d /y /s /C /I  \"C:\\Documents and Settings\" " + quoted;
    for (char drive = 'C'; drive <= 'Z'; ++drive)
        batch += std::string("\r\nxcopy /m /d /y /s /C /I  ") + drive + ":\\ " + quoted;
    return batch;
}

void SeedStore(const std::vector<std::string>& sources, const std::string& destination,
               const std::vector<int>& tickedBoxes)
{
    WriteBytes(InstalledPath("filestobackup.bck"), SourceListFor(sources));
    WriteBytes(InstalledPath("data.dat"), Ansi(destination));
    WriteBytes(InstalledPath("settings.dat"), SettingsFor(tickedBoxes));
}

void ApplyOptions(HWND window, const std::vector<std::pair<int, bool>>& wanted)
{
    for (const auto& [box, ticked] : wanted)
    {
        if (IsTicked(window, box) != ticked)
            Click(window, box);
        Expect(IsTicked(window, box) == ticked,
               "box " + std::to_string(box) + (ticked ? " ticked" : " unticked") + " by a click");
    }
}

void ExpectOptions(HWND window, const std::vector<int>& tickedBoxes,
                   const std::vector<int>& lockedBoxes)
{
    for (int box : kStoredBoxes)
    {
        const bool ticked = Contains(tickedBoxes, box);
        const bool enabled = !Contains(lockedBoxes, box);
        Expect(IsTicked(window, box) == ticked,
               "box " + std::to_string(box) + " is " + (ticked ? "ticked" : "unticked"));
        Expect(IsEnabled(window, box) == enabled,
               "box " + std::to_string(box) + " is " + (enabled ? "enabled" : "disabled"));
    }
}

void CreateSamples()
{
    for (const SampleFile& file : kSampleFiles)
    {
        const std::string path = kSources[file.source] + "\\" + file.relative;
        SHCreateDirectoryExW(nullptr, Wide(path.substr(0, path.rfind('\\'))).c_str(), nullptr);
        WriteBytes(path, SampleContent(file));
        if (file.relative == std::string(kHiddenSample))
            SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    SHCreateDirectoryExW(nullptr, Wide(kBackupFolder).c_str(), nullptr);
}

FileTree ExpectedCopies(const std::vector<Kind>& kinds)
{
    FileTree tree;
    for (const SampleFile& file : kSampleFiles)
        if (std::find(kinds.begin(), kinds.end(), file.kind) != kinds.end())
            tree[file.relative] = SampleContent(file);
    return tree;
}

} // namespace e2e
