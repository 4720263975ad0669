#include "plan/batch_text.h"

std::string EscapeBatchPercent(const std::string& path)
{
    std::string escaped;
    escaped.reserve(path.size());
    size_t start = 0;
    for (size_t percent = path.find('%'); percent != std::string::npos;
         percent = path.find('%', start))
    {
        escaped.append(path, start, percent + 1 - start).push_back('%');
        start = percent + 1;
    }
    return escaped.append(path, start, std::string::npos);
}
