#include "plan/batch_text.h"

#include "platform/code_page.h"
#include "platform/path_code.h"
#include "platform/path_text.h"

std::string EscapeBatchPercent(std::string_view path)
{
    std::string escaped;
    escaped.reserve(path.size());
    size_t start = 0;
    for (size_t percent = path.find('%'); percent != std::string_view::npos;
         percent = path.find('%', start))
    {
        escaped.append(path.substr(start, percent + 1 - start)).push_back('%');
        start = percent + 1;
    }
    return escaped.append(path.substr(start));
}

bool CanCarryInBatch(const std::string& path)
{
    // ASCII passes both conversions unchanged and the "%" doubling adds no
    // character to refuse: the text tells alone, with nothing copied.
    // One pass without a branch reads both, many bytes at a time: as bytes,
    // since a bool kept across the loop stops the compiler from doing so.
    unsigned char bits = 0;
    unsigned char refused = 0;
    for (const char c : path)
    {
        bits |= static_cast<unsigned char>(c);
        refused |= static_cast<unsigned char>((c == '"') | (c == '?') | (c == '*') | (c == '<') |
                                              (c == '>') | (c == '|'));
    }
    if (bits < 0x80)
        return refused == 0;
    // The batch file is written in ANSI, then OEM: a companion's path text is
    // judged in its ANSI form, which must name the same path.
    const std::string ansi = platform::AnsiFromPath(path);
    if (platform::PathFromAnsi(ansi) != path)
        return false;
    const std::string escaped = EscapeBatchPercent(ansi);
    const std::string batchForm = platform::AnsiToOem(escaped);
    // By character: in code page 932 "\x83\x7C" is one letter, not a "|".
    return platform::FindFirstCharacterOf(batchForm, "\"?*<>|", platform::kOemCodePage) ==
               std::string::npos &&
           platform::OemToAnsi(batchForm) == escaped;
}

std::optional<Message> FirstUncarriablePath(const BackupSelection& selection)
{
    const auto refuse = [](const std::string& path) {
        return Message{"Error Cannot Back Up " + path +
                           " \nDetails:Its name holds characters that the backup script cannot "
                           "carry",
                       "ERROR", kStopType};
    };
    for (const std::string& source : selection.sources)
    {
        if (!CanCarryInBatch(source))
            return refuse(source);
    }
    if (!CanCarryInBatch(selection.destination))
        return refuse(selection.destination);
    return std::nullopt;
}
