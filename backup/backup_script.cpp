#include "backup/backup_script.h"

#include "backup/batch_text.h"
#include "platform/code_page.h"

#include <vector>

namespace
{

// What every command line of one script shares, with the user's paths
// already escaped for the interpreter.
struct ScriptInputs
{
    std::string modifiedSwitch;
    std::vector<std::string> sources;
    std::string destination;
};

// Copies everything below each source, hidden files included.
std::string CopyEverything(const ScriptInputs& in)
{
    std::string lines;
    for (const std::string& source : in.sources)
    {
        lines += "xcopy" + in.modifiedSwitch + " /d /y /s /C /I /h \"" + source + "\" \"" +
                 in.destination + "\"\n";
        lines += "attrib -h \"" + in.destination + "\"\n";
    }
    return lines;
}

template <std::size_t N>
std::string CopyMatching(const ScriptInputs& in, const std::array<const char*, N>& suffixes)
{
    std::string lines;
    for (const std::string& source : in.sources)
    {
        // No "/h" here: hidden files are copied only by the copy-everything lines.
        for (const char* suffix : suffixes)
            lines += "xcopy" + in.modifiedSwitch + " /d /y /s /C /I \"" + source + suffix +
                     "\" \"" + in.destination + "\"\n";
    }
    return lines;
}

// The system folder is copied whole every time, whatever the sources and the
// modified-only switch; the interpreter expands %systemroot% when it runs.
std::string CopySystemState(const ScriptInputs& in)
{
    return "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"" + in.destination +
           "\\systemstate\"\n";
}

} // namespace

std::string ModifiedSwitch(bool modifiedOnly)
{
    return modifiedOnly ? " /M" : "";
}

std::string ComposeBackupScript(const BackupSelection& selection,
                                const std::string& backupBatchPath)
{
    ScriptInputs in;
    in.modifiedSwitch = ModifiedSwitch(selection.IsTicked(OptionFlag::ModifiedOnly));
    in.destination = EscapeBatchPercent(selection.destination);
    for (const std::string& source : selection.sources)
        in.sources.push_back(EscapeBatchPercent(source));

    std::string script;
    if (selection.IsTicked(OptionFlag::AllFileTypes))
        script += CopyEverything(in);
    if (selection.IsTicked(OptionFlag::SystemState))
        script += CopySystemState(in);
    if (selection.IsTicked(OptionFlag::Pictures))
        script += CopyMatching(in, kPictureSuffixes);
    if (selection.IsTicked(OptionFlag::AudioMusic))
        script += CopyMatching(in, kAudioSuffixes);
    if (selection.IsTicked(OptionFlag::Video))
        script += CopyMatching(in, kVideoSuffixes);
    if (selection.IsTicked(OptionFlag::Documents))
        script += CopyMatching(in, kDocumentSuffixes);
    if (selection.IsTicked(OptionFlag::Hidden))
        script += CopyEverything(in);
    // Quoted, or the interpreter splits the path at its blanks. The batch
    // file removes itself once the copies are done.
    script += "erase \"" + EscapeBatchPercent(backupBatchPath) + "\"";
    return platform::AnsiToOem(script);
}
