#include "backup/batch_text.h"

namespace backup
{

std::string EscapePercent(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text)
    {
        if (c == '%')
            escaped += '%';
        escaped += c;
    }
    return escaped;
}

} // namespace backup
