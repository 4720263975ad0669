// Every window at every scale, under Wine: the test sets the prefix's DPI
// (Wine reads HKCU\Control Panel\Desktop\LogPixels as a process starts) and
// runs itself once per DPI. Each run opens the windows with their longest
// texts and measures each control's text with the control's own font.
#include "framework/display.h"
#include "tests/win/access/program_windows.h"
#include "tests/win/wait_and_text.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <process.h>
#include <sstream>

namespace
{

constexpr const char* kDpiVariable = "CORVANE_TEST_DPI";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
// A folder: the run leaves "<window>.ready" there and waits for "<window>.taken".
constexpr const char* kScreenshotVariable = "CORVANE_SCREENSHOT";

bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// This test again in a process of its own, with the prefix at `dpi`: its
// exit status.
intptr_t RunAt(DWORD dpi)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string filter =
        std::string("--gtest_filter=") + test.test_suite_name() + "." + test.name();
    const std::string variable = std::string(kDpiVariable) + "=";
    _putenv((variable + std::to_string(dpi)).c_str());
    // The runtime joins the arguments as they are: a path with blanks needs its quotes.
    const intptr_t status =
        _spawnl(_P_WAIT, self, ('"' + std::string(self) + '"').c_str(), filter.c_str(), nullptr);
    _putenv(variable.c_str());
    return status;
}

// What of a control's text does not fit it, measured as the control draws
// it; empty when all of it does.
std::string Overflow(HWND control, UINT dpi)
{
    char kind[32] = {};
    GetClassNameA(control, kind, sizeof kind);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    RECT client{};
    GetClientRect(control, &client);
    int room = client.right;
    UINT format = DT_CALCRECT | DT_EXPANDTABS;
    if (lstrcmpiA(kind, "Static") == 0)
    {
        const LONG type = style & SS_TYPEMASK;
        // Pictures; and texts that end in "..." by design where they are long.
        if (type > SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP)
            return {};
        if ((style & SS_ELLIPSISMASK) != 0)
            return {};
        format |= type <= SS_RIGHT ? DT_WORDBREAK : DT_SINGLELINE;
        format |= (style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
    }
    else if (lstrcmpiA(kind, "Button") == 0)
    {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            room -= 4 * SystemMetricForDpi(SM_CXEDGE, dpi);
        else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)
            room -= SystemMetricForDpi(SM_CXMENUCHECK, dpi) + ScaleToDpi(4, dpi);
        else
            return {};
        format |= (style & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
    }
    else
        return {}; // edits, lists and trees scroll what they hold
    char text[1024] = {};
    if (GetWindowTextA(control, text, sizeof text) == 0)
        return {};
    const HDC dc = GetDC(control);
    const HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needs{0, 0, room, 0};
    DrawTextA(dc, text, -1, &needs, format);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    if (needs.right <= room && needs.bottom <= client.bottom)
        return {};
    std::ostringstream overflow;
    overflow << '"' << text << "\" needs " << needs.right << "x" << needs.bottom << ", has " << room
             << "x" << client.bottom;
    return overflow.str();
}

// Where a control lies out of its window, or over another control without
// holding it whole as the column holds what stands on it; empty when neither.
std::string Misplaced(HWND control, HWND window, const std::vector<HWND>& others)
{
    RECT bounds{}, at{}, other{}, both{};
    GetClientRect(window, &bounds);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    GetWindowRect(control, &at);
    std::ostringstream misplaced;
    if (!IntersectRect(&both, &at, &bounds) || !EqualRect(&both, &at))
        misplaced << "control " << GetDlgCtrlID(control) << " out of its window ";
    for (const HWND sibling : others)
        if (GetWindowRect(sibling, &other) && IntersectRect(&both, &at, &other) &&
            !EqualRect(&both, &at) && !EqualRect(&both, &other))
            misplaced << "controls " << GetDlgCtrlID(control) << " and " << GetDlgCtrlID(sibling)
                      << " overlap ";
    return misplaced.str();
}

// The size of each picture, or of an owner-drawn button's face, is the
// DPI's.
void ExpectPicturesAt(HWND window, const std::vector<Artwork>& artwork, UINT dpi)
{
    for (const Artwork& picture : artwork)
    {
        const HWND control = GetDlgItem(window, picture.control);
        RECT shown{};
        GetClientRect(control, &shown);
        BITMAP bitmap{};
        if (GetObjectA(
                reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                sizeof bitmap, &bitmap))
            shown = {0, 0, bitmap.bmWidth, bitmap.bmHeight};
        EXPECT_EQ(
            std::make_pair(ScaleToDpi(picture.at96.cx, dpi), ScaleToDpi(picture.at96.cy, dpi)),
            std::make_pair(int(shown.right), int(shown.bottom)))
            << "picture " << picture.control << " at " << dpi << " DPI";
    }
}

void WaitForScreenshot(const char* window)
{
    const char* folder = std::getenv(kScreenshotVariable);
    if (folder == nullptr)
        return;
    const std::string marker = std::string(folder) + "\\" + window;
    CloseHandle(CreateFileA((marker + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            0, nullptr));
    WaitFor(
        [&] { return GetFileAttributesA((marker + ".taken").c_str()) != INVALID_FILE_ATTRIBUTES; },
        60000);
}

void CheckEveryWindowAt(UINT dpi)
{
    for (const ProgramWindow& window : ProgramWindows())
    {
        SCOPED_TRACE(window.name);
        window.run([&](HWND shown) {
            ASSERT_EQ(dpi, WindowDpi(shown));
            WaitForScreenshot(window.name);
            for (const auto& [id, text] : window.longest)
            {
                SetDlgItemTextA(shown, id, text.c_str());
                EXPECT_EQ("", Overflow(GetDlgItem(shown, id), dpi)) << "control " << id;
            }
            std::vector<HWND> controls;
            for (HWND control = GetWindow(shown, GW_CHILD); control != nullptr;
                 control = GetWindow(control, GW_HWNDNEXT))
            {
                if (!IsWindowVisible(control))
                    continue;
                EXPECT_EQ("", Overflow(control, dpi)) << "control " << GetDlgCtrlID(control);
                EXPECT_EQ("", Misplaced(control, shown, controls));
                controls.push_back(control);
            }
            ExpectPicturesAt(shown, window.artwork, dpi);
            // Moved to a monitor of twice the scale: the pictures follow.
            RECT placed{};
            GetWindowRect(shown, &placed);
            SendMessageA(shown, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
                         reinterpret_cast<LPARAM>(&placed));
            ExpectPicturesAt(shown, window.artwork, 2 * dpi);
        });
    }
}

} // namespace

// Each window at 100%, 125%, 150%, 175%, 200% and 300%: every control's text
// fits it, the longest a run sets included; every control lies inside its
// window, clear of the others; and the pictures the program sizes itself have the DPI's size, and
// follow a move to a monitor of another scale.
TEST(EveryScale, TextsFitControlsStayInsideAndPicturesFollowTheDpi)
{
    if (const char* dpi = std::getenv(kDpiVariable))
        return CheckEveryWindowAt(static_cast<UINT>(std::atoi(dpi)));
    if (!UnderWine())
        GTEST_SKIP() << "sets the DPI as Wine reads it; Windows takes it at the next log-on";
    for (const DWORD dpi : {96u, 120u, 144u, 168u, 192u, 288u})
        EXPECT_EQ(0, RunAt(dpi)) << "at " << dpi << " DPI";
    // Wine's default again, for the processes started after this one.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
}
