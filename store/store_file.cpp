#include "store/store_file.h"

#include <algorithm>
#include <cstdint>
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

// What goes to the disk in one write.
constexpr size_t kPieceSize = size_t{1} << 16;

// The one place where line ends are translated, as the Windows text mode
// does: "\n" is written as "\r\n", and a "\r" directly before "\n" is dropped
// on reading. Every other byte passes unchanged. Whole runs between line ends
// are copied at once, and the text goes to the disk through one small piece
// that is filled again and again: a text of megabytes is never copied whole.
class DiskPieces
{
  public:
    explicit DiskPieces(std::string_view text)
        : m_in(text.data()), m_end(text.data() + text.size()), m_piece(kPieceSize)
    {
    }

    std::string_view operator()()
    {
        char* const first = m_piece.data();
        char* const last = first + m_piece.size();
        char* out = first;
        // A line end takes two bytes: a run is only taken where both fit after it.
        while (last - out >= 2 && m_in != m_end)
        {
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
    const char* m_in;
    const char* m_end;
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

std::string FromDisk(const char* in, size_t size)
{
    std::string text(size, '\0');
    char* out = text.data();
    const char* const end = in + size;
    while (in != end)
    {
        const void* found = std::memchr(in, '\r', static_cast<size_t>(end - in));
        const char* carriageReturn = found ? static_cast<const char*>(found) : end;
        std::memcpy(out, in, static_cast<size_t>(carriageReturn - in));
        out += carriageReturn - in;
        in = carriageReturn;
        if (in == end)
            break;
        if (in + 1 == end || in[1] != '\n')
            *out++ = '\r';
        ++in;
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return text;
}

// Whether the file holds the text as it would be written, line ends and all.
bool HoldsAlready(const std::string& path, std::string_view text, platform::FileTree& files)
{
    const platform::FileBytes bytes = files.Read(path);
    if (bytes.result != platform::ReadResult::Read)
        return false;
    std::string_view held(bytes.bytes.get(), bytes.size);
    DiskPieces pieces(text);
    for (std::string_view piece = pieces(); !piece.empty(); piece = pieces())
    {
        if (held.substr(0, piece.size()) != piece)
            return false;
        held.remove_prefix(piece.size());
    }
    return held.empty();
}

} // namespace

bool ReplaceWithText(const std::string& path, std::string_view text, platform::FileTree& files)
{
    return files.Replace(path, DiskPieces(text));
}

bool ReplaceWithTextIfDifferent(const std::string& path, std::string_view text,
                                platform::FileTree& files)
{
    return HoldsAlready(path, text, files) || ReplaceWithText(path, text, files);
}

platform::NextPiece DiskLines(const std::vector<std::string>& lines, std::string_view lastLine)
{
    return LinePieces(lines, lastLine);
}

FileText Read(const std::string& path, platform::FileTree& files)
{
    const platform::FileBytes bytes = files.Read(path);
    if (bytes.result != platform::ReadResult::Read)
        return {bytes.result, {}};
    return {bytes.result, FromDisk(bytes.bytes.get(), bytes.size)};
}

FileLines ReadLines(const std::string& path, platform::FileTree& files)
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
    platform::FileBytes read = files.Read(path, split);
    if (read.result != platform::ReadResult::Read)
        return {read.result, {}, {}};
    file.result = platform::ReadResult::Read;
    file.bytes = std::move(read.bytes);
    return file;
}

std::optional<std::string> ReadOrCreateEmpty(const std::string& path, platform::FileTree& files)
{
    FileText file = Read(path, files);
    if (file.result == platform::ReadResult::Unreadable)
        return std::nullopt;
    // Made only where nothing stands: a file that appeared meanwhile keeps
    // what it holds.
    if (file.result == platform::ReadResult::Missing)
        files.MakeFile(path);
    return std::move(file.text);
}

std::string ReadIfPresent(const std::string& path, platform::FileTree& files)
{
    return std::move(Read(path, files).text);
}

bool TestRead(const std::string& path, platform::FileTree& files)
{
    return files.OpenToRead(path).result == platform::ReadResult::Read;
}

bool Delete(const std::string& path, platform::FileTree& files)
{
    return files.Remove(path) || files.IsAbsent(path);
}

} // namespace store
