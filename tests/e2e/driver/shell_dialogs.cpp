#include "tests/e2e/driver/shell_dialogs.h"

#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/text.h"
#include "tests/e2e/driver/wait.h"

#include <commctrl.h>
#include <shlobj.h>

namespace e2e
{

namespace
{

constexpr DWORD kDialogTimeoutMs = 20000;
// The file dialog's name box and file-type box.
constexpr int kFileNameBox = 0x47c;
constexpr int kFileTypeBox = 0x470;

struct ChildSearch
{
    std::string className;
    HWND found;
};

BOOL CALLBACK FindChildOfClass(HWND child, LPARAM parameter)
{
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    if (ClassOf(child) != search->className)
        return TRUE;
    search->found = child;
    return FALSE;
}

HWND ChildOfClass(HWND parent, const std::string& className)
{
    ChildSearch search{className, nullptr};
    EnumChildWindows(parent, FindChildOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForOwnedDialogWith(HWND owner, const std::string& what, bool (*matches)(HWND),
                            Checker& checker)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND dialog : OwnedDialogs(owner))
                if (matches(dialog))
                    found = dialog;
            return found != nullptr;
        },
        kDialogTimeoutMs);
    checker.Require(found != nullptr, what + " opens");
    return found;
}

void ConfirmAndWaitClosed(HWND dialog, const std::string& what, Checker& checker)
{
    HWND ok = GetDlgItem(dialog, IDOK);
    checker.Require(ok != nullptr, what + " has an OK button");
    SendNotifyMessageW(ok, BM_CLICK, 0, 0);
    checker.Require(WaitFor([&] { return !IsWindow(dialog); }, kDialogTimeoutMs),
                    what + " closes after OK");
}

// The folder browser takes a selection by path only as a pointer into the
// program's own memory.
class RemoteText
{
  public:
    RemoteText(HWND window, const std::wstring& text)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
        const SIZE_T size = (text.size() + 1) * sizeof(wchar_t);
        if (m_process)
            m_address =
                VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (m_address)
            WriteProcessMemory(m_process, m_address, text.c_str(), size, nullptr);
    }
    ~RemoteText()
    {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteText(const RemoteText&) = delete;
    RemoteText& operator=(const RemoteText&) = delete;

    void* Address() const { return m_address; }

  private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

HWND WaitForFileDialog(HWND owner, Checker& checker)
{
    return WaitForOwnedDialogWith(
        owner, "the file dialog",
        [](HWND candidate) { return GetDlgItem(candidate, kFileNameBox) != nullptr; }, checker);
}

} // namespace

void ExpectFileDialogLists(HWND owner, const std::string& folder, int entries, Checker& checker)
{
    HWND dialog = WaitForFileDialog(owner, checker);
    SendMessageW(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(Wide(folder).c_str()));
    SendNotifyMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    LRESULT listed = -1;
    WaitFor(
        [&] {
            HWND list = ChildOfClass(dialog, "SysListView32");
            listed = list ? SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) : -1;
            return listed == entries;
        },
        kDialogTimeoutMs);
    checker.ExpectEqual(listed, entries, "names the file dialog lists in " + folder);
}

void ChooseFile(HWND owner, const std::string& path, Checker& checker)
{
    HWND dialog = WaitForFileDialog(owner, checker);
    checker.ExpectEqual(TextOf(GetDlgItem(dialog, kFileTypeBox)), "AllFiles (*.*)",
                        "the file dialog's file type");
    SendMessageW(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(Wide(path).c_str()));
    ConfirmAndWaitClosed(dialog, "the file dialog", checker);
}

void ChooseFolder(HWND owner, const std::string& title, const std::string& path, Checker& checker)
{
    HWND dialog = WaitForOwnedDialogWith(
        owner, "the folder browser",
        [](HWND candidate) { return ChildOfClass(candidate, "SysTreeView32") != nullptr; },
        checker);
    bool titled = false;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        titled = titled || TextOf(child) == title;
    checker.Expect(titled, "the folder browser shows \"" + title + "\"");
    RemoteText remote(dialog, Wide(path));
    checker.Require(remote.Address() != nullptr, "the path reaches the program's memory");
    HWND tree = ChildOfClass(dialog, "SysTreeView32");
    const LRESULT shown = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    // The browser may still be filling its tree when it first shows: ask
    // again until the selection has moved.
    checker.Require(WaitFor(
                        [&] {
                            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                                         reinterpret_cast<LPARAM>(remote.Address()));
                            return SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != shown;
                        },
                        kDialogTimeoutMs),
                    "the folder browser selects " + path);
    ConfirmAndWaitClosed(dialog, "the folder browser", checker);
}

void AddSourceFolder(HWND window, const std::string& folder, Checker& checker)
{
    const size_t before = ListEntries(window, kSourceList).size();
    Click(window, kAddFolder, checker);
    ChooseFolder(window, "Folder To Backup:", folder, checker);
    checker.Require(
        WaitFor([&] { return ListEntries(window, kSourceList).size() == before + 1; }, 5000),
        "Add Folder adds one entry");
    checker.ExpectEqual(ListEntries(window, kSourceList).back(), folder,
                        "the entry Add Folder added");
}

void ChooseDestination(HWND window, const std::string& folder, Checker& checker)
{
    Click(window, kBrowseDestination, checker);
    ChooseFolder(window, "Backup To:", folder, checker);
    checker.Require(
        WaitFor([&] { return TextOf(GetDlgItem(window, kDestination)) == folder; }, 5000),
        "the destination shows the chosen folder");
}

} // namespace e2e
