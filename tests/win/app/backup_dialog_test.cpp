// The main dialog in-process over a temporary install directory, with the
// recording ports: what it shows of the store, its handlers, and how it ends.
#include "app/backup_dialog.h"
#include "res/resource.h"
#include "tests/native/support/error_message.h"
#include "tests/native/support/install.h"
#include "tests/win/modal_script.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <shlobj.h>

namespace
{

// The main dialog over a store, run modally: the script runs in the modal
// loop once the store is loaded, then the dialog ends with IDOK unless the
// script ended it. Ending the process only ends the loop.
class TestDialog : public Install, public ModalScript<CBackupDialog>
{
  public:
    using Script = std::function<void(TestDialog&)>;

    explicit TestDialog(const FileMap& store) : ModalScript(Directory(), prompt, shell, nullptr)
    {
        Write(store);
        endWith = IDOK;
    }
    int Run(Script steps)
    {
        script = [this, steps = std::move(steps)] { steps(*this); };
        return DoModal();
    }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // A user's click: the box toggles before its handler runs.
    void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    // The user selects an entry (-1: none), which the list reports to the dialog.
    void SelectSource(int index)
    {
        ::SendMessageA(Item(IDC_SOURCE_LIST), LB_SETCURSEL, WPARAM(index), 0);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SOURCE_LIST, LBN_SELCHANGE));
    }
    // The ten option boxes in settings.dat order: '1' ticked, '0' not, and
    // 'x' and '-' the same for a disabled box.
    std::string Boxes() const
    {
        std::string boxes;
        for (const int id :
             {IDC_ALL_FILE_TYPES, IDC_AUTO_ON_SHUTDOWN, IDC_BACKUP_ON_MODIFY, IDC_PICTURES,
              IDC_AUDIO, IDC_VIDEO, IDC_DOCUMENTS, IDC_HIDDEN, IDC_SYSTEM_STATE, IDC_MODIFIED_ONLY})
            boxes += (::IsWindowEnabled(Item(id)) ? "01" : "-x")[::IsDlgButtonChecked(m_hWnd, id)];
        return boxes;
    }

    Script beforeInit;  // runs once the window exists, before the store loads
    int endStatus = -1; // the status the dialog ended the process with

  protected:
    BOOL OnInitDialog() override
    {
        if (beforeInit)
            beforeInit(*this);
        return ModalScript::OnInitDialog();
    }
    void EndProcess(int status) override
    {
        endStatus = status;
        EndDialog(IDOK);
    }
};

const Message kCatalogQuestion{"Some Options You Have Selected Require A Cataloging Of Files. They "
                               "Will Not Be Enabled Until Files Are Catalogged\n\nDo You Want To "
                               "Do That Now?",
                               "Catalog Files", MB_YESNO};

} // namespace

// A locked load keeps the ticks it read; ticking All File Types clears and
// locks the four types and Hidden, unticking unlocks them. The companions see
// enableauto follow its box at once, keeping what it holds. Backups on
// modification ask nothing once the files are catalogued.
TEST(OptionBoxes, LockedLoadAndTheRulesOfTheClicks)
{
    TestDialog dialog({{kSettingsFile, "1;0;0;1;0;0;0;1;0;0;"},
                       {kEnableAutoMarker, "kept"},
                       {kCatalogedMarker, ""}});
    dialog.Run([](TestDialog& d) {
        EXPECT_EQ("100x---x00", d.Boxes());
        for (const char* boxes : {"0001000100", "100-----00", "0000000000"})
        {
            d.Click(IDC_ALL_FILE_TYPES);
            EXPECT_EQ(boxes, d.Boxes());
        }
        for (const char* enableAuto : {"kept", "<missing>", ""})
        {
            d.Click(IDC_AUTO_ON_SHUTDOWN);
            EXPECT_EQ(enableAuto, d.Read(kEnableAutoMarker));
        }
        d.Click(IDC_BACKUP_ON_MODIFY);
        EXPECT_EQ("0110000000", d.Boxes());
    });
    EXPECT_TRUE(dialog.prompt.shown.empty());
}

// Not yet catalogued: No unticks the box; Yes asks the companions for a
// catalog, and when one cannot be started (CatalogFlow), says so, saves
// nothing and stays open.
TEST(OptionBoxes, UnlockedLoadAndTheCatalogQuestion)
{
    TestDialog dialog(FileMap{{kSettingsFile, "0;0;0;1;1;0;1;0;1;1;"}});
    dialog.prompt.answers = {IDNO, IDYES};
    dialog.shell.refused = {dialog.PathOf(kLoadProgram)};
    dialog.Run([](TestDialog& d) {
        EXPECT_EQ("0001101011", d.Boxes());
        d.Click(IDC_BACKUP_ON_MODIFY);
        EXPECT_EQ("0001101011", d.Boxes());
        // Yes, but the catalog cannot start: the box stays as the click left it.
        d.Click(IDC_BACKUP_ON_MODIFY);
        EXPECT_EQ("0011101011", d.Boxes());
    });
    EXPECT_EQ((std::vector<Message>{kCatalogQuestion, kCatalogQuestion,
                                    Error("Error Cannot Start " + dialog.PathOf(kLoadProgram) +
                                          " \nDetails:The catalog was not started")}),
              dialog.prompt.shown);
    EXPECT_EQ("0;0;0;1;1;0;1;0;1;1;", dialog.Read(kSettingsFile));
    EXPECT_EQ(-1, dialog.endStatus);
}

WNDPROC listProcedure = nullptr;

// Refuses "C:\\Two", as a list box that is out of memory would.
LRESULT CALLBACK RefusingTwo(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_ADDSTRING && std::strcmp(reinterpret_cast<LPCSTR>(lParam), "C:\\Two") == 0)
        return LB_ERRSPACE;
    return CallWindowProcA(listProcedure, hWnd, message, wParam, lParam);
}

// A rejected source entry keeps the window open whichever way it is asked to
// end. The user's selection enables Remove Selected, which removes that entry
// alone, and nothing without a selection; an entry the list refused is not
// counted. Then the close box and a started backup save what the window shows
// and end the program, and Esc leaves the store alone.
TEST(DialogEnd, SavesAndEndsOnlyWhenTheSelectionIsAccepted)
{
    for (const auto& [wayOut, result, saved, starts] : {std::tuple{WM_CLOSE, IDOK, true, 0u},
                                                        {WM_COMMAND, IDOK, true, 2u},
                                                        {WM_KEYDOWN, IDCANCEL, false, 0u}})
    {
        SCOPED_TRACE(wayOut);
        TestDialog dialog({});
        const std::string list = dialog.Path() + "\r\nC:\\Two\r\nC:\\Data\r\n";
        dialog.Write({{kFilesToBackupFile, list}, {kDataFile, dialog.Path()}});
        dialog.beforeInit = [](TestDialog& d) {
            listProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                d.Item(IDC_SOURCE_LIST), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingTwo)));
        };
        EXPECT_EQ(result, dialog.Run([wayOut = wayOut](TestDialog& d) {
            d.SendMessage(WM_CLOSE);
            d.SendMessage(WM_COMMAND, IDC_BACKUP_NOW);
            d.SelectSource(0);
            EXPECT_TRUE(::IsWindowEnabled(d.Item(IDC_REMOVE_SELECTED)));
            d.Click(IDC_REMOVE_SELECTED);
            EXPECT_FALSE(::IsWindowEnabled(d.Item(IDC_REMOVE_SELECTED)));
            d.SelectSource(-1);
            d.Click(IDC_REMOVE_SELECTED);
            d.PostMessage(wayOut, wayOut == WM_COMMAND ? IDC_BACKUP_NOW : VK_ESCAPE);
        }));
        const Message rejection = Error("Error Duplicate Found. You Cannot Backup " +
                                        dialog.Path() + " To " + dialog.Path());
        EXPECT_EQ(std::vector<Message>(2, rejection), dialog.prompt.shown);
        EXPECT_EQ(saved ? "1;1;1;0;0;0;0;0;1;0;" : "<missing>", dialog.Read(kSettingsFile));
        EXPECT_EQ(saved ? "C:\\Data\r\n" : list, dialog.Read(kFilesToBackupFile));
        EXPECT_EQ(saved ? 0 : -1, dialog.endStatus);
        EXPECT_EQ(starts, dialog.shell.starts.size());
    }
}

// The owner of each About box seen, and whether it was enabled meanwhile.
std::vector<std::pair<HWND, BOOL>> g_aboutOwners;

// Runs in the About box's own modal loop: notes the box and closes it.
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (const HWND about = FindWindowA(nullptr, "About Corvane Backup"))
    {
        const HWND owner = GetWindow(about, GW_OWNER);
        g_aboutOwners.emplace_back(owner, IsWindowEnabled(owner));
        PostMessageA(about, WM_COMMAND, IDOK, 0);
    }
}

// The About item ends the system menu; the system keeps the low four bits of
// a command for itself. The box is modal to the main window, which owns it.
TEST(SystemMenu, AboutItemOpensTheAboutBoxWhateverTheCommandsLowBits)
{
    TestDialog dialog({});
    CWinApp app;
    app.m_pMainWnd = &dialog;
    HWND window = nullptr;
    dialog.Run([&window](TestDialog& d) {
        window = d.m_hWnd;
        char text[64] = {};
        GetMenuStringA(GetSystemMenu(d.m_hWnd, FALSE), 0x0010, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ("&About Corvane Backup...", text);
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseAboutBox);
        for (const WPARAM command : {0x0010, 0x0013, 0x0020})
            d.SendMessage(WM_SYSCOMMAND, command, 0);
        KillTimer(nullptr, timer);
    });
    EXPECT_EQ((std::vector<std::pair<HWND, BOOL>>(2, {window, FALSE})), g_aboutOwners);
}

// A store file that another program holds without sharing is no first run,
// and loading fails too where the reading rules do not reach (out of memory):
// the user is told, and the program ends without a save that would write the
// half-filled window over the store.
TEST(DialogStart, FailedLoadEndsWithoutSaving)
{
    for (const bool held : {true, false})
    {
        SCOPED_TRACE(held ? "held" : "out of memory");
        TestDialog dialog(FileMap{{kSettingsFile, "0;"}});
        HANDLE holding = nullptr;
        if (held)
            holding = CreateFileA(dialog.PathOf(kSettingsFile).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        else
            dialog.beforeInit = [](TestDialog&) { throw std::bad_alloc(); };
        dialog.Run([](TestDialog&) {});
        if (holding)
            CloseHandle(holding);
        EXPECT_EQ(std::vector<Message>{Error("Error Cannot Load Settings From " + dialog.Path() +
                                             " \nDetails:Nothing was changed")},
                  dialog.prompt.shown);
        EXPECT_EQ(1, dialog.endStatus);
        EXPECT_EQ((FileMap{{kSettingsFile, "0;"}}), dialog.Files());
    }
}

// Posts the drop of `paths` to the control, as the shell does, in a real HDROP.
static void Drop(HWND control, const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& path : paths)
        names.append(path).push_back('\0');
    names.push_back('\0');
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(drop);
    PostMessageA(control, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

// On the list, files and folders are added in the order given; on the
// destination box, only a single folder is taken. The save shows what the
// window took.
TEST(Drops, ListTakesEverythingDestinationTakesOneFolder)
{
    TestDialog dialog(FileMap{{"notes.txt", ""}});
    const std::string file = dialog.PathOf("notes.txt"), folder = dialog.PathOf("docs"),
                      destination = dialog.PathOf("backup");
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(destination.c_str(), nullptr);
    dialog.Run([&](TestDialog& d) {
        Drop(d.Item(IDC_SOURCE_LIST), {file, folder});
        Drop(d.Item(IDC_DESTINATION), {destination});
        Drop(d.Item(IDC_DESTINATION), {file});
        Drop(d.Item(IDC_DESTINATION), {folder, folder});
        d.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(file + "\r\n" + folder + "\r\n", dialog.Read(kFilesToBackupFile));
    EXPECT_EQ(destination, dialog.Read(kDataFile));
}
