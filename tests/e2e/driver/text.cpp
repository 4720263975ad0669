#include "tests/e2e/driver/text.h"

#include <cstdio>
#include <windows.h>

namespace e2e
{

namespace
{

std::wstring Decode(UINT codePage, const std::string& text)
{
    if (text.empty())
        return {};
    std::wstring wide(
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0),
        L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

std::string Encode(UINT codePage, const std::wstring& wide)
{
    if (wide.empty())
        return {};
    std::string text(WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr),
                     '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                        static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

} // namespace

std::wstring Wide(const std::string& utf8)
{
    return Decode(CP_UTF8, utf8);
}

std::string Utf8(const std::wstring& wide)
{
    return Encode(CP_UTF8, wide);
}

std::string Ansi(const std::string& utf8)
{
    return Encode(CP_ACP, Wide(utf8));
}

std::string Printable(const std::string& bytes)
{
    std::string shown;
    for (unsigned char byte : bytes)
    {
        if (byte == '\r')
            shown += "\\r";
        else if (byte == '\n')
            shown += "\\n";
        else if (byte < 0x20)
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        }
        else
            shown += static_cast<char>(byte);
    }
    return shown;
}

} // namespace e2e
