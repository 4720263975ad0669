#include "widgets/folder_dialog.h"

#include "platform/path_code.h"
#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"

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
    OleScope()
    {
        static const auto initialize =
            platform::SystemFunction<decltype(&OleInitialize)>("ole32.dll", "OleInitialize");
        m_initialised = initialize != nullptr && SUCCEEDED(initialize(nullptr));
    }
    ~OleScope()
    {
        static const auto uninitialize =
            platform::SystemFunction<decltype(&OleUninitialize)>("ole32.dll", "OleUninitialize");
        if (m_initialised && uninitialize != nullptr)
            uninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    bool m_initialised = false;
};

// The browser's calls, looked up when a folder is first picked.
LPITEMIDLIST BrowseForFolder(BROWSEINFOA* info)
{
    static const auto browse = platform::SystemFunction<decltype(&SHBrowseForFolderA)>(
        "shell32.dll", "SHBrowseForFolderA");
    return browse != nullptr ? browse(info) : nullptr;
}

BOOL PathFromItemList(LPCITEMIDLIST pidl, char* path)
{
    static const auto pathFrom = platform::SystemFunction<decltype(&SHGetPathFromIDListA)>(
        "shell32.dll", "SHGetPathFromIDListA");
    return pathFrom != nullptr && pathFrom(pidl, path);
}

// The folder's path in UTF-8, with every character of its name, which the
// ANSI call turns into look-alikes or "?"; empty where it has none.
std::string Utf8PathFromItemList(LPCITEMIDLIST pidl)
{
    static const auto pathFrom = platform::SystemFunction<decltype(&SHGetPathFromIDListW)>(
        "shell32.dll", "SHGetPathFromIDListW");
    wchar_t path[MAX_PATH] = {};
    return pathFrom != nullptr && pathFrom(pidl, path) ? platform::PathFromWide(path)
                                                       : std::string();
}

// The browser's item lists come from the task allocator.
void FreeItemList(LPITEMIDLIST pidl)
{
    static const auto taskMemFree =
        platform::SystemFunction<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    if (taskMemFree != nullptr)
        taskMemFree(pidl);
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
    LPITEMIDLIST pidl = BrowseForFolder(&m_browseInfo);
    if (pidl == nullptr)
    {
        PostModal();
        return -1;
    }
    BOOL hasPath = PathFromItemList(pidl, m_szSelectedPath);
    m_selectedPath = hasPath ? m_szSelectedPath : "";
    if (platform::ProcessPathCode() == platform::PathCode::Utf8)
    {
        m_selectedPath = Utf8PathFromItemList(pidl);
        hasPath = !m_selectedPath.empty();
    }
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
    if (PathFromItemList(pidl, path))
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
