// The restore window in-process, over a backup generated in a temporary
// folder: the tree it shows, the filter, the conflict question answered from
// inside its own modal loop, and the verdict.
#include "load/load_resource.h"
#include "load/restore_dialog.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"
#include "tests/win/modal_script.h"
#include "tests/win/wait_and_text.h"

#include <commctrl.h>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace
{

constexpr const char* kConflictCaption = "A File Is Already There";

// Last written at this local time.
void SetWritten(const std::string& path, WORD day, WORD hour, WORD minute)
{
    const SYSTEMTIME local = {2026, 12, 0, day, hour, minute, 0, 0};
    SYSTEMTIME universal{};
    FILETIME time{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal);
    SystemTimeToFileTime(&universal, &time);
    const HANDLE file = CreateFileW(std::filesystem::u8path(path).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

// Each item below `parent` (TVI_ROOT: the top items), its text, and "[x]"
// before a checked one.
std::vector<std::string> Items(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> lines;
    HTREEITEM item = parent == TVI_ROOT ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item))
    {
        wchar_t text[512] = {};
        TVITEMW read{};
        read.mask = TVIF_TEXT | TVIF_STATE;
        read.hItem = item;
        read.stateMask = TVIS_STATEIMAGEMASK;
        read.pszText = text;
        read.cchTextMax = 512;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
        lines.push_back(((read.state >> 12) == 2 ? "[x] " : "") +
                        std::filesystem::path(text).u8string());
    }
    return lines;
}

// Files named in any alphabet, as Load.exe names them: in UTF-8.
void WriteFiles(const Install& root, const FileMap& files)
{
    for (const auto& [name, bytes] : files)
        platform::LocalFiles().Replace(root.PathOf(name), bytes);
}

std::string ReadFile(const Install& root, const std::string& name)
{
    const platform::FileBytes read = platform::LocalFiles().Read(root.PathOf(name));
    return read.result == platform::ReadResult::Read ? std::string(read.bytes.get(), read.size)
                                                     : "<missing>";
}

// The space bar on the selected item of the tree, as the keyboard makes it.
void PressSpace(HWND tree, HTREEITEM item)
{
    TreeView_SelectItem(tree, item);
    SendMessageA(tree, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(tree, WM_CHAR, ' ', 0);
    SendMessageA(tree, WM_KEYUP, VK_SPACE, 0);
    // Long enough for what the press posts.
    for (int i = 0; i < 5; ++i, Sleep(10))
        Pump();
}

// The conflict question is a modal window of its own: it is answered from a
// timer, which runs inside its loop.
std::function<void(HWND)> g_answer;
int g_asked = 0;

void CALLBACK AnswerTheQuestion(HWND, UINT, UINT_PTR, DWORD)
{
    // The answer may run messages itself: the timer comes again meanwhile.
    static bool answering = false;
    const HWND question = FindWindowA("#32770", kConflictCaption);
    if (answering || question == nullptr || !IsWindowVisible(question))
        return;
    answering = true;
    ++g_asked;
    g_answer(question);
    answering = false;
}

// RESTORE_SCREENSHOT names a folder: once the question is up, the test
// leaves "ready" there and keeps the windows painted until "taken" appears.
void WaitForScreenshot()
{
    const char* folder = std::getenv("RESTORE_SCREENSHOT");
    if (folder == nullptr)
        return;
    const std::string ready = std::string(folder) + "\\ready";
    const std::string taken = std::string(folder) + "\\taken";
    CloseHandle(CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (int i = 0; i < 6 && GetFileAttributesA(taken.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        WaitFor([&] { return GetFileAttributesA(taken.c_str()) != INVALID_FILE_ATTRIBUTES; },
                10000);
}

} // namespace

// One source with a folder and two versions of a file, and System State,
// names of several alphabets among them: the tree shows each with its facts,
// narrows to what the filter finds in any letter case, and checks what is
// below a ticked box. "Restore" of the source meets two files that differ
// from their copies: one "Skip" for all answers both, and the verdict names
// them.
TEST(RestoreWindow, ShowsFiltersAndRestoresTheBackupAskingAboutConflicts)
{
    Install install, source, destination, profile;
    for (const char* folder : {"Corvane Backup versions", "Work", "systemstate"})
        std::filesystem::create_directories(destination.PathOf(folder));
    WriteFiles(destination, {{"Отчёт.doc", "the copy"},
                             {"Work\\plan.txt", "plan copy"},
                             {"Work\\Ελληνικά.txt", "notes"},
                             {"systemstate\\win.ini", "[windows]"},
                             {"Corvane Backup versions\\Отчёт (2026-12-01 08-00-00).doc", "v1"},
                             {"Corvane Backup versions\\Отчёт (2026-12-02 08-00-00).doc", "v2"}});
    SetWritten(destination.PathOf("Отчёт.doc"), 7, 9, 30);
    std::filesystem::create_directories(source.PathOf("Work"));
    WriteFiles(source, {{"Отчёт.doc", "the user's own"}, {"Work\\plan.txt", "changed plan"}});

    SaveSelection(install.Directory(), Selection({source.Path()}, destination.Path(), "1000000010"),
                  platform::LocalFiles());
    bool waited = false;
    ModalScript<CRestoreDialog> dialog(
        RestoreWindowContext{platform::LocalFiles(), install.Directory(), profile.Path(),
                             [&] { return !std::exchange(waited, true); }, ""});
    dialog.endWith = IDCANCEL;
    dialog.script = [&] {
        const HWND window = dialog.m_hWnd;
        const HWND tree = GetDlgItem(window, IDC_BACKUP_TREE);
        EXPECT_EQ(0, GetWindowLongA(window, GWL_STYLE) & WS_MAXIMIZEBOX);
        EXPECT_EQ("Tick the files and folders to restore.", Text(window, IDC_RESTORE_HEADLINE));
        EXPECT_EQ((std::vector<std::string>{source.Path(), "System State"}), Items(tree, TVI_ROOT));
        const HTREEITEM top = TreeView_GetRoot(tree);
        TreeView_Expand(tree, top, TVE_EXPAND);
        EXPECT_EQ(
            (std::vector<std::string>{"Work", "Отчёт.doc  8 bytes  2026-12-07 09:30  2 versions"}),
            Items(tree, top));

        // System State goes back only elsewhere; a box clears what is below it.
        const HTREEITEM system = TreeView_GetNextSibling(tree, top);
        PressSpace(tree, system);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_RESTORE_TO)));
        PressSpace(tree, system);
        PressSpace(tree, top);
        EXPECT_EQ(
            (std::vector<std::string>{"[x] Work", "[x] Отчёт.doc  8 bytes  2026-12-07 09:30  2 "
                                                  "versions"}),
            Items(tree, top));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_VERSIONS)));
        const HTREEITEM work = TreeView_GetChild(tree, top);
        TreeView_SelectItem(tree, TreeView_GetNextSibling(tree, work));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_VERSIONS)));
        // Cleared below, the source no longer stands for all it holds.
        PressSpace(tree, work);
        EXPECT_EQ((std::vector<std::string>{source.Path(), "System State"}), Items(tree, TVI_ROOT));

        SetDlgItemTextW(window, IDC_FILTER, L"ΕΛΛΗΝΙΚΆ");
        ASSERT_TRUE(WaitFor([&] { return Items(tree, TVI_ROOT).size() == 1; }, 10000));
        const HTREEITEM found = TreeView_GetChild(tree, TreeView_GetRoot(tree));
        EXPECT_EQ(std::vector<std::string>{"Work"}, Items(tree, TreeView_GetRoot(tree)));
        EXPECT_EQ(1u, Items(tree, found).size());
        EXPECT_EQ(0u, Items(tree, found)[0].rfind("Ελληνικά.txt  5 bytes  ", 0));
        SetDlgItemTextA(window, IDC_FILTER, "");
        ASSERT_EQ(2u, Items(tree, TVI_ROOT).size());

        PressSpace(tree, TreeView_GetRoot(tree));
        TreeView_Expand(tree, TreeView_GetRoot(tree), TVE_EXPAND);
        g_answer = [&](HWND question) {
            EXPECT_EQ(source.PathOf("Отчёт.doc"), Text(question, IDC_CONFLICT_PATH));
            EXPECT_EQ(0u, Text(question, IDC_YOUR_FILE).rfind("14 bytes, ", 0));
            EXPECT_EQ("8 bytes, 2026-12-07 09:30:00", Text(question, IDC_BACKUP_COPY));
            EXPECT_EQ(IDOK, LOWORD(SendMessageA(question, DM_GETDEFID, 0, 0)));
            WaitForScreenshot();
            SendDlgItemMessageA(question, IDC_FOR_ALL, BM_CLICK, 0, 0);
            SendDlgItemMessageA(question, IDCANCEL, BM_CLICK, 0, 0);
        };
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &AnswerTheQuestion);
        SendDlgItemMessageA(window, IDOK, BM_CLICK, 0, 0);
        EXPECT_TRUE(
            WaitFor([&] { return IsWindowEnabled(GetDlgItem(window, IDC_OPEN_BACKUP)); }, 10000));
        KillTimer(nullptr, timer);
        EXPECT_EQ(1, g_asked);
        EXPECT_EQ("2 of 3 files were not restored.", Text(window, IDC_RESTORE_HEADLINE));
        EXPECT_EQ("Files: 3 of 3", Text(window, IDC_RESTORE_COUNT));
        const HWND list = GetDlgItem(window, IDC_NOT_RESTORED);
        EXPECT_EQ(2, ListView_GetItemCount(list));
        for (int row = 0; row < 2; ++row)
        {
            char reason[64] = {};
            ListView_GetItemText(list, row, 1, reason, sizeof reason);
            EXPECT_STREQ("skipped", reason);
        }
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(waited);
    EXPECT_EQ("notes", ReadFile(source, "Work\\Ελληνικά.txt"));
    EXPECT_EQ("the user's own", ReadFile(source, "Отчёт.doc"));
    EXPECT_EQ("changed plan", source.Read("Work\\plan.txt"));
}

// While a backup runs, the restore says that it waits for it, and Close ends
// the wait and the window with nothing restored.
TEST(RestoreWindow, WaitsVisiblyForARunningBackupUntilClosed)
{
    Install install, source, destination;
    WriteFiles(destination, {{"a.txt", "copy"}});
    SaveSelection(install.Directory(), Selection({source.Path()}, destination.Path(), "1000000000"),
                  platform::LocalFiles());
    ModalScript<CRestoreDialog> dialog(RestoreWindowContext{
        platform::LocalFiles(), install.Directory(), "", [] { return true; }, ""});
    dialog.script = [&] {
        const HWND window = dialog.m_hWnd;
        PressSpace(GetDlgItem(window, IDC_BACKUP_TREE),
                   TreeView_GetRoot(GetDlgItem(window, IDC_BACKUP_TREE)));
        SendDlgItemMessageA(window, IDOK, BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitFor(
            [&] {
                return Text(window, IDC_RESTORE_HEADLINE) ==
                       "Waiting for the backup that is running to end...";
            },
            10000));
        SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("<missing>", source.Read("a.txt"));
}

// A destination that is gone is said in words; only another folder helps.
TEST(RestoreWindow, SaysWhenTheBackupFolderCannotBeFound)
{
    Install install;
    SaveSelection(install.Directory(), Selection({"C:\\Docs"}, "C:\\no such backup", "1000000000"),
                  platform::LocalFiles());
    ModalScript<CRestoreDialog> dialog(RestoreWindowContext{
        platform::LocalFiles(), install.Directory(), "", {}, "As administrator."});
    dialog.endWith = IDCANCEL;
    dialog.script = [&] {
        EXPECT_EQ("Your backup folder C:\\no such backup cannot be found. Open another backup "
                  "folder to restore from.\nAs administrator.",
                  Text(dialog.m_hWnd, IDC_RESTORE_HEADLINE));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog.m_hWnd, IDC_OPEN_BACKUP)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.m_hWnd, IDC_FILTER)));
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}
