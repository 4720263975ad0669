#pragma once

#include "framework/wnd.h"

#include <utility>

// Owns a GDI object: the handle is deleted with the object.
class CGdiObject
{
  public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject();

    HGDIOBJ m_hObject = nullptr;

    // Takes ownership of hObject, deleting an object held before.
    BOOL Attach(HGDIOBJ hObject);
    // Trades objects with `other`: the one replaced is still there to be
    // deleted after whoever used it has the new one.
    void Swap(CGdiObject& other) { std::swap(m_hObject, other.m_hObject); }
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;
};

class CBitmap : public CGdiObject
{
  public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    int GetBitmap(BITMAP* pBitMap) const;
};

class CFont : public CGdiObject
{
  public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
};

class CBrush : public CGdiObject
{
  public:
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF crColor);
};

// Owns an icon loaded at a size of the program's choice: destroyed with the
// object.
class CIcon
{
  public:
    CIcon() = default;
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;
    ~CIcon();

    HICON m_hIcon = nullptr;

    operator HICON() const { return m_hIcon; }
    void Swap(CIcon& other) { std::swap(m_hIcon, other.m_hIcon); }
    enum Size
    {
        kBig,   // SM_CXICON: a window's big icon, an About box's
        kSmall, // SM_CXSMICON: the caption's, the taskbar's
    };
    // The module's icon nID at that size for `dpi`, drawn from its nearest
    // image; an icon held before is destroyed. FALSE when it does not load.
    BOOL Load(UINT nID, Size size, UINT dpi);
};

// A device context. One made by CreateCompatibleDC is deleted with the object;
// one attached belongs to someone else.
class CDC
{
  public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    HDC m_hDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    BOOL Attach(HDC hDC);
    HDC Detach();

    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    // The bitmap selected before, or null on failure.
    HBITMAP SelectObject(HBITMAP hBitmap);
    HBITMAP SelectObject(const CBitmap* pBitmap);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL DrawIcon(int x, int y, HICON hIcon);

  private:
    bool m_bOwned = false;
};

// The context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC
{
  public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

  private:
    HWND m_hWnd;
};
