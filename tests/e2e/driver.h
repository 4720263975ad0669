#pragma once

#include "model/install_directory.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include <windows.h>

// Works the installed program from outside, as a user would. Texts are UTF-8
// here and wide in window messages, which cross processes intact.
namespace e2e
{

// What the tests wait for happens in another process: a bounded poll is the
// only honest wait.
template <class Condition> bool WaitFor(Condition condition, DWORD timeoutMs = 20000)
{
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs; !condition(); Sleep(50))
        if (GetTickCount64() >= deadline)
            return false;
    return true;
}

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// The file's bytes, or "<missing>".
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Every file below a folder, by its relative path, with its bytes.
using FileTree = std::map<std::string, std::string>;
FileTree ReadTree(const std::string& root);
PROCESS_INFORMATION Start(const std::string& commandLine, const char* folder = nullptr);
void StartAndWait(const std::string& commandLine, DWORD timeoutMs);

inline std::string InstalledPath(const std::string& name)
{
    return std::string(kInstallDirectory) + "\\" + name;
}
// Where the test run leaves the installer, the stand-in and the samples.
inline std::string HarnessPath(const std::string& name)
{
    return "C:\\e2e\\" + name;
}

// Two source folders whose names test the batch text ("é" is outside ASCII,
// "%" means something to the interpreter), and a destination.
inline const std::string kSources[] = {"C:\\e2e\\Photos été", "C:\\e2e\\Docs 100%"};
inline const std::string kBackupFolder = "C:\\e2e\\Backup";
// The sample files by source and path below it; each holds its own path.
inline const std::vector<std::pair<int, std::string>> kSamples = {
    {0, "beach.jpg"},           {0, "letter.doc"}, {0, "song.mp3"},
    {0, "Trip\\sunset.jpg"},    {1, "report.doc"}, {1, "data.bin"},
    {1, "Archive 2%\\scan.png"}};
// Makes the sources with their samples, and the destination empty.
void CreateSamples();

// Control ids of the main window.
constexpr int kPictures = 1000, kDocuments = 1003, kSourceList = 1004, kAddFile = 1005,
              kDestination = 1006, kBrowseDestination = 1007, kBackupNow = 1008,
              kAllFileTypes = 1010, kSystemState = 1015, kAddFolder = 1018, kHidden = 1022,
              kModifiedOnly = 1023;

std::string TextOf(HWND window);
// Clicks without waiting for the handler, which may open a modal window.
void Click(HWND dialog, int id);
// Clicks OK and waits for the dialog to close.
void Confirm(HWND dialog);
// A visible dialog that `owner` owns and that has the control `id`, once it opens.
HWND OwnedDialog(HWND owner, int id);
// Clicks each box whose state differs from the wanted one.
void SetBoxes(HWND window, const std::vector<std::pair<int, bool>>& wanted);
// Clicks "Add Folder" or "...." and picks `folder` in the real folder browser.
void ChooseFolder(HWND window, int button, const std::string& folder);

// One run of the installed program, with the stand-in as the command
// interpreter. The process is killed if a test leaves it running.
class Program
{
  public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The visible main window, or null when it never shows.
    HWND Window();
    // The exit status, or STILL_ACTIVE when the process runs on after `timeoutMs`.
    DWORD Exit(DWORD timeoutMs = 20000);
    // Closes the window, or presses Esc in it; the exit status.
    DWORD Close(bool escape = false);

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

// Each test starts from the program freshly installed by the installer under
// test (C:\e2e\setup.exe, silent), with the stand-in as Load.exe.
class Installed : public testing::Test
{
  protected:
    void SetUp() override;
};

} // namespace e2e
