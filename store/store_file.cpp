#include "store/store_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace store
{
namespace
{

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path, const char* mode)
{
    return File(std::fopen(path.c_str(), mode), &std::fclose);
}

// What goes to the disk in one write.
constexpr size_t kPieceSize = size_t{1} << 16;

// The one place where line ends are translated, as the Windows text mode
// does: "\n" is written as "\r\n", and a "\r" directly before "\n" is dropped
// on reading. Every other byte passes unchanged. Whole runs between line ends
// are copied at once, and the text goes to the disk through one small piece
// that is filled again and again: a script of megabytes is never copied whole.
// The text comes a piece at a time itself.
class DiskPieces
{
  public:
    explicit DiskPieces(platform::NextPiece text) : m_text(std::move(text)), m_piece(kPieceSize) {}

    std::string_view operator()()
    {
        char* const first = m_piece.data();
        char* const last = first + m_piece.size();
        char* out = first;
        // A line end takes two bytes: a run is only taken where both fit after it.
        while (last - out >= 2)
        {
            if (m_in == m_end && !TakeNextPiece())
                break;
            const size_t span =
                std::min(static_cast<size_t>(m_end - m_in), static_cast<size_t>(last - out - 1));
            const void* found = std::memchr(m_in, '\n', span);
            const size_t run =
                found ? static_cast<size_t>(static_cast<const char*>(found) - m_in) : span;
            std::memcpy(out, m_in, run);
            out += run;
            m_in += run;
            if (found)
            {
                *out++ = '\r';
                *out++ = '\n';
                ++m_in;
            }
        }
        return std::string_view(first, static_cast<size_t>(out - first));
    }

  private:
    bool TakeNextPiece()
    {
        const std::string_view piece = m_text();
        m_in = piece.data();
        m_end = piece.data() + piece.size();
        return !piece.empty();
    }

    platform::NextPiece m_text;
    const char* m_in = nullptr;
    const char* m_end = nullptr;
    std::vector<char> m_piece;
};

// The same for lines that hold no line end, each written with one.
class LinePieces
{
  public:
    LinePieces(const std::vector<std::string>& lines, std::string_view lastLine)
        : m_lines(lines), m_lastLine(lastLine),
          m_lineCount(lines.size() + (lastLine.empty() ? 0 : 1)), m_piece(kPieceSize)
    {
    }

    std::string_view operator()()
    {
        char* const first = m_piece.data();
        char* const last = first + m_piece.size();
        char* out = first;
        while (m_line != m_lineCount)
        {
            const std::string_view line =
                m_line < m_lines.size() ? std::string_view(m_lines[m_line]) : m_lastLine;
            // A line longer than what is left of the piece goes in parts.
            const size_t left = line.size() - m_taken;
            const size_t run = std::min(left, static_cast<size_t>(last - out));
            std::memcpy(out, line.data() + m_taken, run);
            out += run;
            m_taken += run;
            if (run < left || last - out < 2)
                break;
            *out++ = '\r';
            *out++ = '\n';
            ++m_line;
            m_taken = 0;
        }
        return std::string_view(first, static_cast<size_t>(out - first));
    }

  private:
    const std::vector<std::string>& m_lines;
    const std::string_view m_lastLine;
    const size_t m_lineCount;
    size_t m_line = 0;
    size_t m_taken = 0;
    std::vector<char> m_piece;
};

std::string FromDisk(std::string bytes)
{
    char* out = bytes.data();
    const char* in = bytes.data();
    const char* const end = in + bytes.size();
    while (in != end)
    {
        const void* found = std::memchr(in, '\r', static_cast<size_t>(end - in));
        const char* carriageReturn = found ? static_cast<const char*>(found) : end;
        std::memmove(out, in, static_cast<size_t>(carriageReturn - in));
        out += carriageReturn - in;
        in = carriageReturn;
        if (in == end)
            break;
        if (in + 1 == end || in[1] != '\n')
            *out++ = '\r';
        ++in;
    }
    bytes.resize(static_cast<size_t>(out - bytes.data()));
    return bytes;
}

// The size of an open file, or 0 when it cannot be told: the reading then
// grows as it goes.
size_t SizeOf(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(file);
    std::rewind(file);
    return size > 0 ? static_cast<size_t>(size) : 0;
}

// Bytes that are not cleared before they are read into: a list of megabytes
// is written once, by the read.
class UnsetBytes
{
  public:
    char* data() { return m_bytes.get(); }
    size_t size() const { return m_size; }
    void resize(size_t size)
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
    size_t m_size = 0;
};

// Read a piece at a time, so that what splits the bytes finds each piece
// still in the processor's cache.
constexpr size_t kReadPiece = size_t{1} << 16;

// The raw bytes, or nothing when the file cannot be opened or read (a
// folder of that name included). `taken(data, used, size)` follows each
// piece; `size` is what the file held when it was opened.
template <typename Bytes, typename Taken>
std::optional<Bytes> ReadBytes(const std::string& path, Taken taken)
{
    const File file = Open(path, "rb");
    // POSIX opens a folder, and the end it seeks to there is no size.
    if (!file || platform::LocalFiles().IsFolder(path))
        return std::nullopt;
    // Sized to the file, with a byte to spare that shows the end was reached;
    // doubles only for a file that grew meanwhile.
    Bytes bytes;
    bytes.resize(SizeOf(file.get()) + 1);
    size_t used = 0;
    while (const size_t n = std::fread(bytes.data() + used, 1,
                                       std::min(kReadPiece, bytes.size() - used), file.get()))
    {
        used += n;
        taken(bytes.data(), used, bytes.size() - 1);
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    bytes.resize(used);
    return bytes;
}

std::optional<std::string> ReadBytes(const std::string& path)
{
    return ReadBytes<std::string>(path, [](const char*, size_t, size_t) {});
}

bool IsMissing(const std::string& path)
{
    errno = 0;
    return !Open(path, "rb") && errno == ENOENT;
}

// Whether the file holds the text as it would be written, line ends and all.
bool HoldsAlready(const std::string& path, const std::string& text)
{
    const std::optional<std::string> bytes = ReadBytes(path);
    if (!bytes)
        return false;
    std::string_view held = *bytes;
    DiskPieces pieces(platform::OnePiece(text));
    for (std::string_view piece = pieces(); !piece.empty(); piece = pieces())
    {
        if (held.substr(0, piece.size()) != piece)
            return false;
        held.remove_prefix(piece.size());
    }
    return held.empty();
}

} // namespace

bool ReplaceWhole(const std::string& path, const std::string& text, platform::FileTree& files)
{
    return ReplaceText(path, platform::OnePiece(text), files);
}

bool ReplaceText(const std::string& path, platform::NextPiece text, platform::FileTree& files)
{
    return files.Replace(path, DiskPieces(std::move(text)));
}

bool ReplaceDiskText(const std::string& path, platform::NextPiece text, platform::FileTree& files)
{
    return files.Replace(path, text);
}

bool ReplaceIfDifferent(const std::string& path, const std::string& text)
{
    return HoldsAlready(path, text) || ReplaceWhole(path, text);
}

bool ReplaceLines(const std::string& path, const std::vector<std::string>& lines,
                  std::string_view lastLine, platform::FileTree& files)
{
    return files.Replace(path, LinePieces(lines, lastLine));
}

FileText Read(const std::string& path)
{
    if (std::optional<std::string> bytes = ReadBytes(path))
        return {ReadResult::Read, FromDisk(std::move(*bytes))};
    return {IsMissing(path) ? ReadResult::Missing : ReadResult::Unreadable, {}};
}

FileLines ReadLines(const std::string& path)
{
    FileLines file;
    std::uintptr_t base = 0;
    size_t start = 0;
    bool sized = false;
    const auto split = [&](char* text, size_t used, size_t size) {
        // A file that grew while it was read has moved to a bigger buffer.
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(text);
        if (base != 0 && at != base)
        {
            for (std::string_view& line : file.lines)
                line = {text + (reinterpret_cast<std::uintptr_t>(line.data()) - base), line.size()};
        }
        base = at;
        while (const void* found = std::memchr(text + start, '\n', used - start))
        {
            const size_t lineFeed = static_cast<size_t>(static_cast<const char*>(found) - text);
            const size_t end =
                lineFeed > start && text[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
            text[end] = '\0';
            file.lines.emplace_back(text + start, end - start);
            start = lineFeed + 1;
        }
        // The lines of the first piece tell how many the whole file holds.
        if (!sized && used < size)
            file.lines.reserve((file.lines.size() + 1) * (size / used + 1));
        sized = true;
    };
    std::optional<UnsetBytes> read = ReadBytes<UnsetBytes>(path, split);
    if (!read)
        return {IsMissing(path) ? ReadResult::Missing : ReadResult::Unreadable, {}, {}};
    file.result = ReadResult::Read;
    file.bytes = read->Release();
    return file;
}

std::optional<std::string> ReadOrCreateEmpty(const std::string& path)
{
    FileText file = Read(path);
    if (file.result == ReadResult::Unreadable)
        return std::nullopt;
    // "ab" creates a missing file without emptying one that appeared meanwhile.
    if (file.result == ReadResult::Missing)
        Open(path, "ab");
    return std::move(file.text);
}

std::string ReadIfPresent(const std::string& path)
{
    std::optional<std::string> bytes = ReadBytes(path);
    return bytes ? FromDisk(std::move(*bytes)) : std::string();
}

bool TestRead(const std::string& path)
{
    return Open(path, "rb") && !platform::LocalFiles().IsFolder(path);
}

bool Delete(const std::string& path)
{
    // remove() would take an empty folder of that name away on POSIX.
    if (platform::LocalFiles().IsFolder(path))
        return false;
    return std::remove(path.c_str()) == 0 || IsMissing(path);
}

} // namespace store
