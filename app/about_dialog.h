#pragma once

#include "framework/framework.h"
#include "widgets/artwork.h"

// The About box, opened from the main window's system menu.
class CAboutDialog : public CDialog
{
  public:
    CAboutDialog();

  protected:
    BOOL OnInitDialog() override;
    void OnDpiChanged(UINT dpi) override;
    // Opens the product's home page; the About box stays open.
    void OnVisitWebsite();

    DECLARE_MESSAGE_MAP()

  private:
    // The picture and the icon at the window's DPI.
    void ShowPictures(UINT dpi);

    CArtwork m_picture;
    CStatic m_iconControl;
    CIcon m_icon;
};
