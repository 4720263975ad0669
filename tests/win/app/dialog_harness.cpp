#include "tests/win/app/dialog_harness.h"

namespace
{
constexpr UINT kRunScript = WM_APP + 1;
constexpr UINT kScriptDoneMessage = WM_APP + 2;
} // namespace

TestDialog::TestDialog(const TempFolder& folder, Prompt& prompt, Shell& shell)
    : CBackupDialog(InstallDirectory(folder.Path()), prompt, shell, nullptr)
{
}

BEGIN_MESSAGE_MAP(TestDialog, CBackupDialog)
ON_MESSAGE(kRunScript, OnRunScript)
ON_MESSAGE(kScriptDoneMessage, OnScriptDone)
END_MESSAGE_MAP()

int TestDialog::Run(Script script, Script beforeInit)
{
    m_script = std::move(script);
    m_beforeInit = std::move(beforeInit);
    return DoModal();
}

BOOL TestDialog::OnInitDialog()
{
    if (m_beforeInit)
        m_beforeInit(*this);
    const BOOL result = CBackupDialog::OnInitDialog();
    PostMessage(kRunScript);
    return result;
}

void TestDialog::EndProcess()
{
    processEnded = true;
    EndDialog(kProcessEnded);
}

LRESULT TestDialog::OnRunScript(WPARAM, LPARAM)
{
    m_script(*this);
    // Posted, so that what the script posted is handled first.
    PostMessage(kScriptDoneMessage);
    return 0;
}

LRESULT TestDialog::OnScriptDone(WPARAM, LPARAM)
{
    if (!processEnded)
        EndDialog(kScriptDone);
    return 0;
}

HWND TestDialog::Item(int id) const
{
    return ::GetDlgItem(m_hWnd, id);
}

int TestDialog::Check(int id) const
{
    return static_cast<int>(SendDlgItemMessageA(m_hWnd, id, BM_GETCHECK, 0, 0));
}

bool TestDialog::Enabled(int id) const
{
    return ::IsWindowEnabled(Item(id)) != FALSE;
}

void TestDialog::Click(int id)
{
    SendDlgItemMessageA(m_hWnd, id, BM_CLICK, 0, 0);
}

void TestDialog::ClickSource(int index)
{
    RECT item{};
    SendDlgItemMessageA(m_hWnd, IDC_SOURCE_LIST, LB_GETITEMRECT, index,
                        reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendDlgItemMessageA(m_hWnd, IDC_SOURCE_LIST, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendDlgItemMessageA(m_hWnd, IDC_SOURCE_LIST, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> TestDialog::Sources() const
{
    std::vector<std::string> sources;
    const int count =
        static_cast<int>(SendDlgItemMessageA(m_hWnd, IDC_SOURCE_LIST, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
    {
        const auto length = SendDlgItemMessageA(m_hWnd, IDC_SOURCE_LIST, LB_GETTEXTLEN, index, 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendDlgItemMessageA(m_hWnd, IDC_SOURCE_LIST, LB_GETTEXT, index,
                            reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        sources.push_back(text);
    }
    return sources;
}
