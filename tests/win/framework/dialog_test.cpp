#include "framework/controls.h"
#include "framework/win_app.h"
#include "scripted_dialog.h"
#include "test_resources.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kFinish = WM_APP + 2;

std::vector<std::string> g_log;

// A control that logs what reaches it and may keep a probe from being dispatched.
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

// A dialog that logs the probe on its way past and ends on kFinish.
class LoggingDialog : public ScriptedDialog
{
  public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == kProbe)
            g_log.push_back("dialog sees");
        return ScriptedDialog::PreTranslateMessage(pMsg);
    }

  protected:
    LRESULT OnFinish(WPARAM, LPARAM)
    {
        EndDialog(IDOK);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LoggingDialog, ScriptedDialog)
ON_MESSAGE(kFinish, OnFinish)
END_MESSAGE_MAP()

TEST(ModalDialog, EndDialogEndsTheLoopAndTheWindow)
{
    ScriptedDialog dialog;
    HWND window = nullptr;
    dialog.onOpen = [&](ScriptedDialog& d) {
        window = d.m_hWnd;
        d.EndDialog(42);
    };
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(ModalDialog, EndDialogDuringInitialisationNeverEntersTheLoop)
{
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.EndDialog(7); };
    EXPECT_EQ(7, dialog.DoModal());
}

TEST(ModalDialog, KeysAndCloseEndTheDialogThroughTheDefaultCommands)
{
    struct Case
    {
        UINT message;
        WPARAM wParam;
        int result;
    };
    const Case cases[] = {
        {WM_KEYDOWN, VK_RETURN, IDOK},
        {WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
        {WM_CLOSE, 0, IDCANCEL},
        {WM_COMMAND, IDOK, IDOK},
    };
    for (const Case& c : cases)
    {
        ScriptedDialog dialog;
        dialog.onOpen = [&](ScriptedDialog& d) { d.PostMessage(c.message, c.wParam); };
        EXPECT_EQ(c.result, dialog.DoModal()) << "message " << c.message << " " << c.wParam;
    }
}

TEST(ModalDialog, QuitEndsTheLoopAndStaysQueuedForTheOuterLoop)
{
    ScriptedDialog dialog;
    dialog.onOpen = [](ScriptedDialog&) { ::PostQuitMessage(5); };
    EXPECT_EQ(-1, dialog.DoModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5u, msg.wParam);
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
        ownerEnabled = mainWindow.IsWindowEnabled();
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(mainWindow.m_hWnd, owner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(mainWindow.IsWindowEnabled());
}

TEST(ModalDialog, InitResultDecidesWhoGetsTheFocus)
{
    struct Case
    {
        BOOL initResult;
        int focusedByInit; // 0: none
        int expectedFocus;
    };
    const Case cases[] = {
        {TRUE, 0, IDC_FIRST_EDIT},
        {FALSE, IDC_PLAIN_BUTTON, IDC_PLAIN_BUTTON},
    };
    for (const Case& c : cases)
    {
        int focused = 0;
        ScriptedDialog dialog;
        dialog.initResult = c.initResult;
        dialog.onInit = [&](ScriptedDialog& d) {
            if (c.focusedByInit != 0)
                ::SetFocus(::GetDlgItem(d.m_hWnd, c.focusedByInit));
        };
        dialog.onOpen = [&](ScriptedDialog& d) {
            focused = ::GetDlgCtrlID(::GetFocus());
            d.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_EQ(c.expectedFocus, focused) << "init result " << c.initResult;
    }
}

TEST(ModalDialog, PreTranslateMessageReachesTheControlThenTheDialog)
{
    for (BOOL swallow : {FALSE, TRUE})
    {
        g_log.clear();
        LoggingButton button;
        button.swallowProbe = swallow;
        LoggingDialog dialog;
        dialog.bindings = {{IDC_PLAIN_BUTTON, &button}};
        dialog.onOpen = [&](ScriptedDialog& d) {
            button.PostMessage(kProbe);
            d.PostMessage(kFinish);
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        const std::vector<std::string> expected =
            swallow ? std::vector<std::string>{"button sees"}
                    : std::vector<std::string>{"button sees", "dialog sees", "button handles"};
        EXPECT_EQ(expected, g_log) << "swallow " << swallow;
    }
}

TEST(ModalDialog, DdxControlSubclassesOnceAndTheBindingEndsWithTheWindow)
{
    g_log.clear();
    LoggingButton button;
    LONG_PTR procAfterFirstBind = 0;
    LONG_PTR procAfterSecondBind = 0;
    HWND control = nullptr;
    ScriptedDialog dialog;
    dialog.bindings = {{IDC_PLAIN_BUTTON, &button}};
    dialog.onOpen = [&](ScriptedDialog& d) {
        control = ::GetDlgItem(d.m_hWnd, IDC_PLAIN_BUTTON);
        procAfterFirstBind = ::GetWindowLongPtrA(control, GWLP_WNDPROC);
        d.UpdateData(FALSE);
        procAfterSecondBind = ::GetWindowLongPtrA(control, GWLP_WNDPROC);
        ::SendMessageA(control, kProbe, 0, 0);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_NE(nullptr, control);
    EXPECT_EQ(procAfterFirstBind, procAfterSecondBind);
    EXPECT_EQ(std::vector<std::string>{"button handles"}, g_log);
    EXPECT_EQ(nullptr, button.m_hWnd);
}

TEST(ModalDialog, OwnerDrawRequestsReachTheControlObject)
{
    LoggingButton ownerDrawn;
    ScriptedDialog dialog;
    dialog.bindings = {{IDC_OWNER_DRAWN, &ownerDrawn}};
    dialog.onOpen = [&](ScriptedDialog& d) {
        ownerDrawn.drawnIds.clear();
        ::RedrawWindow(ownerDrawn.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_FALSE(ownerDrawn.drawnIds.empty());
    EXPECT_EQ(static_cast<UINT>(IDC_OWNER_DRAWN), ownerDrawn.drawnIds.front());
}
} // namespace
