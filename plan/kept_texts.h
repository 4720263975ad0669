#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Texts copied into blocks that never move, for the plan's many thousand
// paths: one allocation a block instead of one a text, and blocks small
// enough that the allocator hands freed ones out again rather than fresh
// pages from the system.
class KeptTexts
{
  public:
    // The copy, valid for as long as this lives, moved or not.
    std::string_view Keep(std::string_view text);

  private:
    static constexpr size_t kBlockSize = size_t{1} << 16;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_free = nullptr;
    size_t m_left = 0;
};
