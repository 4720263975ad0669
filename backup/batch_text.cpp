#include "backup/batch_text.h"

std::string EscapeBatchPercent(const std::string& path)
{
    std::string escaped;
    escaped.reserve(path.size());
    for (const char c : path)
    {
        escaped += c;
        if (c == '%')
            escaped += '%';
    }
    return escaped;
}
