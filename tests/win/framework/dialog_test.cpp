#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/win_app.h"
#include "test_resources.h"
#include "tests/win/modal_script.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr UINT kFail = WM_APP + 1;

std::vector<std::string> g_log;

struct LoggingApp : CWinApp
{
    void OnFatalError(const char* what) override { g_log.push_back(what); }
};

struct DrawingButton : CButton
{
    void DrawItem(LPDRAWITEMSTRUCT) override { g_log.push_back("control draws"); }
};

// Runs its script from inside its own modal loop. Its map lies over
// CDialog's, which lies over CWnd's.
class ScriptedDialog : public ModalScript<CDialog>
{
  public:
    ScriptedDialog() : ModalScript(IDD_SCRIPTED, nullptr) {}

    DrawingButton* control = nullptr; // bound to IDC_OWNER_DRAWN

  protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (control != nullptr)
            DDX_Control(pDX, IDC_OWNER_DRAWN, *control);
    }
    // Found before CDialog's own IDOK entry.
    void OnEnter()
    {
        g_log.push_back("enter");
        EndDialog(IDOK);
    }
    LRESULT OnFail(WPARAM, LPARAM) { throw std::runtime_error("the handler failed"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedDialog, ModalScript<CDialog>)
ON_COMMAND(IDOK, OnEnter)
ON_MESSAGE(kFail, OnFail)
END_MESSAGE_MAP()

} // namespace

// A class's own map is searched before its bases'; commands match by code and
// id; an error in a handler reaches the application; owner-draw requests reach
// the bound control, which lets go of its window with the dialog. Each way out
// ends the loop and the window, and a quit stays queued for the loop outside.
TEST(ModalDialog, DispatchesThroughTheMapChainAndEndsEachWay)
{
    LoggingApp app;
    using Script = void (*)(ScriptedDialog&);
    const std::tuple<const char*, Script, int, std::vector<std::string>> cases[] = {
        {"EndDialog", [](ScriptedDialog& d) { d.EndDialog(42); }, 42, {}},
        {"Enter", [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_RETURN); }, IDOK, {"enter"}},
        {"Esc", [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_ESCAPE); }, IDCANCEL, {}},
        {"Close", [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL, {}},
        {"Quit", [](ScriptedDialog&) { ::PostQuitMessage(5); }, -1, {}},
        {"other code",
         [](ScriptedDialog& d) {
             d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, LBN_SELCHANGE));
             d.SendMessage(kFail);
             d.EndDialog(42);
         },
         42,
         {"the handler failed"}},
        {"bound control",
         [](ScriptedDialog& d) {
             ::RedrawWindow(d.control->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
             d.EndDialog(IDOK);
         },
         IDOK,
         {"control draws"}},
    };
    for (const auto& [name, script, result, log] : cases)
    {
        SCOPED_TRACE(name);
        g_log.clear();
        DrawingButton control;
        ScriptedDialog dialog;
        if (std::string(name) == "bound control")
            dialog.control = &control;
        HWND window = nullptr;
        dialog.script = [&, script = script] {
            window = dialog.m_hWnd;
            script(dialog);
        };
        EXPECT_EQ(result, dialog.DoModal());
        EXPECT_EQ(log, g_log);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(nullptr, dialog.m_hWnd);
        EXPECT_EQ(nullptr, control.m_hWnd);
        MSG quit{};
        EXPECT_EQ(result == -1, ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0);
        EXPECT_EQ(result == -1 ? 5u : 0u, quit.wParam);
    }
}
