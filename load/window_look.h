#pragma once

#include "framework/framework.h"

// The look the companions' windows share: the main window's icon, the first
// line in the dialog's font made bold, and a window menu that offers no other
// size, since the windows keep theirs.
class CWindowLook
{
  public:
    CWindowLook();
    CWindowLook(const CWindowLook&) = delete;
    CWindowLook& operator=(const CWindowLook&) = delete;
    ~CWindowLook();

    // From the dialog's OnInitDialog.
    void Apply(CWnd& dialog, CWnd& headline);

  private:
    HICON m_hIcon;
    HFONT m_headlineFont = nullptr;
};
