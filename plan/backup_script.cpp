#include "plan/backup_script.h"

#include "plan/batch_text.h"
#include "platform/code_page.h"

#include <deque>
#include <string_view>
#include <utility>
#include <vector>

namespace
{

// The pieces every command line of one script shares, built once, with the
// user's paths already escaped for the interpreter. A source without a "%"
// is used as it stands, so a list of many thousand sources is not copied.
struct ScriptInputs
{
    ScriptInputs(const BackupSelection& selection, const std::string& backupBatchPath)
        : destination(EscapeBatchPercent(selection.destination)),
          eraseTarget(EscapeBatchPercent(backupBatchPath))
    {
        const std::string copy = "xcopy" +
                                 ModifiedSwitch(selection.IsTicked(OptionFlag::ModifiedOnly)) +
                                 " /d /y /s /C /I ";
        copyEverything = copy + "/h \"";
        copyMatching = copy + "\"";
        into = "\" \"" + destination + "\"\n";
        attrib = "attrib -h \"" + destination + "\"\n";
        sources.reserve(selection.sources.size());
        for (const std::string& source : selection.sources)
        {
            if (source.find('%') == std::string::npos)
                sources.emplace_back(source);
            else
                sources.emplace_back(escaped.emplace_back(EscapeBatchPercent(source)));
        }
    }

    std::string destination;
    std::string eraseTarget;
    // The escaped copies the views of `sources` point into; a deque keeps
    // them in place as it grows.
    std::deque<std::string> escaped;
    std::vector<std::string_view> sources;
    std::string copyEverything; // up to the source
    std::string copyMatching;   // up to the source
    std::string into;           // after the source: the destination, line end
    std::string attrib;         // a whole line
};

// Adds up the length of what is appended, so that the script text is sized
// once: a list of many thousand sources gives a script of megabytes.
struct TextLength
{
    size_t size = 0;

    TextLength& append(std::string_view text)
    {
        size += text.size();
        return *this;
    }
};

// Copies everything below each source, hidden files included.
template <typename Text> void CopyEverything(const ScriptInputs& in, Text& script)
{
    for (const std::string_view source : in.sources)
        script.append(in.copyEverything).append(source).append(in.into).append(in.attrib);
}

template <typename Text, std::size_t N>
void CopyMatching(const ScriptInputs& in, const std::array<const char*, N>& suffixes, Text& script)
{
    for (const std::string_view source : in.sources)
    {
        // No "/h" here: hidden files are copied only by the copy-everything lines.
        for (const char* suffix : suffixes)
            script.append(in.copyMatching).append(source).append(suffix).append(in.into);
    }
}

// The system folder is copied whole every time, whatever the sources and the
// modified-only switch; the interpreter expands %systemroot% when it runs.
template <typename Text> void CopySystemState(const ScriptInputs& in, Text& script)
{
    script.append("xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"")
        .append(in.destination)
        .append("\\systemstate\"\n");
}

template <typename Text>
void ComposeInto(const BackupSelection& selection, const ScriptInputs& in, Text& script)
{
    if (selection.IsTicked(OptionFlag::AllFileTypes))
        CopyEverything(in, script);
    if (selection.IsTicked(OptionFlag::SystemState))
        CopySystemState(in, script);
    if (selection.IsTicked(OptionFlag::Pictures))
        CopyMatching(in, kPictureSuffixes, script);
    if (selection.IsTicked(OptionFlag::AudioMusic))
        CopyMatching(in, kAudioSuffixes, script);
    if (selection.IsTicked(OptionFlag::Video))
        CopyMatching(in, kVideoSuffixes, script);
    if (selection.IsTicked(OptionFlag::Documents))
        CopyMatching(in, kDocumentSuffixes, script);
    if (selection.IsTicked(OptionFlag::Hidden))
        CopyEverything(in, script);
    // Quoted, or the interpreter splits the path at its blanks. The batch
    // file removes itself once the copies are done.
    script.append("erase \"").append(in.eraseTarget).append("\"");
}

} // namespace

std::string ModifiedSwitch(bool modifiedOnly)
{
    return modifiedOnly ? " /M" : "";
}

std::string ComposeBackupScript(const BackupSelection& selection,
                                const std::string& backupBatchPath)
{
    const ScriptInputs in(selection, backupBatchPath);
    TextLength length;
    ComposeInto(selection, in, length);
    std::string script;
    script.reserve(length.size);
    ComposeInto(selection, in, script);
    return platform::AnsiToOem(std::move(script));
}
