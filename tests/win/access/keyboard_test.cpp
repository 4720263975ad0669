// Every window by keyboard alone, in-process: the order Tab goes through the
// controls, a label before each edit, list and tree, the keys that act, and
// the names a screen reader reads through the accessibility interface.
#include "load/load_resource.h"
#include "res/resource.h"
#include "tests/win/access/program_windows.h"
#include "tests/win/wait_and_text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <oleacc.h>

namespace
{

// Runs what the keys posted to the focused control bring about, through the
// dialog's keyboard handling as its modal loop does.
void Press(HWND dialog, UINT key, UINT message = WM_KEYDOWN)
{
    const HWND focus = GetFocus();
    PostMessageA(focus, message, key, message == WM_SYSCHAR ? 1 << 29 : 1);
    if (message == WM_KEYDOWN)
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    WaitFor([] { return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0; }, 1000, dialog);
}

// The ids of the controls Tab goes through, from the first one with the focus
// until it comes back to it.
std::vector<int> TabOrder(HWND dialog)
{
    const HWND first = GetFocus();
    std::vector<int> order;
    for (HWND at = first; order.size() < 40 && (order.empty() || at != first); at = GetFocus())
    {
        order.push_back(GetDlgCtrlID(at));
        Press(dialog, VK_TAB);
    }
    return order;
}

// What a sighted user reads on the control, its mnemonic's "&" left out.
std::string Shown(HWND control)
{
    std::string shown = Text(control);
    shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
    return shown;
}

// Edits, lists and trees: the controls that take typed characters.
bool HoldsContent(HWND control)
{
    return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) != 0;
}

// What a screen reader reads as the control's name; "<none>" where the
// system gives no accessible object.
std::string AccessibleName(HWND control)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return "<none>";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string read;
    if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr)
    {
        char text[512] = {};
        WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
        read = text;
        SysFreeString(name);
    }
    object->Release();
    return read;
}

// In the order of ProgramWindows().
struct KeyboardWalk
{
    std::vector<int> tabOrder;
    // Keys that act, and what they do; then how the window ends.
    std::function<void(HWND)> act;
    int result;
};

const KeyboardWalk kWalks[] = {
    {{IDC_BACKUP_NOW, IDC_AUTO_ON_SHUTDOWN, IDC_BACKUP_ON_MODIFY, IDC_CHECK_UPDATES,
      IDC_SOURCE_LIST, IDC_ADD_FILE, IDC_ADD_FOLDER, IDC_DESTINATION, IDC_BROWSE_DESTINATION,
      IDC_MODIFIED_ONLY, IDC_ALL_FILE_TYPES, IDC_PICTURES, IDC_AUDIO, IDC_VIDEO, IDC_DOCUMENTS,
      IDC_HIDDEN, IDC_SYSTEM_STATE, IDC_VIRTUAL_DRIVE},
     [](HWND dialog) {
         SetFocus(GetDlgItem(dialog, IDC_AUTO_ON_SHUTDOWN));
         Press(dialog, VK_SPACE);
         EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_AUTO_ON_SHUTDOWN));
         Press(dialog, VK_ESCAPE);
     },
     IDCANCEL},
    {{IDOK, IDC_VISIT_WEBSITE},
     [](HWND dialog) {
         SetFocus(GetDlgItem(dialog, IDOK));
         Press(dialog, VK_SPACE);
     },
     IDOK},
    {{IDC_NOT_BACKED_UP, IDC_RESTORE_FILES, IDC_OPEN_REPORT, IDCANCEL},
     [](HWND dialog) { Press(dialog, VK_RETURN); },
     IDCANCEL},
    {{IDC_FILTER, IDC_BACKUP_TREE, IDC_NOT_RESTORED, IDC_OPEN_BACKUP, IDCANCEL},
     [](HWND dialog) {
         Press(dialog, 'B', WM_SYSCHAR);
         EXPECT_EQ(GetDlgItem(dialog, IDC_BACKUP_TREE), GetFocus());
         Press(dialog, VK_DOWN);
         Press(dialog, VK_SPACE);
         EXPECT_TRUE(
             WaitFor([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0; }, 2000, dialog));
         Press(dialog, VK_ESCAPE);
     },
     IDCANCEL},
    {{IDC_FOR_ALL, IDOK, IDC_REPLACE, IDCANCEL},
     [](HWND dialog) {
         Press(dialog, VK_SPACE);
         EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_FOR_ALL));
         Press(dialog, VK_RETURN);
     },
     IDOK},
    {{IDC_VERSION_LIST, IDCANCEL},
     [](HWND dialog) {
         Press(dialog, VK_DOWN);
         Press(dialog, VK_RETURN);
     },
     IDOK},
};

} // namespace

// Tab reaches every enabled control in reading order; each edit, list and
// tree has its label just before it, and a screen reader reads the label as
// its name; every other control reads as its own text. Space, Enter, the
// arrows and the templates' mnemonics act; Esc closes.
TEST(Keyboard, EveryWindowWorksByKeyboardAlone)
{
    const auto& windows = ProgramWindows();
    ASSERT_EQ(std::size(kWalks), windows.size());
    CoInitialize(nullptr);
    for (size_t i = 0; i < windows.size(); ++i)
    {
        const KeyboardWalk& walk = kWalks[i];
        SCOPED_TRACE(windows[i].name);
        EXPECT_EQ(walk.result, windows[i].run([&](HWND dialog) {
            EXPECT_EQ(walk.tabOrder, TabOrder(dialog));
            for (const int id : walk.tabOrder)
            {
                const HWND control = GetDlgItem(dialog, id);
                const HWND label = GetWindow(control, GW_HWNDPREV);
                const bool labelled = HoldsContent(control);
                const std::string name = labelled ? Shown(label) : Shown(control);
                EXPECT_NE("", name) << "control " << id;
                // Wine names an edit by its label, but gives lists and trees no
                // name: there the label just before it stands for it.
                const std::string read = AccessibleName(control);
                if (!labelled || !read.empty())
                {
                    EXPECT_EQ(name, read) << "control " << id;
                }
            }
            walk.act(dialog);
        }));
    }
    CoUninitialize();
}
