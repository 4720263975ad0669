#include "widgets/folder_dialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFolderDialog, CCommonDialog)

BEGIN_MESSAGE_MAP(CFolderDialog, CCommonDialog)
END_MESSAGE_MAP()

namespace
{
// The browser needs an apartment-threaded COM (OLE for its newer styles).
// Initialising here keeps the picker usable whether or not the program did;
// when the program already has, this only counts up and down again.
class OleScope
{
  public:
    OleScope() : m_initialised(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope()
    {
        if (m_initialised)
            OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    bool m_initialised;
};

void FreeItemList(LPITEMIDLIST pidl)
{
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)))
    {
        allocator->Free(pidl);
        allocator->Release();
    }
}
} // namespace

CFolderDialog::CFolderDialog(LPCSTR lpszTitle, LPCSTR lpszInitialFolder, CWnd* pParentWnd,
                             UINT32 ulFlags)
    : CCommonDialog(pParentWnd), m_browseInfo{}, m_szInitialFolder{}, m_szSelectedPath{},
      m_hBrowseWnd(nullptr), m_displayName(new char[MAX_PATH]())
{
    // A longer folder cannot be a valid path; preselecting a cut-off one would
    // mislead, so it is left out and the shell's default selection stands.
    if (lpszInitialFolder != nullptr && std::strlen(lpszInitialFolder) < MAX_PATH)
        std::strcpy(m_szInitialFolder, lpszInitialFolder);

    m_browseInfo.hwndOwner = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    m_browseInfo.pidlRoot = nullptr;
    m_browseInfo.pszDisplayName = m_displayName.get();
    m_browseInfo.lpszTitle = lpszTitle;
    m_browseInfo.ulFlags = ulFlags;
    m_browseInfo.lpfn = BrowseCallbackProc;
    m_browseInfo.lParam = reinterpret_cast<LPARAM>(this);
    m_browseInfo.iImage = 0;
}

int CFolderDialog::DoModal()
{
    m_browseInfo.hwndOwner = PreModal();
    OleScope ole;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&m_browseInfo);
    if (pidl == nullptr)
    {
        PostModal();
        return -1;
    }
    const BOOL hasPath = SHGetPathFromIDListA(pidl, m_szSelectedPath);
    FreeItemList(pidl);
    PostModal();
    return hasPath ? IDOK : kNoFileSystemPath;
}

int CALLBACK CFolderDialog::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    auto* dialog = reinterpret_cast<CFolderDialog*>(lpData);
    // The shell calls back from inside our own sends (a selection set in
    // OnInitialized reports the change at once), so the outer call's window is
    // put back rather than cleared.
    const HWND outer = dialog->m_hBrowseWnd;
    dialog->m_hBrowseWnd = hwnd;
    int result = 0;
    switch (uMsg)
    {
    case BFFM_INITIALIZED:
        dialog->OnInitialized();
        break;
    case BFFM_SELCHANGED:
        dialog->OnSelChanged(reinterpret_cast<LPCITEMIDLIST>(lParam));
        break;
    case BFFM_VALIDATEFAILEDA:
        result = dialog->OnValidateFailed(reinterpret_cast<LPCSTR>(lParam));
        break;
    case BFFM_IUNKNOWN:
        dialog->OnIUnknown(reinterpret_cast<IUnknown*>(lParam));
        break;
    default:
        break;
    }
    dialog->m_hBrowseWnd = outer;
    return result;
}

void CFolderDialog::OnInitialized()
{
    if (m_szInitialFolder[0] != '\0')
        ::SendMessageA(m_hBrowseWnd, BFFM_SETSELECTIONA, TRUE,
                       reinterpret_cast<LPARAM>(m_szInitialFolder));
}

void CFolderDialog::OnSelChanged(LPCITEMIDLIST pidl)
{
    if ((m_browseInfo.ulFlags & BIF_STATUSTEXT) == 0)
        return;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(pidl, path))
        ::SendMessageA(m_hBrowseWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
}

int CFolderDialog::OnValidateFailed(LPCSTR)
{
    ::MessageBeep(MB_ICONHAND);
    return 1;
}

void CFolderDialog::OnIUnknown(IUnknown*)
{
}
