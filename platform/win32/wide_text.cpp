#include "platform/win32/wide_text.h"

#include "platform/path_code.h"

#include <windows.h>

namespace platform
{
namespace
{

std::wstring WideFrom(UINT codePage, std::string_view text)
{
    const int length = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

std::string NarrowFrom(UINT codePage, std::wstring_view text)
{
    const int length = static_cast<int>(text.size());
    std::string narrow(static_cast<size_t>(WideCharToMultiByte(codePage, 0, text.data(), length,
                                                               nullptr, 0, nullptr, nullptr)),
                       '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, narrow.data(),
                        static_cast<int>(narrow.size()), nullptr, nullptr);
    return narrow;
}

} // namespace

std::wstring WideFromAnsi(std::string_view text)
{
    return WideFrom(CP_ACP, text);
}

std::string AnsiFromWide(std::wstring_view text)
{
    return NarrowFrom(CP_ACP, text);
}

std::wstring WideFromPath(std::string_view text)
{
    return WideFrom(PathCodePage(), text);
}

std::string PathFromWide(std::wstring_view text)
{
    return NarrowFrom(PathCodePage(), text);
}

} // namespace platform
