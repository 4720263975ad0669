#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/win_app.h"
#include "test_resources.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kOpened = WM_APP + 2;
constexpr UINT kFail = WM_APP + 3;

std::vector<std::string> g_log;

// A control that logs the probe on its way and may keep it from being dispatched.
class LoggingButton : public CButton
{
  public:
    BOOL swallowProbe = FALSE;
    std::vector<UINT> drawnIds;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != kProbe)
            return CButton::PreTranslateMessage(pMsg);
        g_log.push_back("button sees");
        return swallowProbe;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        drawnIds.push_back(lpDrawItemStruct->CtlID);
    }

  protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        g_log.push_back("button handles");
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LoggingButton, CButton)
ON_MESSAGE(kProbe, OnProbe)
END_MESSAGE_MAP()

// Runs a script from inside its own modal loop. A timer ends it with kTimedOut
// if the script never does, so no test can hang.
class ScriptedDialog : public CDialog
{
  public:
    static constexpr int kTimedOut = -2;
    static constexpr int kInitFailed = -3;
    ScriptedDialog() : CDialog(IDD_SCRIPTED, nullptr) {}

    std::function<void(ScriptedDialog&)> onInit; // in OnInitDialog, after the data exchange
    std::function<void(ScriptedDialog&)> onOpen; // once the modal loop runs
    LoggingButton* ownerDrawn = nullptr;         // bound to IDC_OWNER_DRAWN
    CButton* missing = nullptr;                  // bound to an id the template lacks
    std::string initFailure;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::SetTimer(m_hWnd, 1, 10000, nullptr);
        if (onInit)
            onInit(*this);
        PostMessage(kOpened);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == kProbe)
            g_log.push_back("dialog sees");
        return CDialog::PreTranslateMessage(pMsg);
    }

  protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (ownerDrawn != nullptr)
            DDX_Control(pDX, IDC_OWNER_DRAWN, *ownerDrawn);
        if (missing != nullptr)
            DDX_Control(pDX, 4242, *missing);
    }
    void OnInitDialogFailed(const char* what) override
    {
        initFailure = what;
        EndDialog(kInitFailed);
    }
    LRESULT OnFail(WPARAM, LPARAM) { throw std::runtime_error("the handler failed"); }
    LRESULT OnOpened(WPARAM, LPARAM)
    {
        if (onOpen)
            onOpen(*this);
        return 0;
    }
    LRESULT OnTimer(WPARAM, LPARAM)
    {
        EndDialog(kTimedOut);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedDialog, CDialog)
ON_MESSAGE(kOpened, OnOpened)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(kFail, OnFail)
END_MESSAGE_MAP()

// Each way out ends the loop and the window; a quit stays queued for the loop outside.
TEST(ModalDialog, EndsOnEndDialogKeysCloseAndQuit)
{
    using Script = void (*)(ScriptedDialog&);
    struct Case
    {
        const char* name;
        bool duringInit;
        Script script;
        int result;
    };
    const Case cases[] = {
        {"EndDialog", false, [](ScriptedDialog& d) { d.EndDialog(42); }, 42},
        {"EndDialog in init", true, [](ScriptedDialog& d) { d.EndDialog(7); }, 7},
        {"Enter", false, [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_RETURN); }, IDOK},
        {"Esc", false, [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_ESCAPE); }, IDCANCEL},
        {"Close", false, [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
        {"Quit", false, [](ScriptedDialog&) { ::PostQuitMessage(5); }, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ScriptedDialog dialog;
        HWND window = nullptr;
        (c.duringInit ? dialog.onInit : dialog.onOpen) = [&](ScriptedDialog& d) {
            window = d.m_hWnd;
            c.script(d);
        };
        EXPECT_EQ(c.result, dialog.DoModal());
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(nullptr, dialog.m_hWnd);
        MSG quit{};
        EXPECT_EQ(c.result == -1, ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0);
        EXPECT_EQ(c.result == -1 ? 5u : 0u, quit.wParam);
    }
}

TEST(ModalDialog, WithoutParentTheMainWindowOwnsItAndIsDisabledMeanwhile)
{
    CWinApp app;
    CWnd mainWindow;
    ASSERT_TRUE(mainWindow.Attach(::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 50, 50,
                                                    nullptr, nullptr, nullptr, nullptr)));
    app.m_pMainWnd = &mainWindow;
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
    ScriptedDialog dialog;
    dialog.onOpen = [&](ScriptedDialog& d) {
        owner = ::GetWindow(d.m_hWnd, GW_OWNER);
        ownerEnabled = ::IsWindowEnabled(mainWindow);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(mainWindow.m_hWnd, owner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(mainWindow));
}

TEST(ModalDialog, PreTranslateMessageReachesTheControlThenTheDialog)
{
    for (BOOL swallow : {FALSE, TRUE})
    {
        SCOPED_TRACE(swallow ? "swallowed" : "passed on");
        g_log.clear();
        LoggingButton button;
        button.swallowProbe = swallow;
        ScriptedDialog dialog;
        dialog.ownerDrawn = &button;
        dialog.onOpen = [&](ScriptedDialog& d) {
            button.PostMessage(kProbe);
            d.PostMessage(WM_COMMAND, IDOK);
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        const std::vector<std::string> expected =
            swallow ? std::vector<std::string>{"button sees"}
                    : std::vector<std::string>{"button sees", "dialog sees", "button handles"};
        EXPECT_EQ(expected, g_log);
    }
}

// No error is swallowed: a control that cannot be bound fails the dialog's
// start, and an error in a handler reaches the application.
TEST(ModalDialog, ErrorsReachTheDialogAndTheApplication)
{
    struct RecordingApp : CWinApp
    {
        std::string fatal;
        void OnFatalError(const char* what) override { fatal = what; }
    } app;
    CButton unbound;
    ScriptedDialog unbindable;
    unbindable.missing = &unbound;
    EXPECT_EQ(ScriptedDialog::kInitFailed, unbindable.DoModal());
    EXPECT_EQ("control 4242 of the dialog cannot be bound", unbindable.initFailure);

    ScriptedDialog failing;
    failing.onOpen = [](ScriptedDialog& d) {
        d.SendMessage(kFail);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, failing.DoModal());
    EXPECT_EQ("the handler failed", app.fatal);
}

// A second exchange binds nothing again: the probe is handled once.
TEST(ModalDialog, DdxControlSubclassesOnceAndOwnerDrawReachesTheControl)
{
    g_log.clear();
    LoggingButton button;
    ScriptedDialog dialog;
    dialog.ownerDrawn = &button;
    dialog.onOpen = [&](ScriptedDialog& d) {
        d.UpdateData(FALSE);
        button.SendMessage(kProbe);
        button.drawnIds.clear();
        ::RedrawWindow(button.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(std::vector<std::string>{"button handles"}, g_log);
    EXPECT_EQ(std::vector<UINT>{IDC_OWNER_DRAWN}, button.drawnIds);
    EXPECT_EQ(nullptr, button.m_hWnd);
}
} // namespace
