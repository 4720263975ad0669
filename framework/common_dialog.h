#pragma once

#include "framework/dialog.h"

// Base of the dialogs that the system makes (file open, folder browse): they have
// no template of ours, and their OK and Cancel buttons keep the system's handling.
class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)

  public:
    explicit CCommonDialog(CWnd* pParentWnd);

  protected:
    void OnOK() override;
    void OnCancel() override;
};
