#include "platform/environment.h"

#include <windows.h>

namespace platform
{

std::string ExpandEnvironment(const std::string& text)
{
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    std::string expanded(size, '\0');
    if (size == 0 || ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size) == 0)
        return text;
    expanded.resize(size - 1);
    return expanded;
}

} // namespace platform
