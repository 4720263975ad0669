#include "framework/common_dialog.h"
#include "framework/controls.h"
#include "framework/win_app.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace
{
constexpr UINT kBaseOnly = WM_APP + 1;
constexpr UINT kShared = WM_APP + 2;
constexpr UINT kThrows = WM_APP + 3;
constexpr UINT kUnmapped = WM_APP + 4;
constexpr UINT kControlId = 7;

std::string g_handled;

class BaseWindow : public CWnd
{
  public:
    static const MessageMap* Map() { return GetThisMessageMap(); }

  protected:
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return Handled("base only", 1); }
    LRESULT OnShared(WPARAM, LPARAM) { return Handled("base shared", 2); }
    void OnClicked() { Handled("base clicked", 0); }
    static LRESULT Handled(const char* name, LRESULT result)
    {
        g_handled = name;
        return result;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_MESSAGE(kBaseOnly, OnBaseOnly)
ON_MESSAGE(kShared, OnShared)
ON_BN_CLICKED(kControlId, OnClicked)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow
{
  public:
    static const MessageMap* Map() { return GetThisMessageMap(); }

  protected:
    LRESULT OnDerivedShared(WPARAM, LPARAM) { return Handled("derived shared", 3); }
    void OnSelChange() { Handled("derived selchange", 0); }
    LRESULT OnThrows(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    // Sets the text the usual way, then notes it.
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        const LRESULT result = Default();
        Handled("derived settext", 0);
        return result;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_MESSAGE(kShared, OnDerivedShared)
ON_LBN_SELCHANGE(kControlId, OnSelChange)
ON_MESSAGE(kThrows, OnThrows)
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

TEST(MessageMap, MatchingWalksTheDerivedMapBeforeItsBases)
{
    struct Case
    {
        UINT message;
        WPARAM wParam;
        const char* handler; // null: no entry
    };
    const Case cases[] = {
        {kBaseOnly, 0, "base only"},
        {kShared, 0, "derived shared"},
        {WM_COMMAND, MAKEWPARAM(kControlId, BN_CLICKED), "base clicked"},
        {WM_COMMAND, MAKEWPARAM(kControlId, LBN_SELCHANGE), "derived selchange"},
        {WM_COMMAND, MAKEWPARAM(kControlId + 1, BN_CLICKED), nullptr},
        {kUnmapped, 0, nullptr},
        {WM_DRAWITEM, 0, "CWnd"},
    };
    for (const Case& c : cases)
    {
        const MessageMapEntry* entry = FindMessageEntry(DerivedWindow::Map(), c.message, c.wParam);
        if (c.handler == nullptr)
        {
            EXPECT_EQ(nullptr, entry) << c.message;
        }
        else if (std::string(c.handler) == "CWnd")
        {
            // Reached through the whole chain, down to the window's own map.
            ASSERT_NE(nullptr, entry);
            EXPECT_EQ(static_cast<UINT>(WM_DRAWITEM), entry->message);
        }
        else
        {
            ASSERT_NE(nullptr, entry) << c.handler;
            DerivedWindow window;
            g_handled.clear();
            entry->call(&window, c.wParam, 0);
            EXPECT_EQ(c.handler, g_handled);
        }
    }
    EXPECT_EQ(nullptr, FindMessageEntry(BaseWindow::Map(), WM_COMMAND,
                                        MAKEWPARAM(kControlId, LBN_SELCHANGE)));
}

TEST(MessageMap, SubclassedWindowDispatchesAndDefaultReachesThePreviousProcedure)
{
    DerivedWindow window;
    ASSERT_TRUE(window.SubclassWindow(MakeWindow(WS_POPUP, nullptr)));
    EXPECT_EQ(&window, CWnd::FromHandlePermanent(window.m_hWnd));
    EXPECT_EQ(3, window.SendMessage(kShared));
    EXPECT_EQ(1, window.SendMessage(kBaseOnly));
    window.SetWindowText("kept by the static control");
    EXPECT_EQ("derived settext", g_handled);
    EXPECT_EQ("kept by the static control", window.GetWindowText());
    HWND hWnd = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_EQ(nullptr, window.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(MessageMap, AFailingHandlerNeverLeavesTheWindowProcedure)
{
    DerivedWindow window;
    ASSERT_TRUE(window.SubclassWindow(MakeWindow(WS_POPUP, nullptr)));
    EXPECT_EQ(0, window.SendMessage(kThrows));
    EXPECT_EQ(1, window.SendMessage(kBaseOnly));
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

TEST(MessageMap, TemporaryObjectsWrapUnboundWindowsWithoutOwningThem)
{
    HWND hWnd = MakeWindow(WS_POPUP, nullptr);
    CWnd* temporary = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(hWnd, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    ::DestroyWindow(hWnd);
}

class SampleButton : public CBitmapButton
{
    DECLARE_DYNAMIC(SampleButton)
};
IMPLEMENT_DYNAMIC(SampleButton, CBitmapButton)

// Presents itself as derived from CDialog, though it is built on CCommonDialog.
class SamplePicker : public CCommonDialog
{
    DECLARE_DYNAMIC(SamplePicker)

  public:
    SamplePicker() : CCommonDialog(nullptr) {}
};
IMPLEMENT_DYNAMIC(SamplePicker, CDialog)

TEST(RuntimeClass, NamesTheClassAndTheBaseItPresents)
{
    SampleButton button;
    EXPECT_STREQ("SampleButton", button.GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CBitmapButton", button.GetRuntimeClass()->m_pBaseClass->m_lpszClassName);
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CButton)));
    EXPECT_FALSE(button.IsKindOf(RUNTIME_CLASS(CDialog)));
    SamplePicker picker;
    EXPECT_STREQ("CDialog", picker.GetRuntimeClass()->m_pBaseClass->m_lpszClassName);
    EXPECT_FALSE(picker.IsKindOf(RUNTIME_CLASS(CCommonDialog)));
}
} // namespace
