#pragma once

#include "load/load_resource.h"
#include "model/install_directory.h"
#include "res/resource.h"
#include "tests/win/wait_and_text.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include <windows.h>
// These two need the types of windows.h.
#include <commctrl.h>
#include <shlobj.h>

// Works the installed program from outside, as a user would. Texts are UTF-8
// here and wide in window messages, which cross processes intact.
namespace e2e
{
namespace fs = std::filesystem;

inline std::wstring Wide(const std::string& utf8)
{
    return fs::u8path(utf8).wstring();
}

// The file's bytes, or "<missing>".
inline std::string ReadBytes(const std::string& path)
{
    std::ifstream file(fs::u8path(path), std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(fs::u8path(path), std::ios::binary) << bytes;
}

// Every file below a folder, by its relative path, with its bytes.
using FileTree = std::map<std::string, std::string>;
inline FileTree ReadTree(const std::string& root)
{
    FileTree tree;
    std::error_code missing;
    for (const auto& entry : fs::recursive_directory_iterator(fs::u8path(root), missing))
        if (entry.is_regular_file())
            tree[entry.path().lexically_relative(fs::u8path(root)).u8string()] =
                ReadBytes(entry.path().u8string());
    return tree;
}

inline std::string InstalledPath(const std::string& name)
{
    return std::string(kInstallDirectory) + "\\" + name;
}

// Where the test run leaves the installer, the stand-in and the samples.
inline const std::string kHarness = "C:\\e2e\\";

// Two source folders whose names test the batch text ("é" is outside ASCII,
// "%" means something to the interpreter) and end alike, and a destination.
inline const std::string kSources[] = {"C:\\e2e\\Photos été\\Docs 100%", "C:\\e2e\\Docs 100%"};
inline const std::string kBackupFolder = "C:\\e2e\\Backup";
// The sample files by source and path below it; both sources hold a
// "letter.doc", and each sample holds its source and its path. Four are named
// in alphabets that no Western code page holds, one beyond the Basic
// Multilingual Plane.
inline const std::vector<std::pair<int, std::string>> kSamples = {
    {0, "beach.jpg"},        {0, "letter.doc"},
    {0, "song.mp3"},         {0, "Trip\\sunset.jpg"},
    {0, "Отчёт за год.doc"}, {0, "Trip\\🙂 smile.jpg"},
    {1, "letter.doc"},       {1, "report.doc"},
    {1, "data.bin"},         {1, "Archive 2%\\scan.png"},
    {1, "Ελληνικά.doc"},     {1, "日本語の文書.doc"}};

inline std::string SampleText(int source, const std::string& path)
{
    return std::to_string(source) + " " + path;
}

// Where a sample is copied to in the destination: below the mirror of its
// source's path, "C:\\e2e\\..." in "C\\e2e\\...".
inline std::string CopyOf(int source, const std::string& path)
{
    return "C" + kSources[source].substr(2) + "\\" + path;
}

// The copies of the samples that are pictures or documents (all but the song
// and the data), by their paths in the destination; the two letters of one
// name are both kept.
inline FileTree PictureAndDocumentCopies()
{
    FileTree copies;
    for (const auto& [source, path] : kSamples)
        if (path != "song.mp3" && path != "data.bin")
            copies[CopyOf(source, path)] = SampleText(source, path);
    return copies;
}

inline const std::string kBackupId = "backup id.txt";

// The text of the destination's one report, which is then removed (the
// backup's id stays); "" when there is none. A report is UTF-8: it begins
// with a byte-order mark, left out here.
inline std::string TakeReport(const std::string& destination = kBackupFolder)
{
    const std::string reports = destination + "\\Corvane Backup reports";
    std::string report;
    // The agent may be writing a report this moment, through a temporary file
    // beside it: the folder is taken once it holds whole reports only.
    WaitFor([&] {
        report.clear();
        const FileTree tree = ReadTree(reports);
        for (const auto& file : tree)
            if (fs::u8path(file.first).extension() == ".tmp")
                return false;
        for (const auto& [name, text] : tree)
        {
            if (name == kBackupId)
                continue;
            report = text;
            std::error_code busy;
            if (!fs::remove(fs::u8path(reports + "\\" + name), busy) || busy)
                return false;
        }
        return true;
    });
    const std::string mark = "\xEF\xBB\xBF";
    if (report.empty())
        return report;
    EXPECT_EQ(report.rfind(mark, 0), 0u) << "no byte-order mark: " << report;
    return report.substr(mark.size());
}

// The copies in the destination: everything but the backup's own reports.
inline FileTree Copies(const std::string& destination = kBackupFolder)
{
    FileTree copies = ReadTree(destination);
    copies.erase(copies.lower_bound("Corvane Backup reports\\"),
                 copies.lower_bound("Corvane Backup reports]"));
    return copies;
}

// Replaces a file's bytes and dates it an hour after its old write time.
inline void RewriteNewer(const std::string& path, const std::string& bytes)
{
    const auto time = fs::last_write_time(fs::u8path(path));
    WriteBytes(path, bytes);
    fs::last_write_time(fs::u8path(path), time + std::chrono::hours(1));
}

// Makes the sources with their samples, and the destination empty.
inline void CreateSamples()
{
    for (const auto& [source, path] : kSamples)
    {
        fs::create_directories(fs::u8path(kSources[source] + "\\" + path).parent_path());
        WriteBytes(kSources[source] + "\\" + path, SampleText(source, path));
    }
    fs::create_directory(fs::u8path(kBackupFolder));
}

// Clicks without waiting for the handler, which may open a modal window.
inline void Click(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    EXPECT_TRUE(IsWindowVisible(control) && IsWindowEnabled(control)) << "control " << id;
    SendNotifyMessageW(control, BM_CLICK, 0, 0);
}

inline void Confirm(HWND dialog)
{
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stays open";
}

// A visible dialog that `owner` owns (null: none, as a box of another
// program has, but not the main window) with the control `id`, and with
// `caption` where one is given, once it opens.
inline HWND OwnedDialog(HWND owner, int id, const wchar_t* caption = nullptr)
{
    HWND found = nullptr;
    WaitFor([&] {
        while ((found = FindWindowExW(nullptr, found, L"#32770", caption)))
            if (GetWindow(found, GW_OWNER) == owner && IsWindowVisible(found) &&
                GetDlgItem(found, id) && !GetDlgItem(found, IDC_BACKUP_NOW))
                return true;
        return false;
    });
    return found;
}

// Clicks each box whose state differs from the wanted one.
inline void SetBoxes(HWND window, const std::vector<std::pair<int, bool>>& wanted)
{
    for (const auto& [box, ticked] : wanted)
    {
        const auto shows = [&, box = box, ticked = ticked] {
            return (IsDlgButtonChecked(window, box) == BST_CHECKED) == ticked;
        };
        if (!shows())
            Click(window, box);
        EXPECT_TRUE(WaitFor(shows)) << "box " << box;
    }
}

// Clicks "Add Folder" or "...." and picks `folder` in the real folder browser.
inline void ChooseFolder(HWND window, int button, const std::string& folder)
{
    constexpr int kFolderTree = 0x3741;
    Click(window, button);
    HWND dialog = OwnedDialog(window, kFolderTree);
    ASSERT_TRUE(dialog) << "no folder browser";
    // The browser takes a path only as a pointer into the program's own memory.
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    const std::wstring path = Wide(folder);
    const SIZE_T size = (path.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, path.c_str(), size, nullptr);
    HWND tree = GetDlgItem(dialog, kFolderTree);
    const LRESULT shown = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    // The browser may still be filling its tree when it first shows: ask
    // again until the selection has moved.
    EXPECT_TRUE(WaitFor([&] {
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
        return SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != shown;
    })) << folder;
    Confirm(dialog);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
}

// Both sources and the destination, chosen in the real folder browser, with
// Pictures and Documents ticked; not the system folder: here it is the whole
// Windows of the prefix.
inline void ChoosePicturesAndDocuments(HWND window)
{
    for (const std::string& source : kSources)
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, IDC_ADD_FOLDER, source));
    ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, IDC_BROWSE_DESTINATION, kBackupFolder));
    SetBoxes(window, {{IDC_ALL_FILE_TYPES, false},
                      {IDC_SYSTEM_STATE, false},
                      {IDC_PICTURES, true},
                      {IDC_DOCUMENTS, true}});
}

// One run of a program, by default the installed one as the Start menu
// starts it. The process is killed if a test leaves it running.
class Program
{
  public:
    explicit Program(const std::string& commandLine = '"' + InstalledPath("CorvaneBackup.exe") +
                                                      '"')
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring line = Wide(commandLine);
        EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &m_process))
            << commandLine;
    }
    ~Program()
    {
        if (Exit(0) == STILL_ACTIVE)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The visible main window, or null when it never shows.
    HWND Window()
    {
        if (!IsWindow(m_window))
            WaitFor([&] {
                HWND found = FindWindowW(L"#32770", L"Corvane Backup");
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                m_window =
                    owner == m_process.dwProcessId && IsWindowVisible(found) ? found : nullptr;
                return m_window || Exit(0) != STILL_ACTIVE;
            });
        return m_window;
    }

    // The exit status, or STILL_ACTIVE when the process runs on after `timeoutMs`.
    DWORD Exit(DWORD timeoutMs = 20000)
    {
        DWORD status = STILL_ACTIVE;
        WaitForSingleObject(m_process.hProcess, timeoutMs);
        GetExitCodeProcess(m_process.hProcess, &status);
        return status;
    }

    // Closes the window, or presses Esc in it; the exit status.
    DWORD Close(bool escape = false)
    {
        HWND window = Window();
        // Esc goes where the user's key would: to the control that has the focus.
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
        if (escape)
            PostMessageW(thread.hwndFocus ? thread.hwndFocus : window, WM_KEYDOWN, VK_ESCAPE, 1);
        else
            SendNotifyMessageW(window, WM_CLOSE, 0, 0);
        return Exit();
    }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

// The text of a message box with `caption` that `owner` owns (null: one of
// another program), once it shows; answered with `button`.
inline std::string AnswerMessageBox(HWND owner, const wchar_t* caption, int button = IDOK)
{
    constexpr int kText = 0xFFFF;
    HWND box = OwnedDialog(owner, kText, caption);
    const std::string text = box ? Text(box, kText) : "<no message box>";
    Click(box, button);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    return text;
}

// An elevated start hands the agent over through the desktop's shell, which
// may take two tries of ten seconds each on a busy machine.
inline constexpr DWORD kAgentStartMs = 60000;

// Whether the resident agent runs: its hidden window is there.
inline bool AgentRuns()
{
    return FindWindowW(L"CorvaneBackupAgent", nullptr) != nullptr;
}

// Presses "Backup Now": the program ends with status 0, having started
// backup.bat hidden and the monitor, whose window shows. The stand-in records
// each start as an empty file named "<creation time> <name> <show state>".
inline void StartBackup(Program& program)
{
    fs::remove_all(kHarness + "starts");
    Click(program.Window(), IDC_BACKUP_NOW);
    EXPECT_EQ(program.Exit(), 0u);
    ASSERT_TRUE(WaitFor([] { return FindWindowW(L"#32770", L"Corvane Backup Monitor"); }));
    const FileTree starts = ReadTree(kHarness + "starts");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts.begin()->first.substr(starts.begin()->first.find(' ') + 1), "backup.bat 0");
}

// Once the batch has run to its end and erased itself: the monitor's top line
// is the report's first line (its list is the verdict's, as MonitorWindow
// shows). Closes the monitor; the report's text.
inline std::string Verdict(const std::string& destination = kBackupFolder)
{
    HWND monitor = FindWindowW(L"#32770", L"Corvane Backup Monitor");
    std::string top;
    EXPECT_TRUE(WaitFor(
        [&] { return (top = Text(monitor, IDC_HEADLINE)).find("files were") != std::string::npos; },
        120000));
    EXPECT_FALSE(fs::exists(InstalledPath("backup.bat")));
    const std::string report = TakeReport(destination);
    EXPECT_EQ(report.find(top + "\r\n"), 0u) << report;
    // scripts/screenshots takes a screenshot of a monitor that names a file.
    if (std::getenv("E2E_SCREENSHOT") && report.find('\t') != std::string::npos)
    {
        WriteBytes(kHarness + "monitor-ready", "");
        EXPECT_TRUE(WaitFor([] { return fs::exists(kHarness + "monitor-taken"); }, 60000));
    }
    Click(monitor, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(monitor); }));
    return report;
}

// Each test starts from the program freshly installed by the installer under
// test (C:\e2e\setup.exe, silent), with its real companions and the stand-in
// as the command interpreter of the programs it starts.
class Installed : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(Program('"' + kHarness + "setup.exe\" /S").Exit(120000), 0u);
        ASSERT_TRUE(fs::exists(InstalledPath("CorvaneBackup.exe"))) << "nothing was installed";
        SetEnvironmentVariableW(L"COMSPEC", Wide(kHarness + "e2e_stand_in.exe").c_str());
    }
};

} // namespace e2e
