#include "tests/e2e/driver/controls.h"

#include "tests/e2e/driver/text.h"
#include "tests/e2e/driver/wait.h"

namespace e2e
{

namespace
{

constexpr DWORD kMessageBoxTimeoutMs = 15000;
// The static control that carries a message box's text.
constexpr int kMessageTextId = 0xFFFF;

struct OwnedSearch
{
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<OwnedSearch*>(parameter);
    if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) &&
        ClassOf(window) == "#32770")
        search->found.push_back(window);
    return TRUE;
}

HWND FindMessageBox(HWND owner)
{
    for (HWND dialog : OwnedDialogs(owner))
        if (GetDlgItem(dialog, kMessageTextId))
            return dialog;
    return nullptr;
}

} // namespace

std::string TextOf(HWND window)
{
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return Utf8(text);
}

std::string ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Utf8(name);
}

HWND Control(HWND dialog, int id, Checker& checker)
{
    HWND control = GetDlgItem(dialog, id);
    checker.Require(control != nullptr, "the dialog has control " + std::to_string(id));
    return control;
}

void Click(HWND dialog, int id, Checker& checker)
{
    HWND control = Control(dialog, id, checker);
    checker.Require(IsWindowVisible(control) && IsWindowEnabled(control),
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

std::vector<std::string> ListEntries(HWND dialog, int id)
{
    std::vector<std::string> entries;
    const LRESULT count = SendDlgItemMessageW(dialog, id, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index)
    {
        const LRESULT length = SendDlgItemMessageW(dialog, id, LB_GETTEXTLEN, index, 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendDlgItemMessageW(dialog, id, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        entries.push_back(Utf8(text));
    }
    return entries;
}

void SelectListEntry(HWND dialog, int id, int index, Checker& checker)
{
    HWND list = Control(dialog, id, checker);
    const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    // A click in the middle of the entry, so that the list notifies its owner.
    const LPARAM point = MAKELPARAM(4, (index - top) * height + height / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
    checker.Require(WaitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == index; }, 5000),
                    "a click selects entry " + std::to_string(index));
}

void PressEscape(HWND dialog)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
    HWND target = thread.hwndFocus ? thread.hwndFocus : dialog;
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void SendClose(HWND dialog)
{
    SendNotifyMessageW(dialog, WM_CLOSE, 0, 0);
}

std::vector<HWND> OwnedDialogs(HWND owner)
{
    OwnedSearch search{owner, {}};
    EnumWindows(CollectOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

MessageBoxSeen WaitForMessageBox(HWND owner, Checker& checker)
{
    MessageBoxSeen seen;
    WaitFor([&] { return (seen.window = FindMessageBox(owner)) != nullptr; }, kMessageBoxTimeoutMs);
    checker.Require(seen.window != nullptr, "a message box appears");
    seen.caption = TextOf(seen.window);
    seen.text = TextOf(GetDlgItem(seen.window, kMessageTextId));
    return seen;
}

void AnswerMessageBox(HWND owner, const std::string& caption, const std::string& text,
                      unsigned type, int answer, Checker& checker)
{
    const MessageBoxSeen seen = WaitForMessageBox(owner, checker);
    checker.ExpectEqual(seen.caption, caption, "message box caption");
    checker.ExpectEqual(seen.text, text, "message box text");
    const bool yesNo = (type & 0xF) == MB_YESNO;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
    {
        const bool wanted = yesNo ? (id == IDYES || id == IDNO) : id == IDOK;
        HWND button = GetDlgItem(seen.window, id);
        checker.Expect((button != nullptr && IsWindowVisible(button)) == wanted,
                       "message box button " + std::to_string(id) +
                           (wanted ? " shown" : " not shown"));
    }
    HWND button = GetDlgItem(seen.window, answer);
    checker.Require(button != nullptr, "the message box has button " + std::to_string(answer));
    SendNotifyMessageW(button, BM_CLICK, 0, 0);
    checker.Require(WaitFor([&] { return !IsWindow(seen.window); }, kMessageBoxTimeoutMs),
                    "the message box closes after the answer");
}

bool NoMessageBox(HWND owner)
{
    return !WaitFor([&] { return FindMessageBox(owner) != nullptr; }, 1000);
}

} // namespace e2e
