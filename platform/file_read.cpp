#include "platform/file_tree.h"

#include <algorithm>
#include <cstring>

namespace platform
{
namespace
{

// Read a piece at a time, so that what splits the bytes finds each piece
// still in the processor's cache.
constexpr std::size_t kReadPiece = std::size_t{1} << 16;

// Bytes that are not cleared before they are read into: a list of megabytes
// is written once, by the read.
class UnsetBytes
{
  public:
    char* data() { return m_bytes.get(); }
    std::size_t size() const { return m_size; }
    void resize(std::size_t size)
    {
        if (size > m_size)
        {
            std::unique_ptr<char[]> bigger(new char[size]);
            if (m_size != 0)
                std::memcpy(bigger.get(), m_bytes.get(), m_size);
            m_bytes = std::move(bigger);
        }
        m_size = size;
    }
    std::unique_ptr<char[]> Release() { return std::move(m_bytes); }

  private:
    std::unique_ptr<char[]> m_bytes;
    std::size_t m_size = 0;
};

} // namespace

FileBytes FileTree::Read(const std::string& path, const PieceTaken& taken)
{
    OpenedFile file = OpenToRead(path);
    if (file.result != ReadResult::Read)
        return {file.result, {}, 0};
    // Sized to the file, with a byte to spare that shows the end was reached;
    // doubles only for a file that grew meanwhile.
    const std::size_t size = static_cast<std::size_t>(file.reader->Size());
    UnsetBytes bytes;
    bytes.resize(size + 1);
    std::size_t used = 0;
    for (;;)
    {
        const std::optional<std::size_t> n =
            file.reader->Take(bytes.data() + used, std::min(kReadPiece, bytes.size() - used));
        if (!n)
            return {ReadResult::Unreadable, {}, 0};
        if (*n == 0)
            break;
        used += *n;
        if (taken)
            taken(bytes.data(), used, size);
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
    }
    return {ReadResult::Read, bytes.Release(), used};
}

} // namespace platform
