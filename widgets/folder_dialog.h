#pragma once

#include "framework/common_dialog.h"

#include <memory>
#include <shlobj.h>
#include <string>
#include <windows.h>

// Lets the user pick a folder in the shell's folder browser and hands back its
// file-system path. The shell's notifications become four virtual operations.
class CFolderDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFolderDialog)

  public:
    // The title is kept by pointer: it must outlive DoModal.
    CFolderDialog(LPCSTR lpszTitle, LPCSTR lpszInitialFolder, CWnd* pParentWnd, UINT32 ulFlags);
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    // What DoModal returns for a chosen item that has no file-system path.
    static constexpr int kNoFileSystemPath = 2;

    // IDOK: a folder with a path was chosen; kNoFileSystemPath; -1: cancelled or failed.
    int DoModal() override;

    static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    // The folder picked, as path text (platform/path_code.h); empty unless IDOK.
    const std::string& SelectedPath() const { return m_selectedPath; }

    BROWSEINFOA m_browseInfo;
    char m_szInitialFolder[MAX_PATH];
    char m_szSelectedPath[MAX_PATH];
    HWND m_hBrowseWnd;

  protected:
    virtual void OnInitialized();
    virtual void OnSelChanged(LPCITEMIDLIST pidl);
    virtual int OnValidateFailed(LPCSTR lpszTypedText);
    virtual void OnIUnknown(IUnknown* pUnknown);

    DECLARE_MESSAGE_MAP()

  private:
    std::unique_ptr<char[]> m_displayName;
    std::string m_selectedPath;
};
