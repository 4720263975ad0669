#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/file_dialog.h"
#include "framework/win_app.h"
#include "test_resources.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr UINT kBaseOnly = WM_APP + 1;
constexpr UINT kShared = WM_APP + 2;
constexpr UINT kFail = WM_APP + 3;
constexpr UINT kOpened = WM_APP + 4;
constexpr UINT kControlId = 7;

std::vector<std::string> g_log;

LRESULT Logged(const char* what, LRESULT result)
{
    g_log.push_back(what);
    return result;
}

class BaseWindow : public CButton
{
  protected:
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return Logged("base only", 1); }
    LRESULT OnShared(WPARAM, LPARAM) { return Logged("base shared", 2); }
    void OnClicked() { Logged("base clicked", 0); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CButton)
ON_MESSAGE(kBaseOnly, OnBaseOnly)
ON_MESSAGE(kShared, OnShared)
ON_BN_CLICKED(kControlId, OnClicked)
END_MESSAGE_MAP()

// Also a control that logs the base-only message on its way through the modal
// loop, may keep it from being dispatched, and logs the owner-draw requests.
class DerivedWindow : public BaseWindow
{
  public:
    BOOL swallow = FALSE;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return pMsg->message == kBaseOnly ? Logged("control sees", swallow) : FALSE;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { Logged("control draws", 0); }

  protected:
    LRESULT OnDerivedShared(WPARAM, LPARAM) { return Logged("derived shared", 3); }
    void OnSelChange() { Logged("derived selchange", 0); }
    // Lets the control keep the text, then notes it.
    LRESULT OnSetText(WPARAM, LPARAM) { return Logged("derived settext", Default()); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_MESSAGE(kShared, OnDerivedShared)
ON_LBN_SELCHANGE(kControlId, OnSelChange)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

struct RecordingApp : CWinApp
{
    std::string fatal;
    void OnFatalError(const char* what) override { fatal = what; }
    void OnHelpCommand() { Logged("app help", 0); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

HWND MakeWindow(DWORD style, HWND parent)
{
    return ::CreateWindowExA(0, "STATIC", "", style, 0, 0, 20, 20, parent, nullptr, nullptr,
                             nullptr);
}

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
    CWnd* ownerDrawn = nullptr;                  // bound to IDC_OWNER_DRAWN
    bool bindMissing = false;                    // binds an id the template lacks
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
        return pMsg->message == kBaseOnly ? Logged("dialog sees", FALSE) : FALSE;
    }

  protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CButton missing;
        if (ownerDrawn != nullptr)
            DDX_Control(pDX, IDC_OWNER_DRAWN, *ownerDrawn);
        if (bindMissing)
            DDX_Control(pDX, 4242, missing);
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

} // namespace

// The derived map is searched before its bases; commands match by code and id;
// commands a top-level window leaves alone go on to the application.
TEST(MessageMap, DispatchesThroughTheMapChainThenTheApplication)
{
    RecordingApp app;
    DerivedWindow window;
    ASSERT_TRUE(window.SubclassWindow(MakeWindow(WS_POPUP, nullptr)));
    DerivedWindow child;
    ASSERT_TRUE(child.SubclassWindow(MakeWindow(WS_CHILD, window.m_hWnd)));
    const struct
    {
        CWnd& target;
        UINT message;
        WPARAM wParam;
        LRESULT result;
        std::vector<std::string> log;
    } cases[] = {
        {window, kBaseOnly, 0, 1, {"base only"}},
        {window, kShared, 0, 3, {"derived shared"}},
        {window, WM_COMMAND, MAKEWPARAM(kControlId, BN_CLICKED), 0, {"base clicked"}},
        {window, WM_COMMAND, MAKEWPARAM(kControlId, LBN_SELCHANGE), 0, {"derived selchange"}},
        {window, WM_COMMAND, MAKEWPARAM(kControlId + 1, BN_CLICKED), 0, {}},
        {window, WM_COMMAND, ID_HELP, 0, {"app help"}},
        {child, WM_COMMAND, ID_HELP, 0, {}},
    };
    for (const auto& c : cases)
    {
        g_log.clear();
        EXPECT_EQ(c.result, c.target.SendMessage(c.message, c.wParam)) << c.message;
        EXPECT_EQ(c.log, g_log) << c.message;
    }
    window.SetWindowText("kept by the static control");
    EXPECT_EQ("kept by the static control", window.GetWindowText());
}

// Each way out ends the loop and the window; a quit stays queued for the loop outside.
TEST(ModalDialog, EndsOnEndDialogKeysCloseAndQuit)
{
    using Script = void (*)(ScriptedDialog&);
    const std::tuple<const char*, bool, Script, int> cases[] = {
        {"EndDialog", false, [](ScriptedDialog& d) { d.EndDialog(42); }, 42},
        {"EndDialog in init", true, [](ScriptedDialog& d) { d.EndDialog(7); }, 7},
        {"Enter", false, [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_RETURN); }, IDOK},
        {"Esc", false, [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_ESCAPE); }, IDCANCEL},
        {"Close", false, [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
        {"Quit", false, [](ScriptedDialog&) { ::PostQuitMessage(5); }, -1},
    };
    for (const auto& [name, duringInit, script, result] : cases)
    {
        SCOPED_TRACE(name);
        ScriptedDialog dialog;
        HWND window = nullptr;
        (duringInit ? dialog.onInit : dialog.onOpen) = [&, script = script](ScriptedDialog& d) {
            window = d.m_hWnd;
            script(d);
        };
        EXPECT_EQ(result, dialog.DoModal());
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(nullptr, dialog.m_hWnd);
        MSG quit{};
        EXPECT_EQ(result == -1, ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0);
        EXPECT_EQ(result == -1 ? 5u : 0u, quit.wParam);
    }
}

TEST(ModalDialog, WithoutParentTheMainWindowOwnsItAndIsDisabledMeanwhile)
{
    CWinApp app;
    CWnd mainWindow;
    ASSERT_TRUE(mainWindow.Attach(MakeWindow(WS_POPUP, nullptr)));
    app.m_pMainWnd = &mainWindow;
    ScriptedDialog dialog;
    dialog.onOpen = [&](ScriptedDialog& d) {
        EXPECT_EQ(mainWindow.m_hWnd, ::GetWindow(d.m_hWnd, GW_OWNER));
        EXPECT_FALSE(::IsWindowEnabled(mainWindow));
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(::IsWindowEnabled(mainWindow));
}

// The control, then the dialog, then dispatch; owner-draw requests reach the
// control's DrawItem.
TEST(ModalDialog, ControlsPreTranslateTheirMessagesAndDrawThemselves)
{
    for (BOOL swallow : {FALSE, TRUE})
    {
        g_log.clear();
        DerivedWindow control;
        control.swallow = swallow;
        ScriptedDialog dialog;
        dialog.ownerDrawn = &control;
        dialog.onOpen = [&](ScriptedDialog& d) {
            ::RedrawWindow(control.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            control.PostMessage(kBaseOnly);
            d.PostMessage(WM_COMMAND, IDOK);
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        const std::vector<std::string> expected =
            swallow ? std::vector<std::string>{"control draws", "control sees"}
                    : std::vector<std::string>{"control draws", "control sees", "dialog sees",
                                               "base only"};
        EXPECT_EQ(expected, g_log);
        EXPECT_EQ(nullptr, control.m_hWnd);
    }
}

// No error is swallowed: a control that cannot be bound fails the dialog's
// start, and an error in a handler reaches the application.
TEST(ModalDialog, ErrorsReachTheDialogAndTheApplication)
{
    RecordingApp app;
    ScriptedDialog unbindable;
    unbindable.bindMissing = true;
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

TEST(FileDialogFilter, BarsBecomeNulsAndTheListEndsWithTwo)
{
    using namespace std::string_literals;
    EXPECT_EQ("AllFiles (*.*)\0*.*\0\0"s, ConvertFilter("AllFiles (*.*)|*.*|"));
    EXPECT_EQ("Text\0*.txt\0All\0*.*\0\0"s, ConvertFilter("Text|*.txt|All|*.*"));
}
