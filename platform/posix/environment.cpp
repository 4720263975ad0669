#include "platform/environment.h"

#include <cstdlib>

namespace platform
{

std::string ExpandEnvironment(const std::string& text)
{
    std::string expanded;
    size_t start = 0;
    for (size_t open = text.find('%'); open != std::string::npos; open = text.find('%', start))
    {
        const size_t close = text.find('%', open + 1);
        if (close == std::string::npos)
            break;
        const char* value = std::getenv(text.substr(open + 1, close - open - 1).c_str());
        if (!value)
        {
            // Not a variable: the second "%" may open the next one.
            expanded.append(text, start, close - start);
            start = close;
            continue;
        }
        expanded.append(text, start, open - start).append(value);
        start = close + 1;
    }
    return expanded.append(text, start, std::string::npos);
}

std::string LocalAppData()
{
    const char* folder = std::getenv("LOCALAPPDATA");
    return folder ? folder : "";
}

} // namespace platform
