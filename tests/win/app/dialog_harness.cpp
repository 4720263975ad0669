#include "tests/win/app/dialog_harness.h"

static constexpr UINT kRunScript = WM_APP + 1;

BOOL TestDialog::OnInitDialog()
{
    if (beforeInit)
        beforeInit(*this);
    const BOOL result = CBackupDialog::OnInitDialog();
    PostMessage(kRunScript);
    return result;
}

LRESULT TestDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunScript)
        return CBackupDialog::WindowProc(message, wParam, lParam);
    m_script(*this);
    // Posted, so that what the script posted is handled first.
    PostMessage(WM_COMMAND, IDOK);
    return 0;
}

void TestDialog::ClickSource(int index)
{
    RECT item{};
    ::SendMessageA(Item(IDC_SOURCE_LIST), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageA(Item(IDC_SOURCE_LIST), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(Item(IDC_SOURCE_LIST), WM_LBUTTONUP, 0, at);
}

std::vector<std::string> TestDialog::Sources() const
{
    std::vector<std::string> sources;
    for (int index = 0; index < ::SendMessageA(Item(IDC_SOURCE_LIST), LB_GETCOUNT, 0, 0); ++index)
        sources.push_back(m_sourceList.GetText(index));
    return sources;
}
