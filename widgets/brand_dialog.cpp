#include "widgets/brand_dialog.h"

#include "platform/win32/system_function.h"

#include <algorithm>
#include <uxtheme.h>

namespace
{

// The column's blue and the light text on it, as the pictures drawn on it have.
constexpr COLORREF kColumnBlue = RGB(0x1f, 0x4f, 0x96);
constexpr COLORREF kColumnInk = RGB(0xf2, 0xf6, 0xff);

void DropTheme(HWND control)
{
    static const auto setTheme =
        platform::SystemFunction<decltype(&SetWindowTheme)>("uxtheme.dll", "SetWindowTheme");
    if (setTheme != nullptr)
        setTheme(control, L"", L"");
}

} // namespace

BEGIN_MESSAGE_MAP(CBrandDialog, CDialog)
ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
END_MESSAGE_MAP()

CBrandDialog::CBrandDialog(UINT nIDTemplate, const BrandColumn& column, int boldLine,
                           CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_column(column), m_boldLine(boldLine)
{
    m_columnBrush.CreateSolidBrush(kColumnBlue);
}

BOOL CBrandDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    m_picture.SubclassDlgItem(static_cast<UINT>(m_column.pictureControl), this);
    PutOnColumn(m_column.column);
    FollowDpi(WindowDpi(m_hWnd));
    return result;
}

void CBrandDialog::OnDpiChanged(UINT dpi)
{
    FollowDpi(dpi);
}

void CBrandDialog::PutOnColumn(int nIDC)
{
    const HWND control = GetDlgItem(m_hWnd, nIDC);
    DropTheme(control);
    m_onColumn.push_back(control);
}

void CBrandDialog::CentreOnColumn(HWND control)
{
    RECT column{};
    GetWindowRect(GetDlgItem(m_hWnd, m_column.column), &column);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&column), 2);
    CentreAcross(control, column.left, column.right);
}

LRESULT CBrandDialog::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    const auto control = reinterpret_cast<HWND>(lParam);
    if (HighContrastOn() ||
        std::find(m_onColumn.begin(), m_onColumn.end(), control) == m_onColumn.end())
        return Default();
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kColumnInk);
    SetBkColor(dc, kColumnBlue);
    return reinterpret_cast<LRESULT>(static_cast<HBRUSH>(m_columnBrush));
}

void CBrandDialog::FollowDpi(UINT dpi)
{
    m_picture.Show(m_column.picture, dpi);
    CentreOnColumn(m_picture);
    // Each new one is set before the one it replaces goes.
    CIcon big, small;
    big.Load(m_column.icon, CIcon::kBig, dpi);
    small.Load(m_column.icon, CIcon::kSmall, dpi);
    SetIcon(big, TRUE);
    SetIcon(small, FALSE);
    m_bigIcon.Swap(big);
    m_smallIcon.Swap(small);
    LOGFONTA font{};
    if (GetObjectA(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)), sizeof font, &font))
    {
        font.lfWeight = FW_BOLD;
        CFont bold;
        bold.CreateFontIndirect(&font);
        SendDlgItemMessageA(m_hWnd, m_boldLine, WM_SETFONT, reinterpret_cast<WPARAM>(HFONT(bold)),
                            TRUE);
        m_boldFont.Swap(bold);
    }
}
