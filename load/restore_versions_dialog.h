#pragma once

#include "companions/versions.h"
#include "framework/framework.h"

#include <string>
#include <vector>

// The versions of one file, newest first; "Restore" (or a double click)
// picks one.
class CVersionsDialog : public CDialog
{
  public:
    // `versions` newest first.
    CVersionsDialog(const std::string& name, std::vector<companions::Version> versions,
                    CWnd* pParentWnd);

    // The version picked, or null when none was.
    const companions::Version* Pick();

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnSelChange();

    CListBox m_list;
    CButton m_restore;

    DECLARE_MESSAGE_MAP()

  private:
    std::string m_name;
    std::vector<companions::Version> m_versions;
    int m_picked = LB_ERR;
};
