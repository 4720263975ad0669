#include "tests/e2e/driver.h"

#include <commctrl.h>
#include <filesystem>
#include <fstream>
#include <shlobj.h>

namespace e2e
{
namespace fs = std::filesystem;

std::wstring Wide(const std::string& utf8)
{
    return fs::u8path(utf8).wstring();
}

std::string Utf8(const std::wstring& wide)
{
    return fs::path(wide).u8string();
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(fs::u8path(path), std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(fs::u8path(path), std::ios::binary) << bytes;
}

bool Exists(const std::string& path)
{
    return fs::exists(fs::u8path(path));
}

FileTree ReadTree(const std::string& root)
{
    FileTree tree;
    std::error_code missing;
    for (const auto& entry : fs::recursive_directory_iterator(fs::u8path(root), missing))
        if (entry.is_regular_file())
            tree[entry.path().lexically_relative(fs::u8path(root)).u8string()] =
                ReadBytes(entry.path().u8string());
    return tree;
}

PROCESS_INFORMATION Start(const std::string& commandLine, const char* folder)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = Wide(commandLine);
    EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder ? Wide(folder).c_str() : nullptr, &startup, &process))
        << commandLine;
    return process;
}

void StartAndWait(const std::string& commandLine, DWORD timeoutMs)
{
    const PROCESS_INFORMATION process = Start(commandLine);
    WaitForSingleObject(process.hProcess, timeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void CreateSamples()
{
    for (const auto& [source, path] : kSamples)
    {
        fs::create_directories(fs::u8path(kSources[source] + "\\" + path).parent_path());
        WriteBytes(kSources[source] + "\\" + path, path);
    }
    fs::create_directory(fs::u8path(kBackupFolder));
}

std::string TextOf(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

void Click(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    EXPECT_TRUE(IsWindowVisible(control) && IsWindowEnabled(control)) << "control " << id;
    SendNotifyMessageW(control, BM_CLICK, 0, 0);
}

void Confirm(HWND dialog)
{
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stays open";
}

HWND OwnedDialog(HWND owner, int id)
{
    HWND found = nullptr;
    WaitFor([&] {
        while ((found = FindWindowExW(nullptr, found, L"#32770", nullptr)))
            if (GetWindow(found, GW_OWNER) == owner && IsWindowVisible(found) &&
                GetDlgItem(found, id))
                return true;
        return false;
    });
    return found;
}

void SetBoxes(HWND window, const std::vector<std::pair<int, bool>>& wanted)
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

void ChooseFolder(HWND window, int button, const std::string& folder)
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

Program::Program()
{
    SetEnvironmentVariableW(L"COMSPEC", Wide(HarnessPath("e2e_stand_in.exe")).c_str());
    m_process = Start("\"" + InstalledPath("CorvaneBackup.exe") + "\"", kInstallDirectory);
}

Program::~Program()
{
    if (Exit(0) == STILL_ACTIVE)
        TerminateProcess(m_process.hProcess, 1);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND Program::Window()
{
    if (!IsWindow(m_window))
        WaitFor([&] {
            HWND found = FindWindowW(L"#32770", L"Corvane Backup");
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            m_window = owner == m_process.dwProcessId && IsWindowVisible(found) ? found : nullptr;
            return m_window || Exit(0) != STILL_ACTIVE;
        });
    return m_window;
}

DWORD Program::Exit(DWORD timeoutMs)
{
    DWORD status = STILL_ACTIVE;
    WaitForSingleObject(m_process.hProcess, timeoutMs);
    GetExitCodeProcess(m_process.hProcess, &status);
    return status;
}

DWORD Program::Close(bool escape)
{
    HWND window = Window();
    if (!escape)
        SendNotifyMessageW(window, WM_CLOSE, 0, 0);
    else
    {
        // The key goes where the user's would: to the control that has the focus.
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
        HWND target = thread.hwndFocus ? thread.hwndFocus : window;
        PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    }
    return Exit();
}

void Installed::SetUp()
{
    StartAndWait("\"" + HarnessPath("setup.exe") + "\" /S", 120000);
    ASSERT_TRUE(Exists(InstalledPath("CorvaneBackup.exe"))) << "the installer installed nothing";
    fs::copy_file(fs::u8path(HarnessPath("e2e_stand_in.exe")),
                  fs::u8path(InstalledPath("Load.exe")));
}

} // namespace e2e
