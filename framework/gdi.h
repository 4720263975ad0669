#pragma once

#include "framework/wnd.h"

// Owns a bitmap: the handle is deleted with the object.
class CBitmap
{
  public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    ~CBitmap();

    HBITMAP m_hObject = nullptr;

    operator HBITMAP() const { return m_hObject; }
    // Takes ownership of hBitmap, deleting a bitmap held before.
    BOOL Attach(HBITMAP hBitmap);
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;
    int GetBitmap(BITMAP* pBitMap) const;
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
    HBITMAP SelectObject(CBitmap* pBitmap);
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
