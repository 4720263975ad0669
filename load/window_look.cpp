#include "load/window_look.h"

#include "res/resource.h"

CWindowLook::CWindowLook()
    : m_hIcon(LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
}

CWindowLook::~CWindowLook()
{
    if (m_headlineFont)
        DeleteObject(m_headlineFont);
}

void CWindowLook::Apply(CWnd& dialog, CWnd& headline)
{
    dialog.SetIcon(m_hIcon, TRUE);
    dialog.SetIcon(m_hIcon, FALSE);
    LOGFONTA font{};
    if (GetObjectA(reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT)), sizeof font, &font))
    {
        font.lfWeight = FW_BOLD;
        m_headlineFont = CreateFontIndirectA(&font);
        headline.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_headlineFont), FALSE);
    }
    if (HMENU systemMenu = dialog.GetSystemMenu(FALSE))
        for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
            DeleteMenu(systemMenu, command, MF_BYCOMMAND);
}
