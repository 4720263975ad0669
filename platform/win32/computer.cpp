#include "platform/computer.h"

#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform
{

Computer ThisComputer()
{
    Computer computer;
    wchar_t text[256];
    DWORD size = static_cast<DWORD>(std::size(text));
    if (GetComputerNameExW(ComputerNamePhysicalDnsHostname, text, &size))
        computer.name = PathFromWide({text, size});
    // The 64-bit view: a 32-bit program on 64-bit Windows would otherwise
    // read WOW6432Node, which holds no MachineGuid.
    HKEY key = nullptr;
    size = sizeof text;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS)
    {
        if (RegGetValueW(key, nullptr, L"MachineGuid", RRF_RT_REG_SZ, nullptr, text, &size) ==
            ERROR_SUCCESS)
            computer.id = PathFromWide(text);
        RegCloseKey(key);
    }
    // Where Windows keeps none, the name stands for it.
    if (computer.id.empty())
        computer.id = computer.name;
    return computer;
}

} // namespace platform
