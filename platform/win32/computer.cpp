#include "platform/computer.h"

#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform
{

Computer ThisComputer()
{
    Computer computer;
    wchar_t text[256];
    // The 64-bit view: a 32-bit program on 64-bit Windows would otherwise
    // read WOW6432Node, which holds no MachineGuid.
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", L"MachineGuid",
                     RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, text, &size) == ERROR_SUCCESS)
        computer.id = AnsiFromWide(text);
    size = static_cast<DWORD>(std::size(text));
    if (GetComputerNameExW(ComputerNamePhysicalDnsHostname, text, &size))
        computer.name = AnsiFromWide({text, size});
    return computer;
}

} // namespace platform
