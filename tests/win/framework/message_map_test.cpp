#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/win_app.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
constexpr UINT kBaseOnly = WM_APP + 1;
constexpr UINT kShared = WM_APP + 2;
constexpr UINT kUnmapped = WM_APP + 4;
constexpr UINT kControlId = 7;

std::string g_handled;

LRESULT Handled(const char* name, LRESULT result)
{
    g_handled = name;
    return result;
}

class BaseWindow : public CWnd
{
  protected:
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return Handled("base only", 1); }
    LRESULT OnShared(WPARAM, LPARAM) { return Handled("base shared", 2); }
    void OnClicked() { Handled("base clicked", 0); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_MESSAGE(kBaseOnly, OnBaseOnly)
ON_MESSAGE(kShared, OnShared)
ON_BN_CLICKED(kControlId, OnClicked)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow
{
  protected:
    LRESULT OnDerivedShared(WPARAM, LPARAM) { return Handled("derived shared", 3); }
    void OnSelChange() { Handled("derived selchange", 0); }
    // Lets the control keep the text, then notes it.
    LRESULT OnSetText(WPARAM, LPARAM) { return Handled("derived settext", Default()); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_MESSAGE(kShared, OnDerivedShared)
ON_LBN_SELCHANGE(kControlId, OnSelChange)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class HelpApp : public CWinApp
{
  protected:
    void OnHelpCommand() { g_handled = "app help"; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

HWND MakeWindow(DWORD style, HWND parent)
{
    return ::CreateWindowExA(0, "STATIC", "", style, 0, 0, 20, 20, parent, nullptr, nullptr,
                             nullptr);
}

// The derived map is searched before its bases; commands match by code and id.
TEST(MessageMap, SubclassedWindowDispatchesThroughTheMapChain)
{
    DerivedWindow window;
    ASSERT_TRUE(window.SubclassWindow(MakeWindow(WS_POPUP, nullptr)));
    struct Case
    {
        UINT message;
        WPARAM wParam;
        const char* handler; // empty: none ran
        LRESULT result;
    };
    const Case cases[] = {
        {kBaseOnly, 0, "base only", 1},
        {kShared, 0, "derived shared", 3},
        {WM_COMMAND, MAKEWPARAM(kControlId, BN_CLICKED), "base clicked", 0},
        {WM_COMMAND, MAKEWPARAM(kControlId, LBN_SELCHANGE), "derived selchange", 0},
        {WM_COMMAND, MAKEWPARAM(kControlId + 1, BN_CLICKED), "", 0},
        {kUnmapped, 0, "", 0},
    };
    for (const Case& c : cases)
    {
        g_handled.clear();
        EXPECT_EQ(c.result, window.SendMessage(c.message, c.wParam)) << c.message;
        EXPECT_EQ(c.handler, g_handled) << c.message;
    }

    window.SetWindowText("kept by the static control");
    EXPECT_EQ("derived settext", g_handled);
    EXPECT_EQ("kept by the static control", window.GetWindowText());
    HWND hWnd = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_EQ(nullptr, window.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(MessageMap, CommandsTopLevelWindowsLeaveAloneGoToTheApplication)
{
    HelpApp app;
    DerivedWindow topLevel;
    ASSERT_TRUE(topLevel.SubclassWindow(MakeWindow(WS_POPUP, nullptr)));
    DerivedWindow child;
    ASSERT_TRUE(child.SubclassWindow(MakeWindow(WS_CHILD, topLevel.m_hWnd)));
    g_handled.clear();
    child.SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ("", g_handled);
    topLevel.SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ("app help", g_handled);
}
} // namespace
