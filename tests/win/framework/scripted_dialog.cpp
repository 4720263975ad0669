#include "scripted_dialog.h"

#include "test_resources.h"

namespace
{
constexpr UINT kOpened = WM_APP + 100;
constexpr UINT_PTR kWayOutTimer = 1;
} // namespace

BEGIN_MESSAGE_MAP(ScriptedDialog, CDialog)
ON_MESSAGE(kOpened, OnOpened)
ON_MESSAGE(WM_TIMER, OnTimer)
END_MESSAGE_MAP()

ScriptedDialog::ScriptedDialog(CWnd* pParentWnd) : CDialog(IDD_SCRIPTED, pParentWnd)
{
}

BOOL ScriptedDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetTimer(m_hWnd, kWayOutTimer, 10000, nullptr);
    if (onInit)
        onInit(*this);
    PostMessage(kOpened);
    return initResult;
}

void ScriptedDialog::DoDataExchange(CDataExchange* pDX)
{
    for (auto& [id, control] : bindings)
        DDX_Control(pDX, id, *control);
}

LRESULT ScriptedDialog::OnOpened(WPARAM, LPARAM)
{
    if (onOpen)
        onOpen(*this);
    return 0;
}

LRESULT ScriptedDialog::OnTimer(WPARAM, LPARAM)
{
    EndDialog(kTimedOut);
    return 0;
}
