#include "backup/backup_script.h"

#include "backup/batch_text.h"
#include "platform/code_page.h"

#include <utility>
#include <vector>

namespace
{

// The pieces every command line of one script shares, built once, with the
// user's paths already escaped for the interpreter. A list of many thousand
// sources gives a script of megabytes: each line is three or four appends to
// the one script text, never a copy of a block.
struct ScriptInputs
{
    explicit ScriptInputs(const BackupSelection& selection)
        : destination(EscapeBatchPercent(selection.destination))
    {
        const std::string copy = "xcopy" +
                                 ModifiedSwitch(selection.IsTicked(OptionFlag::ModifiedOnly)) +
                                 " /d /y /s /C /I ";
        copyEverything = copy + "/h \"";
        copyMatching = copy + "\"";
        into = "\" \"" + destination + "\"\n";
        sources.reserve(selection.sources.size());
        for (const std::string& source : selection.sources)
            sources.push_back(EscapeBatchPercent(source));
    }

    std::string destination;
    std::vector<std::string> sources;
    std::string copyEverything; // up to the source
    std::string copyMatching;   // up to the source
    std::string into;           // after the source: the destination, line end
};

// Copies everything below each source, hidden files included.
void CopyEverything(const ScriptInputs& in, std::string& script)
{
    const std::string attrib = "attrib -h \"" + in.destination + "\"\n";
    for (const std::string& source : in.sources)
        script.append(in.copyEverything).append(source).append(in.into).append(attrib);
}

template <std::size_t N>
void CopyMatching(const ScriptInputs& in, const std::array<const char*, N>& suffixes,
                  std::string& script)
{
    for (const std::string& source : in.sources)
    {
        // No "/h" here: hidden files are copied only by the copy-everything lines.
        for (const char* suffix : suffixes)
            script.append(in.copyMatching).append(source).append(suffix).append(in.into);
    }
}

// The system folder is copied whole every time, whatever the sources and the
// modified-only switch; the interpreter expands %systemroot% when it runs.
void CopySystemState(const ScriptInputs& in, std::string& script)
{
    script.append("xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"");
    script.append(in.destination).append("\\systemstate\"\n");
}

} // namespace

std::string ModifiedSwitch(bool modifiedOnly)
{
    return modifiedOnly ? " /M" : "";
}

std::string ComposeBackupScript(const BackupSelection& selection,
                                const std::string& backupBatchPath)
{
    const ScriptInputs in(selection);

    std::string script;
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
    script.append("erase \"").append(EscapeBatchPercent(backupBatchPath)).append("\"");
    return platform::AnsiToOem(std::move(script));
}
