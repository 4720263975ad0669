#pragma once

#include "framework/framework.h"
#include "widgets/artwork.h"

#include <vector>

// Where a window shows the brand: the resource ids of the program's icon and
// of the brand picture, and the ids of the column's control and of the
// picture's control.
struct BrandColumn
{
    UINT icon;
    UINT picture;
    int column;
    int pictureControl;
};

// A dialog with the blue brand column at its left, as the program's windows
// have: the column and the controls on it in the brand's colours (the
// system's own under high contrast), the brand picture and the window's icons
// at the window's DPI, and one line of text in the dialog's font made bold.
class CBrandDialog : public CDialog
{
  public:
    // `boldLine`: the control whose text is bold.
    CBrandDialog(UINT nIDTemplate, const BrandColumn& column, int boldLine,
                 CWnd* pParentWnd = nullptr);

  protected:
    BOOL OnInitDialog() override;
    void OnDpiChanged(UINT dpi) override;

    // The control stands on the column and takes its colours. A themed
    // control draws its text in the theme's colour, so it loses its theme.
    void PutOnColumn(int nIDC);
    // Moves the control across to the middle of the column.
    void CentreOnColumn(HWND control);
    HICON BigIcon() const { return m_bigIcon; }

    // The column's brush, and its text colour set on the control's context.
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

  private:
    void FollowDpi(UINT dpi);

    BrandColumn m_column;
    int m_boldLine;
    std::vector<HWND> m_onColumn;
    CArtwork m_picture;
    CIcon m_bigIcon;
    CIcon m_smallIcon;
    CFont m_boldFont;
    CBrush m_columnBrush;
};
