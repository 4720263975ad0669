// The baseline of the program's start: the main window's own template with
// all its controls, the program's icon and manifest (the same resource
// script), shown by a plain dialog box that does nothing else.
#include "res/resource.h"

#include <initializer_list>
#include <windows.h>

namespace
{

INT_PTR CALLBACK SameWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message)
    {
    case WM_INITDIALOG: {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        for (const WPARAM size : {ICON_BIG, ICON_SMALL})
        {
            const int side = GetSystemMetrics(size == ICON_BIG ? SM_CXICON : SM_CXSMICON);
            SendMessageW(
                dialog, WM_SETICON, size,
                reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                    IMAGE_ICON, side, side, 0)));
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, SameWindowProc, 0));
}
