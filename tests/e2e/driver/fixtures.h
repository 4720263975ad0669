#pragma once

#include "tests/e2e/driver/window.h"

// The test prefix as the cases find it: the program installed by its
// installer, the stand-in companions beside it, and the harness folder C:\e2e
// with the batch recorder, the start log and the sample files.
namespace e2e
{

std::string InstalledPath(const std::string& name);
std::string HarnessPath(const std::string& name);
// The files the program reads and writes: every file in its install
// directory but the programs.
FileTree StoreSnapshot();

void ClearStartLog();
// "name:show" of each start recorded, in the order the processes were created.
std::string StartsInOrder();
// Waits until the batch `name` has ended; its exit status, or -1 on timeout.
long WaitForBatchEnd(const std::string& name, DWORD timeoutMs);
// The text of the last batch `name` that was run, as it was when it started.
std::string BatchAsStarted(const std::string& name);

// The store files as the program writes them: settings.dat for the boxes
// ticked, filestobackup.bck in ANSI bytes, mod.bat for the destination.
std::string SettingsFor(const std::vector<int>& tickedBoxes);
std::string SourceListFor(const std::vector<std::string>& sources);
std::string ModBatchFor(const std::string& destination);
// Writes the three store files the program loads at start-up.
void SeedStore(const std::vector<std::string>& sources, const std::string& destination,
               const std::vector<int>& tickedBoxes);
// Clicks each box whose state differs from the wanted one.
void ApplyOptions(HWND window, const std::vector<std::pair<int, bool>>& wanted);
// Checks every option box: ticked as listed, and enabled unless listed as locked.
void ExpectOptions(HWND window, const std::vector<int>& tickedBoxes,
                   const std::vector<int>& lockedBoxes);

// Two source folders of sample files whose names test the batch text: one
// holds "é" (outside ASCII), the other "%" (special to the interpreter).
inline const std::vector<std::string> kSources = {"C:\\e2e\\samples\\Photos été",
                                                  "C:\\e2e\\samples\\Docs 100%"};
inline const std::string kBackupFolder = "C:\\e2e\\Backup";
enum class Kind
{
    Picture,
    Audio,
    Video,
    Document,
    Other
};
inline const std::vector<Kind> kEveryKind = {Kind::Picture, Kind::Audio, Kind::Video,
                                             Kind::Document, Kind::Other};
// Creates both folders with every sample file, and an empty destination.
void CreateSamples();
// The destination after a backup of these kinds: the copies from both sources
// side by side, by their paths relative to their source.
FileTree ExpectedCopies(const std::vector<Kind>& kinds);

} // namespace e2e
