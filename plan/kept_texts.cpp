#include "plan/kept_texts.h"

#include <algorithm>
#include <cstring>

std::string_view KeptTexts::Keep(std::string_view text)
{
    if (text.size() > m_left)
    {
        // A text longer than a block gets one of its own.
        const size_t size = std::max(kBlockSize, text.size());
        m_blocks.emplace_back(new char[size]);
        m_free = m_blocks.back().get();
        m_left = size;
    }
    if (!text.empty())
        std::memcpy(m_free, text.data(), text.size());
    const std::string_view kept(m_free, text.size());
    m_free += text.size();
    m_left -= text.size();
    return kept;
}
