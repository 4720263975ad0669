#include "tests/e2e/driver/window.h"

#include "model/install_directory.h"
#include "tests/e2e/companion/start_record.h"
#include "tests/e2e/driver/fixtures.h"

#include <commctrl.h>
#include <shlobj.h>

namespace e2e
{

namespace
{

constexpr DWORD kDialogTimeoutMs = 20000;
// The static control that carries a message box's text.
constexpr int kMessageTextId = 0xFFFF;
// The file dialog's name box and file-type box.
constexpr int kFileNameBox = 0x47c;
constexpr int kFileTypeBox = 0x470;

bool IsMessageBox(HWND dialog)
{
    return GetDlgItem(dialog, kMessageTextId) != nullptr;
}

// A visible dialog that `owner` owns (message box, file or folder dialog).
template <class Matches> HWND OwnedDialog(HWND owner, Matches matches)
{
    for (HWND dialog = nullptr; (dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr));)
        if (GetWindow(dialog, GW_OWNER) == owner && IsWindowVisible(dialog) && matches(dialog))
            return dialog;
    return nullptr;
}

template <class Matches> HWND WaitForDialog(HWND owner, const std::string& what, Matches matches)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = OwnedDialog(owner, matches)) != nullptr; }, kDialogTimeoutMs);
    Require(found != nullptr, what + " opens");
    return found;
}

void Confirm(HWND dialog, const std::string& what)
{
    Click(dialog, IDOK);
    Require(WaitFor([&] { return !IsWindow(dialog); }, kDialogTimeoutMs), what + " closes on OK");
}

void SetText(HWND control, const std::string& text)
{
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

HWND Tree(HWND dialog)
{
    return FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
}

void ChooseFolder(HWND window, int button, const std::string& title, const std::string& path)
{
    Click(window, button);
    HWND dialog = WaitForDialog(window, "the folder browser", Tree);
    Expect(FindWindowExW(dialog, nullptr, nullptr, Wide(title).c_str()) != nullptr,
           "the folder browser shows \"" + title + "\"");
    // The browser takes a path only as a pointer into the program's own memory.
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    const std::wstring wide = Wide(path);
    const SIZE_T size = (wide.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    Require(WriteProcessMemory(process, remote, wide.c_str(), size, nullptr),
            "the path reaches the program's memory");
    const LRESULT shown = SendMessageW(Tree(dialog), TVM_GETNEXTITEM, TVGN_CARET, 0);
    // The browser may still be filling its tree when it first shows: ask
    // again until the selection has moved.
    Require(WaitFor([&] {
                SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
                return SendMessageW(Tree(dialog), TVM_GETNEXTITEM, TVGN_CARET, 0) != shown;
            }),
            "the folder browser selects " + path);
    Confirm(dialog, "the folder browser");
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
}

} // namespace

std::string TextOf(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

void Click(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    Require(IsWindowVisible(control) && IsWindowEnabled(control),
            "control " + std::to_string(id) + " can be clicked (visible and enabled)");
    SendNotifyMessageW(control, BM_CLICK, 0, 0);
}

bool IsTicked(HWND dialog, int id)
{
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::string SourceList(HWND window)
{
    std::vector<std::string> entries;
    const LRESULT count = SendDlgItemMessageW(window, kSourceList, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index)
    {
        wchar_t text[1024] = {};
        SendDlgItemMessageW(window, kSourceList, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
        entries.push_back(Utf8(text));
    }
    return Join(entries);
}

void SelectSource(HWND window, int index)
{
    HWND list = GetDlgItem(window, kSourceList);
    const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    // A click in the middle of the entry, so that the list notifies its owner.
    const LPARAM point = MAKELPARAM(4, (index - top) * height + height / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
    Require(WaitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == index; }),
            "a click selects entry " + std::to_string(index));
}

void AnswerMessageBox(HWND owner, const std::string& caption, const std::string& text, int answer)
{
    HWND box = WaitForDialog(owner, "a message box", IsMessageBox);
    ExpectEqual(TextOf(box), caption, "message box caption");
    ExpectEqual(TextOf(GetDlgItem(box, kMessageTextId)), text, "message box text");
    const bool yesNo = answer == IDYES || answer == IDNO;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
    {
        const bool wanted = yesNo ? id == IDYES || id == IDNO : id == IDOK;
        Expect((IsWindowVisible(GetDlgItem(box, id)) != FALSE) == wanted,
               "message box button " + std::to_string(id) + (wanted ? " shown" : " not shown"));
    }
    Click(box, answer);
    Require(WaitFor([&] { return !IsWindow(box); }), "the message box closes after the answer");
}

bool NoMessageBox(HWND owner)
{
    return !WaitFor([&] { return OwnedDialog(owner, IsMessageBox) != nullptr; }, 1000);
}

void AddSourceFolder(HWND window, const std::string& folder)
{
    const std::string before = SourceList(window);
    ChooseFolder(window, kAddFolder, "Folder To Backup:", folder);
    const std::string after = before.empty() ? folder : before + ", " + folder;
    Require(WaitFor([&] { return SourceList(window) == after; }, 5000),
            "Add Folder adds " + folder + " as the last entry");
}

void ChooseDestination(HWND window, const std::string& folder)
{
    ChooseFolder(window, kBrowseDestination, "Backup To:", folder);
    Require(WaitFor([&] { return TextOf(GetDlgItem(window, kDestination)) == folder; }, 5000),
            "the destination shows the chosen folder");
}

void AddFileThroughDialog(HWND window, const std::string& folder, int listed,
                          const std::string& file)
{
    Click(window, kAddFile);
    HWND dialog = WaitForDialog(window, "the file dialog",
                                [](HWND candidate) { return GetDlgItem(candidate, kFileNameBox); });
    ExpectEqual(TextOf(GetDlgItem(dialog, kFileTypeBox)), "AllFiles (*.*)", "the file type");
    SetText(GetDlgItem(dialog, kFileNameBox), folder);
    Click(dialog, IDOK);
    LRESULT shown = -1;
    WaitFor(
        [&] {
            HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
            HWND list = view ? FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
            shown = list ? SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) : -1;
            return shown == listed;
        },
        kDialogTimeoutMs);
    ExpectEqual(std::to_string(shown), std::to_string(listed), "names listed in " + folder);
    SetText(GetDlgItem(dialog, kFileNameBox), file);
    Confirm(dialog, "the file dialog");
}

Program::Program()
{
    const std::wstring recorder = std::wstring(kHarnessFolder) + L"\\cmd-recorder.exe";
    SetEnvironmentVariableW(L"COMSPEC", recorder.c_str());
    const std::wstring path = Wide(InstalledPath("CorvaneBackup.exe"));
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   Wide(kInstallDirectory).c_str(), &startup, &m_process);
}

Program::~Program()
{
    // A case that failed half-way must not leave the window behind for the next.
    if (!WaitForExit(0))
        TerminateProcess(m_process.hProcess, 1);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND Program::Window()
{
    Require(m_process.hProcess != nullptr, "the installed program starts");
    if (!IsWindow(m_window))
        WaitFor(
            [&] {
                HWND found = FindWindowW(L"#32770", L"Corvane Backup");
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                m_window =
                    owner == m_process.dwProcessId && IsWindowVisible(found) ? found : nullptr;
                return m_window || WaitForExit(0);
            },
            30000);
    Require(m_window != nullptr, "the main window \"Corvane Backup\" appears");
    return m_window;
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs)
{
    DWORD status = 0;
    if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    GetExitCodeProcess(m_process.hProcess, &status);
    return status;
}

void Program::ExpectEnds(const std::string& after)
{
    const std::optional<DWORD> status = WaitForExit(20000);
    Require(status.has_value(), "the program ends after " + after);
    ExpectEqual(std::to_string(*status), "0", "exit status after " + after);
}

void Program::Close(bool escape)
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
    ExpectEnds(escape ? "Esc" : "close");
}

} // namespace e2e
