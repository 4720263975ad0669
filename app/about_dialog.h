#pragma once

#include "framework/dialog.h"

// The About box, opened from the main window's system menu.
class CAboutDialog : public CDialog
{
  public:
    CAboutDialog();

  protected:
    // Opens the product's home page; the About box stays open.
    void OnVisitWebsite();

    DECLARE_MESSAGE_MAP()
};
