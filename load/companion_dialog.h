#pragma once

#include "widgets/brand_dialog.h"

// The look the companions' windows share: the main window's blue column with
// its brand picture, its icon, the first line bold, and a window menu that
// offers no other size, since the windows keep theirs.
class CCompanionDialog : public CBrandDialog
{
  public:
    // `headline`: the control of the first line.
    CCompanionDialog(UINT nIDTemplate, int headline, CWnd* pParentWnd = nullptr);

  protected:
    BOOL OnInitDialog() override;
};
